#pragma once
// Whole exports of real decks through the engine: as a host drives PPTInfo,
// and of decks tagged through the engine as the authoring application tags
// them, with a project archive beside the saved copy.

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "component/PPTInfo.h"
#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "objectmodel/trace/ExportLog.h"
#include "tests/engine/EngineDecks.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"

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

// PPTInfo on the engine as a PowerPoint version, retrying on a sleeper that
// never waits but counts; progress is recorded as the host sees it.
class EngineExportTest : public IsolatedUserFolders {
 protected:
  void Use(int version = 16, bool images = false) {
    engine::RegisterEngine();
    engine::EngineOptions options;
    options.emulatedMajorVersion = version;
    options.drawImages = images;
    info = std::make_unique<PPTInfo>(PPTInfoOptions{std::make_shared<engine::EngineRuntime>(options), sleeper});
    info->Events().Progress = [this](std::int32_t& current, std::int32_t& max) {
      overran |= current > max;
      lastCurrent = current;
      lastMax = max;
    };
  }
  // The whole deck exported into a per-user folder named after it; its Presentation element.
  pugi::xml_node Export(std::string deck) {
    std::string xml, out = Out(std::filesystem::path(deck).stem().c_str());
    EXPECT_EQ(info->PPTPresentation(deck, xml, out), ERR_SUCCESS) << deck;
    return Load(xml);
  }
  pugi::xml_node Load(const std::string& xmlPath) {
    EXPECT_TRUE(doc.load_file(xmlPath.c_str())) << xmlPath;
    return doc.child("Presentation");
  }
  std::string Out(const char* name) { return Folder(name).string(); }
  static std::vector<pugi::xml_node> Slides(pugi::xml_node presentation) {
    std::vector<pugi::xml_node> slides;
    for (pugi::xml_node slide : presentation.child("Slides").children("Slide")) slides.push_back(slide);
    return slides;
  }
  static std::string Log() { return ReadFile(ExportLogPath()); }

  std::shared_ptr<CountingSleeper> sleeper = std::make_shared<CountingSleeper>();
  std::unique_ptr<PPTInfo> info;
  pugi::xml_document doc;
  bool overran = false;
  std::int32_t lastCurrent = -1, lastMax = -1;
};

}  // namespace quillmere::testing
