// Presentations.Add gives a blank windowless presentation whose slide's theme
// colours can be set and saved. A picture copied alone into it and saved as a
// web page leaves the deck's own picture file there, byte for byte; a movie or
// sound saved as a package is "ppt/media/media1.<ext>" with the deck's bytes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>

#include "engine/model/media/PictureFileType.h"
#include "engine/objects/document/WebPageSave.h"
#include "engine/package/Package.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/engine/ScratchCopies.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;
using engine::packagetest::TempFolder;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kMsoPicture = 13;

struct PictureCase {
  const char* deck;
  int slide, shape;
  const char* part;  // the picture's part in the deck
  const char* file;  // the file the web page's folder holds for it
};

// The content of one gzip member; empty when it is not one.
std::string Gunzipped(const std::string& bytes) {
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return {};
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  std::string out;
  char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    result = inflate(&stream, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - stream.avail_out);
  }
  inflateEnd(&stream);
  return result == Z_STREAM_END ? out : std::string();
}

// The files in a folder, by name.
std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string PartBytes(const fs::path& deck, const std::string& part) {
  return engine::Package::Open(deck)->ReadBytes(part);
}

class EngineOriginalPictureTest : public ::testing::Test {
 protected:
  // The supporting files of a web page saved from a copy of the shape, stripped of its effects.
  fs::path CopyToWebPage(const Object& shape, bool picture = true) {
    Object scratch = ScratchWithCopyOf(app_, shape);
    Object pasted = scratch.Child("Slides").Item(1).Child("Shapes").Item(1);
    std::vector<std::string> failed = StripEffects(pasted);
    if (picture) {
      EXPECT_THAT(failed, IsEmpty());
    }
    std::string page = "page" + std::to_string(++pages_);
    return SaveAsWebPage(scratch, temp_.Path(), page, engine::kSupportingFilesSuffix);
  }
  void ExpectOriginal(const PictureCase& c) {
    SCOPED_TRACE(c.deck);
    Object deck = OpenDeck(app_, Deck(c.deck));
    Object shape = deck.Child("Slides").Item(c.slide).Child("Shapes").Item(c.shape);
    fs::path files = CopyToWebPage(shape, shape.Get("Type").AsLong() == kMsoPicture);
    EXPECT_THAT(FileNames(files), ElementsAre(c.file));
    std::string saved = ReadFile(files / c.file);
    // Metafiles go into the page compressed, as the application saves them.
    if (std::string_view(c.file).ends_with("z")) saved = Gunzipped(saved);
    EXPECT_EQ(saved, PartBytes(Deck(c.deck), c.part));
    deck.Call("Close");
  }

  TempFolder temp_;
  Object app_ = StartEngine();
  int pages_ = 0;
};

TEST_F(EngineOriginalPictureTest, EachPictureFormatOfTheCorpusComesOutAsTheDeckHoldsIt) {
  for (const PictureCase& c : {
           PictureCase{"poi__bug65673.pptx", 1, 3, "ppt/media/image1.png", "image001.png"},
           PictureCase{"pptx__shp-connector-props.pptx", 2, 1, "ppt/media/image1.jpeg", "image001.jpg"},
           PictureCase{"pptx__test_slides.pptx", 1, 3, "ppt/media/image1.gif", "image001.gif"},
           PictureCase{"poi__at.ecodesign.www_downloads_Vertiefungsvortrag_elektronik.pptx", 23, 3,
                       "ppt/media/image24.emf", "image001.emz"},
           PictureCase{"poi__aascu.org_hbcu_leadershipsummit_cooper_.pptx", 11, 29, "ppt/media/image9.wmf",
                       "image001.wmz"},
       })
    ExpectOriginal(c);
}

