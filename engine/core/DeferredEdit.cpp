#include "engine/core/DeferredEdit.h"

#include <memory>

#include "engine/core/EngineSession.h"

namespace quillmere::engine {

void MakeDeferredEditFor(EngineSession& session, const Dispatch& target, InvokeKind kind, std::string_view member,
                         Args args) {
  if (session.deferredEdit->Answers(target, kind, member, args)) return;
  std::shared_ptr<DeferredEdit> edit = std::move(session.deferredEdit);
  edit->Make();
}

}  // namespace quillmere::engine
