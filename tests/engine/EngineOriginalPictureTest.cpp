// A picture copied alone into a new presentation and saved as a web page
// leaves the deck's own picture file, byte for byte, in the page's
// supporting-files folder: the road the original-picture writer takes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <zlib.h>

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
  fs::path deck = EditedDeck(
      Deck("poi__bug65673.pptx"), temp_ / "svg.pptx",
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
