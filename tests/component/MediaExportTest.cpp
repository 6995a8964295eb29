// Whole exports of real decks with textures: every texture file the XML names
// holds what the deck holds. Sounds and movies take the road EngineMediaCopyTest
// follows, and the narration writer's choice is NarrationTest's.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <set>

#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::testing {
namespace {

// The bytes of every media part of the deck.
std::set<std::string> MediaParts(const std::string& deck) {
  std::set<std::string> parts;
  for (const ZipRead& entry : ReadZip(deck))
    if (entry.name.starts_with("ppt/media/")) parts.insert(entry.bytes);
  return parts;
}

using MediaExportTest = EngineExportTest;

TEST_F(MediaExportTest, TexturesAreTheDecksOwnBytes) {
  Use(16, false);
  for (const char* name : {"poi__backgrounds.pptx", "pptx__dml-fill.pptx"}) {
    std::string deck = Deck(name);
    std::set<std::string> media = MediaParts(deck);
    pugi::xml_node presentation = Export(deck);
    int textures = 0;
    for (pugi::xpath_node hit : presentation.select_nodes("//Shapes//Fill[Type='4']")) {
      std::string image = hit.node().child_value("Image");
      ASSERT_FALSE(image.empty()) << name;
      EXPECT_TRUE(media.contains(ReadFile(image))) << name << ": " << image;
      ++textures;
    }
    EXPECT_GT(textures, 0) << name;
  }
}

}  // namespace
}  // namespace quillmere::testing
