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

// Hands every corpus package the engine opens to visit, closing it after;
// returns how many there were. Packages it refuses are the opening tests' concern.
inline int ForEachOpenableCorpusDeck(const Object& app,
                                     const std::function<void(const std::string& file, const Object& pres)>& visit) {
  int decks = 0;
  for (const auto& [file, container] : engine::packagetest::CorpusManifest()) {
    if (container != "zip") continue;
    Object pres;
    try {
      pres = OpenDeck(app, engine::packagetest::CorpusFile(file).string());
    } catch (const ComError&) {
      continue;
    }
    ++decks;
    visit(file, pres);
    pres.Call("Close");
  }
  return decks;
}

// What a walk over the object model counted: items walked, reads answered, and reads that
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
  int items = 0, answers = 0, failures = 0;
};

// The slides of a presentation, then each slide master followed by its custom layouts.
inline std::vector<Object> PagesOf(const Object& pres) {
  std::vector<Object> pages;
  Object slides = pres.Child("Slides");
  for (int s = 1, n = slides.Count(); s <= n; ++s) pages.push_back(slides.Item(s));
  Object designs = pres.Child("Designs");
  for (int d = 1, n = designs.Count(); d <= n; ++d) {
    Object master = designs.Item(d).Child("SlideMaster");
    pages.push_back(master);
    Object layouts = master.Child("CustomLayouts");
    for (int l = 1, count = layouts.Count(); l <= count; ++l) pages.push_back(layouts.Item(l));
  }
  return pages;
}

}  // namespace quillmere::testing
