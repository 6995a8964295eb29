#pragma once
// The engine application the engine tests start and the corpus decks they open.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"
#include "tests/engine/package/PackageTestFiles.h"

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

// What a walk over the object model counted: reads answered, and reads that
// failed with a ComError as PowerPoint's do; any other exception fails the test there.
struct WalkCount {
  void Read(const std::string& where, const std::function<void()>& read) {
    try {
      read();
      ++answers;
    } catch (const ComError&) {
      ++failures;
    } catch (const std::exception& e) {
      ADD_FAILURE() << where << ": " << e.what();
    }
  }
  int answers = 0, failures = 0;
};

}  // namespace quillmere::testing
