#pragma once
// A fixture for tests that open decks in one engine application at a time:
// isolated user folders, and the application kept alive while its objects are read.

#include <string>

#include "objectmodel/automation/Object.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {

class EngineDeckTest : public IsolatedUserFolders {
 protected:
  // A corpus deck by name, or any file by its path, in a new application of that version.
  Object Open(const char* deck, int version = 14) { return OpenFile(Deck(deck), version); }
  Object OpenFile(const std::string& file, int version = 14) {
    app_ = StartEngine(version);
    return OpenDeck(app_, file);
  }
  static Object Shapes(const Object& pres, int slide) { return pres.Child("Slides").Item(slide).Child("Shapes"); }

  Object app_;
};

}  // namespace quillmere::testing