TEST_F(EngineOriginalPictureTest, TextureFillsGroupsAndMembersComeOutToo) {
  // A shape whose picture is its fill.
  ExpectOriginal({"poi__51187.pptx", 1, 1, "ppt/media/image1.png", "image001.png"});
  // A group brings its members' pictures.
  ExpectOriginal({"pptx__test_slides.pptx", 1, 5, "ppt/media/image2.jpeg", "image001.jpg"});

  // A group member and a placeholder without a frame of its own land where they were seen.
  Object deck = OpenDeck(app_, Deck("pptx__test_slides.pptx"));
  Object shapes = deck.Child("Slides").Item(1).Child("Shapes");
  for (const Object& shape : {shapes.Item("Group 10").Child("GroupItems").Item(1), shapes.Item("Title 1")}) {
    Object scratch = ScratchWithCopyOf(app_, shape);
    Object pasted = scratch.Child("Slides").Item(1).Child("Shapes").Item(1);
    EXPECT_EQ(pasted.Get("Name").AsString(), shape.Get("Name").AsString());
    for (const char* side : {"Left", "Top", "Width", "Height"})
      EXPECT_NEAR(pasted.Get(side).AsDouble(), shape.Get(side).AsDouble(), 0.01) << side;
    scratch.Call("Close");
  }
  EXPECT_GT(shapes.Item("Title 1").Get("Width").AsDouble(), 0);  // inherited, so the copy had to be given it
}

TEST_F(EngineOriginalPictureTest, AnSvgPictureGivesItsSvgFileAndItsPngFallback) {
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>";
  fs::path deck =
      EditedDeck(Deck("poi__bug65673.pptx"), temp_ / "svg.pptx",
                 {{"<p:sld ", "<p:sld xmlns:asvg=\"http://schemas.microsoft.com/office/drawing/2016/SVG/main\" "},
                  {"</a:extLst></a:blip>",
                   "<a:ext uri=\"{96DAC541-7B7A-43D3-8B79-37D633B846F1}\"><asvg:svgBlip r:embed=\"rId9\"/></a:ext>"
                   "</a:extLst></a:blip>"}},
                 RelationshipXml("rId9", kImageRelationship, "../media/image2.svg"),
                 {{"ppt/media/image2.svg", svg, "image/svg+xml"}});
  Object pres = OpenDeck(app_, deck.string());
  Object picture = pres.Child("Slides").Item(1).Child("Shapes").Item(3);
  fs::path files = CopyToWebPage(picture);
  EXPECT_THAT(FileNames(files), ElementsAre("image001.png", "image002.svg"));
  EXPECT_EQ(ReadFile(files / "image001.png"), PartBytes(deck, "ppt/media/image1.png"));
  EXPECT_EQ(ReadFile(files / "image002.svg"), svg);

  // Saved as a package, the pasted picture's SVG still resolves: its namespace came along with it.
  Object scratch = ScratchWithCopyOf(app_, picture);
  fs::path saved = temp_ / "scratch.pptx";
  scratch.Call("SaveAs", saved.string(), kPpSaveAsOpenXmlPresentation, kMsoTriStateMixed);
  scratch.Call("Close");
  std::string slide = PartBytes(saved, "ppt/slides/slide1.xml");
  EXPECT_THAT(slide, ::testing::HasSubstr("xmlns:asvg=\"http://schemas.microsoft.com/office/drawing/2016/SVG/main\""));
  Object reopened = OpenDeck(app_, saved.string());
  EXPECT_THAT(FileNames(CopyToWebPage(reopened.Child("Slides").Item(1).Child("Shapes").Item(1))),
              ElementsAre("image001.png", "image002.svg"));
}

