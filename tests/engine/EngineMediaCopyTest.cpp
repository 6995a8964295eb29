// A movie or sound copied alone into a new presentation saved as an Open XML
// package is there as "ppt/media/media1.<ext>" with the deck's own bytes: the
// road the sound and media writers take to the file behind a media shape.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/package/Package.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/engine/ScratchCopies.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;
using engine::packagetest::TempFolder;

constexpr int kMsoMedia = 16;

Object FirstMediaShape(const Object& slide) {
  Object shapes = slide.Child("Shapes");
  for (int i = 1; i <= shapes.Count(); ++i)
    if (shapes.Item(i).Get("Type").AsLong() == kMsoMedia) return shapes.Item(i);
  return {};
}

// The part the first slide's PowerPoint 2010 media relationship leads to.
std::string MediaPart(const fs::path& deck) {
  auto package = engine::Package::Open(deck);
  const engine::Relationship* media = package->FindRelationshipOfType("ppt/slides/slide1.xml", "media");
  return media ? media->target : std::string();
}

// The names of a package's parts in its media folder, without the folder, as a flattened unzip shows them.
std::vector<std::string> MediaFiles(const fs::path& package) {
  std::vector<std::string> names;
  for (const std::string& part : engine::Package::Open(package)->PartNames())
    if (part.starts_with("ppt/media/")) names.push_back(part.substr(std::string("ppt/media/").size()));
  std::sort(names.begin(), names.end());
  return names;
}

class EngineMediaCopyTest : public ::testing::Test {
 protected:
  // The scratch presentation holding copies of the shapes, in order, saved as a package and closed.
  fs::path SaveCopies(const std::vector<Object>& shapes) {
    Object scratch = ScratchWithCopyOf(app_, shapes.front());
    for (std::size_t i = 1; i < shapes.size(); ++i) {
      shapes[i].Call("Copy");
      scratch.Child("Slides").Item(1).Child("Shapes").Call("Paste");
    }
    fs::path saved = temp_ / ("copy" + std::to_string(++copies_) + ".pptx");
    scratch.Call("SaveAs", saved.string(), kPpSaveAsOpenXmlPresentation, kMsoTriStateMixed);
    scratch.Call("Close");
    return saved;
  }

  TempFolder temp_;
  Object app_ = StartEngine();
  int copies_ = 0;
};

TEST_F(EngineMediaCopyTest, MoviesAndSoundsComeOutAsMediaOneWithTheirOwnBytes) {
  for (auto [deck, file] : {std::pair{"poi__EmbeddedAudio.pptx", "media1.mp3"},
                            std::pair{"poi__EmbeddedVideo.pptx", "media1.mp4"},
                            std::pair{"pptx__shp-movie-props.pptx", "media1.mp4"}}) {
    SCOPED_TRACE(deck);
    Object pres = OpenDeck(app_, Deck(deck));
    Object media = FirstMediaShape(pres.Child("Slides").Item(1));
    ASSERT_TRUE(media);
    fs::path saved = SaveCopies({media});
    auto package = engine::Package::Open(saved);
    EXPECT_EQ(package->ReadBytes(std::string("ppt/media/") + file),
              engine::Package::Open(Deck(deck))->ReadBytes(MediaPart(Deck(deck))));
    // The copy opens again as the same kind of media, its poster frame kept.
    Object copy = OpenDeck(app_, saved.string()).Child("Slides").Item(1).Child("Shapes").Item(1);
    EXPECT_EQ(copy.Get("MediaType").AsLong(), media.Get("MediaType").AsLong());
    EXPECT_THAT(MediaFiles(saved), ::testing::ElementsAre("image1.png", file));
    pres.Call("Close");
  }
}

TEST_F(EngineMediaCopyTest, PartsAreNumberedByKindAsPowerPointNamesThemInANewDeck) {
  // Pictures first, counted over their extensions, then a movie whose poster
  // is a picture too: the movie is still media1.
  Object png = OpenDeck(app_, Deck("poi__bug65673.pptx")).Child("Slides").Item(1).Child("Shapes").Item(3);
  Object jpeg = OpenDeck(app_, Deck("poi__56812.pptx")).Child("Slides").Item(1).Child("Shapes").Item(1);
  Object movie = FirstMediaShape(OpenDeck(app_, Deck("poi__EmbeddedVideo.pptx")).Child("Slides").Item(1));
  EXPECT_THAT(MediaFiles(SaveCopies({png, jpeg, movie, movie})),
              ::testing::ElementsAre("image1.png", "image2.jpg", "image3.png", "image4.png", "media1.mp4",
                                     "media2.mp4"));

  // A sound effect (a:snd) only an audio relationship reaches is kept as audioN.
  const std::string wave = std::string("RIFF\x24\0\0\0WAVEfmt ", 16);
  fs::path deck = EditedDeck(
      Deck("poi__bug65673.pptx"), temp_ / "sound.pptx",
      {{"<p:cNvPr id=\"4\" name=\"LOGO\">",
        "<p:cNvPr id=\"4\" name=\"LOGO\"><a:hlinkClick r:id=\"\" action=\"ppaction://noaction\" highlightClick=\"1\">"
        "<a:snd r:embed=\"rId9\" name=\"click.wav\"/></a:hlinkClick>"}},
      RelationshipXml("rId9", kAudioRelationship, "../media/sound.wav"), {{"ppt/media/sound.wav", wave, "audio/wav"}});
  Object withSound = OpenDeck(app_, deck.string()).Child("Slides").Item(1).Child("Shapes").Item(3);
  fs::path saved = SaveCopies({withSound});
  EXPECT_THAT(MediaFiles(saved), ::testing::ElementsAre("audio1.wav", "image1.png"));
  EXPECT_EQ(engine::Package::Open(saved)->ReadBytes("ppt/media/audio1.wav"), wave);
  // The click action's empty relationship id is left as PowerPoint writes it.
  EXPECT_THAT(engine::Package::Open(saved)->ReadBytes("ppt/slides/slide1.xml"),
              ::testing::HasSubstr("<a:hlinkClick r:id=\"\""));
}

}  // namespace
}  // namespace quillmere::testing
