#pragma once
// Answers one request line of the render protocol (engine/render/RenderProtocol.h).

#include <string>

#include "engine/render/server/OfficeSession.h"

namespace quillmere::engine::render {

struct Answer {
  std::string reply;  // the whole reply line
  bool quit = false;  // the request was "quit": the caller ends the session after replying
  bool lost = false;  // the office went away (crashed): nothing more can be answered
};

// Never throws: every failure becomes an "error <text>" reply.
Answer AnswerRequest(OfficeSession& session, const std::string& line);

}  // namespace quillmere::engine::render