TEST_F(EngineOriginalPictureTest, BrokenPicturesCopyAndSaveWithoutTheirFileAndNothingOutsideTheFolder) {
  // A blank deck saved by the engine, given pictures whose part is missing,
  // empty, above the package root, of an unknown format, or a linked file.
  Object blank = app_.Child("Presentations").Call("Add", 0);
  blank.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  blank.Call("SaveAs", (temp_ / "blank.pptx").string(), kPpSaveAsOpenXmlPresentation);
  blank.Call("Close");
  auto picture = [](int id, const std::string& blip) {
    return "<p:pic><p:nvPicPr><p:cNvPr id=\"" + std::to_string(id) + "\" name=\"Picture " + std::to_string(id) +
           "\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr><p:blipFill>" + blip +
           "<a:stretch><a:fillRect/></a:stretch></p:blipFill><p:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/>"
           "<a:ext cx=\"952500\" cy=\"952500\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
           "</p:spPr></p:pic>";
  };
  fs::path deck = EditedDeck(
      temp_ / "blank.pptx", temp_ / "broken.pptx",
      {{"</p:spTree>", picture(2, "<a:blip r:embed=\"rIdMissing\"/>") + picture(3, "<a:blip r:embed=\"rIdEmpty\"/>") +
                           picture(4, "<a:blip r:embed=\"rIdOutside\"/>") +
                           picture(5, "<a:blip r:embed=\"rIdUnknown\"/>") +
                           picture(6, "<a:blip r:link=\"rIdLinked\"/>") + picture(7, "<a:blip r:embed=\"rIdNone\"/>") +
                           "</p:spTree>"}},
      RelationshipXml("rIdMissing", kImageRelationship, "../media/missing.png") +
          RelationshipXml("rIdEmpty", kImageRelationship, "../media/empty.png") +
          RelationshipXml("rIdOutside", kImageRelationship, "../../../../../outside.png") +
          RelationshipXml("rIdUnknown", kImageRelationship, "../media/unknown.wdp") +
          RelationshipXml("rIdLinked", kImageRelationship, "file:///nowhere/linked.png", true),
      {{"ppt/media/empty.png", "", "image/png"},
       {"ppt/media/unknown.wdp", std::string("II\xBC\x01 not a picture the page can show"), "image/vnd.ms-photo"}});

  Object pres = OpenDeck(app_, deck.string());
  Object shapes = pres.Child("Slides").Item(1).Child("Shapes");
  ASSERT_EQ(shapes.Count(), 6);
  for (int i = 1; i <= shapes.Count(); ++i) {
    SCOPED_TRACE(shapes.Item(i).Get("Name").AsString());
    fs::path files = CopyToWebPage(shapes.Item(i));
    EXPECT_TRUE(fs::is_directory(files));
    EXPECT_THAT(FileNames(files), IsEmpty());
  }
  // Every page and folder, and nothing else, in the test's folder; nothing above it.
  std::vector<std::string> expected = {"blank.pptx", "broken.pptx"};
  for (int page = 1; page <= 6; ++page)
    for (std::string name : {".html", "_files"}) expected.push_back("page" + std::to_string(page) + name);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FileNames(temp_.Path()), expected);
  EXPECT_FALSE(fs::exists(temp_.Path().parent_path() / "outside.png"));

  // The linked picture stays a link in the copy.
  Object scratch = ScratchWithCopyOf(app_, shapes.Item("Picture 6"));
  scratch.Call("SaveAs", (temp_ / "linked.pptx").string(), kPpSaveAsOpenXmlPresentation);
  scratch.Call("Close");
  auto saved = engine::Package::Open(temp_ / "linked.pptx");
  const auto& rels = saved->Relationships("ppt/slides/slide1.xml");
  EXPECT_TRUE(std::any_of(rels.begin(), rels.end(), [](const engine::Relationship& r) {
    return r.external && r.target == "file:///nowhere/linked.png";
  }));

  // Errors PowerPoint gives: nothing copied yet, a background, a folder that is not there, an unknown format.
  Object fresh = StartEngine();
  Object empty = fresh.Child("Presentations").Call("Add", 0);
  Object slide = empty.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  try {
    slide.Child("Shapes").Call("Paste");
    ADD_FAILURE() << "pasted from an empty clipboard";
  } catch (const ComError& e) {
    EXPECT_THAT(e.Description(), ::testing::HasSubstr("Clipboard is empty"));
  }
  EXPECT_THROW(slide.Child("Background").Call("Copy"), ComError);
  EXPECT_THROW(empty.Call("SaveAs", (temp_ / "no" / "page.html").string(), kPpSaveAsHtml), ComError);
  EXPECT_FALSE(fs::exists(temp_ / "no"));
  EXPECT_THROW(empty.Call("SaveAs", (temp_ / "x.ppt").string(), 99), ComError);
}

