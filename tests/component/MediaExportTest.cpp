// Whole exports of real decks with textures, picture backgrounds, sounds and
// movies: every file the XML names holds what the deck holds.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <filesystem>
#include <set>

#include "engine/package/LibreOfficeInstallation.h"
#include "tests/component/TaggedDeckExport.h"
#include "tests/helpers/MissingTool.h"
#include "tests/helpers/ZipFiles.h"
#include "tests/render/ImageChecks.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

// The bytes of every media part of the deck.
std::set<std::string> MediaParts(const std::string& deck) {
  std::set<std::string> parts;
  for (const ZipRead& entry : ReadZip(deck))
    if (entry.name.starts_with("ppt/media/")) parts.insert(entry.bytes);
  return parts;
}

class MediaExportTest : public EngineExportTest {
 protected:
  // The text of every element of that name anywhere below node.
  static std::vector<std::string> All(pugi::xml_node node, const char* name) {
    std::vector<std::string> values;
    for (pugi::xpath_node hit : node.select_nodes((std::string(".//") + name).c_str()))
      values.emplace_back(hit.node().child_value());
    return values;
  }
};

TEST_F(MediaExportTest, TexturesSoundsAndMoviesAreTheDecksOwnBytes) {
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
  // A sound that plays first on its slide is the slide's narration, written once: not as a shape too.
  std::string audio = Deck("poi__EmbeddedAudio.pptx");
  pugi::xml_node slide = Export(audio).child("Slides").child("Slide");
  EXPECT_TRUE(MediaParts(audio).contains(ReadFile(slide.child_value("LumideskNarration")))) << slide.child_value("LumideskNarration");
  EXPECT_TRUE(All(doc, "Media").empty());
  EXPECT_FALSE(slide.child("Shapes").find_child_by_attribute("Shape", "name", "sample-3s.mp3"));
  for (auto [name, element] : {std::pair{"poi__EmbeddedVideo.pptx", "Movie"}, {"pptx__shp-movie-props.pptx", "Movie"}}) {
    std::string deck = Deck(name);
    std::set<std::string> media = MediaParts(deck);
    std::vector<std::string> files = All(Export(deck), element);
    ASSERT_FALSE(files.empty()) << name;
    for (const std::string& file : files) EXPECT_TRUE(media.contains(ReadFile(file))) << name << ": " << file;
  }
}

TEST_F(MediaExportTest, PictureBackgroundsAreDrawn) {
  QUILLMERE_REQUIRE_TOOL(!engine::FindSoffice().empty(), "LibreOffice");
  Use(16, true);
  for (const char* name : {"poi__backgrounds.pptx", "poi__bug68703.pptx"}) {
    pugi::xml_node presentation = Export(Deck(name));
    int pictures = 0;
    for (pugi::xpath_node hit : presentation.select_nodes("//Background[Type='4' or Type='6']")) {
      std::string image = hit.node().child_value("Image");
      std::optional<Rgba> png = ReadPng(image);
      ASSERT_TRUE(png) << name << ": " << image;
      // A picture is not one colour.
      std::set<std::vector<unsigned char>> colours;
      for (std::size_t i = 0; i < png->pixels.size() && colours.size() < 2; i += 4 * 97)
        colours.insert({png->pixels.begin() + i, png->pixels.begin() + i + 3});
      EXPECT_GT(colours.size(), 1u) << name << ": " << image;
      ++pictures;
    }
    EXPECT_GT(pictures, 0) << name;
  }
}

}  // namespace
}  // namespace quillmere::testing
