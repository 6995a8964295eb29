#pragma once
// An edit the engine makes only once a call needs it. The writers duplicate a
// shape to read one thing of the copy, or to hear that a member does not
// apply, and delete it again: for a freeform of a few thousand path points
// that copy was most of the shape's export.

#include <string_view>

#include "objectmodel/automation/Dispatch.h"

namespace quillmere::engine {

struct EngineSession;

class DeferredEdit {
 public:
  virtual ~DeferredEdit() = default;
  // Whether the call can be answered as if the edit were made, without making it.
  virtual bool Answers(const Dispatch& target, InvokeKind kind, std::string_view member, Args args) const = 0;
  virtual void Make() = 0;
};

// Before every call an engine object answers: the session's deferred edit is
// made unless it answers the call itself, so that no other call can tell.
void MakeDeferredEditFor(EngineSession& session, const Dispatch& target, InvokeKind kind, std::string_view member,
                         Args args);

}  // namespace quillmere::engine
