#pragma once
// Whole exports of real decks tagged through the engine, as the authoring
// application tags them, with a project archive beside the saved copy.

#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "component/PPTInfo.h"
#include "engine/EngineRuntime.h"
#include "tests/engine/EngineDecks.h"
#include "tests/fakes/FakeObject.h"

namespace quillmere::testing {

// Opens the corpus deck, lets tag change it and saves it as deck.
inline void TagAndSave(const char* corpusDeck, const std::string& deck,
                       const std::function<void(const Object& pres)>& tag) {
  Object app = StartEngine();
  Object pres = OpenDeck(app, Deck(corpusDeck));
  tag(pres);
  pres.Call("SaveAs", deck, 24);
  pres.Call("Close");
  app.Call("Quit");
}

// Exports the deck without images into the output folder, retries waiting
// on the sleeper only; the status, and the XML in doc.
inline std::int32_t ExportWithoutImages(std::string deck, const std::string& out, pugi::xml_document& doc,
                                        std::shared_ptr<Sleeper> sleeper = std::make_shared<CountingSleeper>()) {
  engine::RegisterEngine();
  engine::EngineOptions options;
  options.drawImages = false;
  PPTInfo info(PPTInfoOptions{std::make_shared<engine::EngineRuntime>(options), std::move(sleeper)});
  std::string xml;
  std::int32_t status = info.PPTPresentation(deck, xml, out);
  EXPECT_TRUE(doc.load_file(xml.c_str())) << xml;
  return status;
}

}  // namespace quillmere::testing