TEST(EngineScratchPresentationTest, AddGivesAWindowlessBlankPresentationThatCloseRemoves) {
  Object app = StartEngine();
  Object presentations = app.Child("Presentations");
  Object deck = OpenDeck(app, Deck("poi__bug65673.pptx"));
  Object scratch = presentations.Call("Add", 0);
  EXPECT_EQ(presentations.Count(), 2);
  // Counted on from the untitled copy opened first, as PowerPoint counts its new presentations.
  EXPECT_EQ(scratch.Get("Name").AsString(), "Presentation2");
  EXPECT_EQ(scratch.Child("Slides").Count(), 0);
  // Without a window it never becomes the active presentation.
  EXPECT_THROW(app.Get("ActivePresentation"), ComError);
  Object withWindow = presentations.Call("Add");
  EXPECT_EQ(app.Child("ActivePresentation").Get("Name").AsString(), "Presentation3");
  withWindow.Call("Close");

  Object slide = scratch.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  EXPECT_EQ(slide.Get("Layout").AsLong(), kPpLayoutBlank);
  EXPECT_EQ(slide.Child("Shapes").Count(), 0);
  EXPECT_EQ(scratch.Child("PageSetup").Get("SlideWidth").AsSingle(), 720.0f);
  // A range of all shapes deletes them all.
  slide.Child("Shapes").Call("AddShape", 1, 10, 10, 50, 50);
  slide.Child("Shapes").Call("AddShape", 9, 70, 10, 50, 50);
  slide.Child("Shapes").Child("Range").Call("Delete");
  EXPECT_EQ(slide.Child("Shapes").Count(), 0);

  scratch.Call("Close");
  EXPECT_EQ(presentations.Count(), 1);
  EXPECT_THROW(scratch.Get("Slides"), ComError);
  EXPECT_EQ(presentations.Item(1).Get("Name").AsString(), deck.Get("Name").AsString());
}

TEST(EngineScratchPresentationTest, ThemeColoursSetOnTheSlideAreReadBackAndSaved) {
  TempFolder temp;
  Object app = StartEngine();
  Object source = OpenDeck(app, Deck("poi__backgrounds.pptx")).Child("Slides").Item(1);
  Object scratch = app.Child("Presentations").Call("Add", 0);
  Object slide = scratch.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  for (int i = 1; i <= 12; ++i)
    slide.Child("ThemeColorScheme", i).Put("RGB", source.Child("ThemeColorScheme").Child("Colors", i).Get("RGB"));
  // Dark 1 written as a distinct colour, through the scheme object this time.
  slide.Child("ThemeColorScheme").Child("Colors", 1).Put("RGB", 0x123456);
  auto expected = [&](int i) { return i == 1 ? 0x123456 : source.Child("ThemeColorScheme", i).Get("RGB").AsLong(); };
  for (int i = 1; i <= 12; ++i) EXPECT_EQ(slide.Child("ThemeColorScheme", i).Get("RGB").AsLong(), expected(i)) << i;
  // A master's theme colours, read the way the writers read them for shapes on a master.
  Object theme = scratch.Child("Designs").Item(1).Child("SlideMaster").Child("Theme");
  EXPECT_EQ(theme.Child("ThemeColorScheme", 1).Get("RGB").AsLong(), 0x123456);

  fs::path saved = temp / "scratch.pptx";
  scratch.Call("SaveAs", saved.string(), kPpSaveAsOpenXmlPresentation, kMsoTriStateMixed);
  EXPECT_EQ(scratch.Get("FullName").AsString(), saved.string());
  scratch.Call("Close");
  Object reopened = OpenDeck(app, saved.string());
  for (int i = 1; i <= 12; ++i)
    EXPECT_EQ(reopened.Child("Slides").Item(1).Child("ThemeColorScheme", i).Get("RGB").AsLong(), expected(i)) << i;
  // A scheme read from a theme part stays read only.
  EXPECT_THROW(theme.Child("ThemeColorScheme", 1).Put("RGB", 0), ComError);
}

