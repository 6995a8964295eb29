#pragma once
// The engine application the engine tests start and the corpus decks they open.

#include <string>

#include "component/automation/Object.h"
#include "engine/EngineRuntime.h"

namespace quillmere::testing {

inline std::string Deck(const char* name) { return std::string(QUILLMERE_CORPUS_DIR) + "/" + name; }

// An engine Application answering as that PowerPoint version.
inline Object StartEngine(int version = 16) {
  engine::EngineRuntime runtime(engine::EngineOptions{version});
  return runtime.CreateObject("PowerPoint.Application");
}

// Presentations.Open(file, ReadOnly false, Untitled true, WithWindow false).
inline Object OpenDeck(const Object& app, const std::string& file) {
  return app.Child("Presentations").Call("Open", file, 0, -1, 0);
}

}  // namespace quillmere::testing