TEST(EngineScratchPresentationTest, AnEmptyPresentationSavedAsAWebPageShowsTheSupportingFilesSuffix) {
  TempFolder temp;
  Object app = StartEngine();
  Object blank = app.Child("Presentations").Call("Add", 0);
  blank.Call("SaveAs", (temp / "calibrate.html").string(), kPpSaveAsHtml, kMsoTriStateMixed);
  blank.Call("Close");
  // The calibration: the first folder beside the page, less the page's base name.
  std::string suffix;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp.Path()))
    if (entry.is_directory()) suffix = entry.path().filename().string().substr(std::string("calibrate").size());
  EXPECT_EQ(suffix, engine::kSupportingFilesSuffix);
  EXPECT_TRUE(fs::is_empty(temp / ("calibrate" + suffix)));
  EXPECT_TRUE(fs::is_regular_file(temp / "calibrate.html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 2);
}

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

class EngineMediaCopyTest : public EngineOriginalPictureTest {
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

  int copies_ = 0;
};

TEST_F(EngineMediaCopyTest, MoviesAndSoundsComeOutAsMediaOneWithTheirOwnBytes) {
  for (auto [deck, file] :
       {std::pair{"poi__EmbeddedAudio.pptx", "media1.mp3"}, std::pair{"poi__EmbeddedVideo.pptx", "media1.mp4"},
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
  EXPECT_THAT(
      MediaFiles(SaveCopies({png, jpeg, movie, movie})),
      ::testing::ElementsAre("image1.png", "image2.jpg", "image3.png", "image4.png", "media1.mp4", "media2.mp4"));

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

TEST(PictureFileTypeTest, TheBytesNameTheFileWhateverThePartIsCalled) {
  using engine::PictureFileExtension;
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  EXPECT_EQ(PictureFileExtension(emf, "ppt/media/image1.emf"), "emf");
  EXPECT_EQ(PictureFileExtension("\xFF\xD8\xFF\xE0 JFIF", "ppt/media/image1.png"), "jpg");  // misnamed by its writer
  EXPECT_EQ(PictureFileExtension(std::string("\x01\0\x09\0", 4) + std::string(14, '\0'), "x.bin"), "wmf");
  // Compressed metafiles are told apart by name only; EMF is what PowerPoint compresses most.
  EXPECT_EQ(PictureFileExtension("\x1F\x8B\x08 gzip", "ppt/media/image2.WMZ"), "wmz");
  EXPECT_EQ(PictureFileExtension("\x1F\x8B\x08 gzip", "ppt/media/image2.bin"), "emz");
  EXPECT_EQ(PictureFileExtension("\xEF\xBB\xBF\n<?xml version=\"1.0\"?><svg/>", "image.xml"), "svg");
  EXPECT_EQ(PictureFileExtension(std::string("MM\0*", 4), "image.tiff"), "tif");
  // HD Photo, PDF, XML that is no SVG, and nothing at all have no file a page shows as it is.
  for (std::string_view other : {std::string_view("II\xBC\x01"), std::string_view("%PDF-1.4"),
                                 std::string_view("<?xml version=\"1.0\"?><root/>"), std::string_view()})
    EXPECT_EQ(PictureFileExtension(other, "ppt/media/image9.png"), "") << other;
}

}  // namespace
}  // namespace quillmere::testing
