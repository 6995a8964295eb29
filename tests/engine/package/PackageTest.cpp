// The package reads the parts, relationships and content types of real and
// hand-built zips, tells what is wrong with a bad one, resolves part names,
// and saves: untouched entries copied, edited parts written from their DOM.

#include <zip.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "PackageTestFiles.h"
#include "engine/package/Package.h"
#include "engine/package/PartName.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::engine {
namespace {

using namespace packagetest;
using Kind = PackageError::Kind;

// Zip decks of the corpus that are damaged: cut short, or inconsistent after fuzzing.
const std::set<std::string> kCorruptZips = {
    "poi__Divino_Revelado.pptx",
    "poi__clusterfuzz-testcase-minimized-POIFuzzer-5205835528404992.pptx",
    "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-5463285576892416.pptx",
    "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-5471515212382208.pptx",
    "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx",
};

// WriteFailed, which Open never gives, when the file opens.
Kind OpenFails(const std::filesystem::path& file, const PackageLimits& limits = {}, std::string* message = nullptr) {
  try {
    Package::Open(file, limits);
  } catch (const PackageError& e) {
    if (message) *message = e.what();
    return e.GetKind();
  }
  return Kind::WriteFailed;
}

class PackageOpenTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::vector<StoredEntry>& entries, const std::string& name = "deck.pptx") {
    WriteFile(temp_ / name, StoredZip(entries));
    return temp_ / name;
  }
  TempFolder temp_;
};

TEST_F(PackageOpenTest, EveryCorpusZipOpensOrIsCorrupt) {
  for (const auto& [name, container] : CorpusManifest()) {
    if (container != "zip") continue;
    SCOPED_TRACE(name);
    if (kCorruptZips.count(name)) {
      EXPECT_EQ(OpenFails(CorpusFile(name)), Kind::Corrupt);
      continue;
    }
    std::unique_ptr<Package> package = Package::Open(CorpusFile(name));
    ASSERT_NE(package->FindXml(package->MainPartName()), nullptr);
    // Every part must read without a crash; damaged ones only give no DOM.
    for (const std::string& part : package->PartNames()) {
      if (part.ends_with(".xml") || part.ends_with(".rels")) package->FindXml(part);
      for (const Relationship& r : package->Relationships(part)) EXPECT_FALSE(r.id.empty());
    }
  }
}

TEST_F(PackageOpenTest, ReadsPartsRelationshipsAndContentTypes) {
  std::unique_ptr<Package> package = Package::Open(Write(MinimalDeck()));
  EXPECT_EQ(package->MainPartName(), "ppt/presentation.xml");  // from "/ppt/presentation.xml"
  const std::vector<Relationship>& rels = package->Relationships("ppt/presentation.xml");
  ASSERT_EQ(rels.size(), 3u);
  EXPECT_EQ(package->FindRelationship("ppt/presentation.xml", "rId2"), &rels[0]);  // the first of two "rId2"
  EXPECT_EQ(rels[0].target, "ppt/slides/slide1.xml");
  EXPECT_EQ(rels[0].type, "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide");
  EXPECT_TRUE(rels[1].external);
  EXPECT_EQ(rels[1].target, "http://example.com/a%20b");
  EXPECT_EQ(package->FindRelationshipOfType("ppt/presentation.xml", "lide"), nullptr);
  const Relationship* image = package->FindRelationshipOfType("ppt/slides/slide1.xml", "image");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->target, "ppt/media/my image.png");
  EXPECT_EQ(package->ReadBytes(image->target), "\x89PNG not really");
  EXPECT_EQ(package->ContentType(image->target), "image/png");  // Default "PNG" matches ".png"
  EXPECT_EQ(package->ContentType("PPT/Presentation.XML"),
            "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml");
  EXPECT_EQ(package->ContentType("ppt/none.xml"), "");
  EXPECT_TRUE(package->Relationships("ppt/none.xml").empty());
  EXPECT_THROW(package->ReadBytes("ppt/none.xml"), PackageError);

  pugi::xml_document* slide = package->FindXml("ppt/slides/slide1.xml");
  ASSERT_NE(slide, nullptr);
  EXPECT_EQ(package->FindXml("/PPT/SLIDES/SLIDE1.XML"), slide);  // parsed once, found by any spelling
  EXPECT_EQ(&package->Relationships("ppt/Slides/slide1.xml"), &package->Relationships("ppt/slides/slide1.xml"));
  EXPECT_STREQ(slide->select_node("//a:t").node().text().get(), " ");
  // Indentation between elements is not kept as nodes.
  EXPECT_EQ(slide->select_node("//p:spTree").node().first_child().type(), pugi::node_element);
}

TEST_F(PackageOpenTest, ReadsPartsOnlyWhenAsked) {
  std::vector<StoredEntry> entries = MinimalDeck();
  entries[4].badCrc = true;  // the slide
  std::unique_ptr<Package> package = Package::Open(Write(entries));
  EXPECT_TRUE(package->HasPart("ppt/slides/slide1.xml"));
  EXPECT_EQ(package->FindXml("ppt/slides/slide1.xml"), nullptr);
  EXPECT_THROW(package->ReadBytes("ppt/slides/slide1.xml"), PackageError);
}

TEST_F(PackageOpenTest, TellsWhatIsWrongWithABadPackage) {
  struct Case {
    const char* what;
    std::function<void(std::vector<StoredEntry>&)> damage;
    Kind kind;
  };
  const Case cases[] = {
      {"main part with a bad CRC", [](auto& e) { e[2].badCrc = true; }, Kind::Corrupt},
      {"main part not well-formed", [](auto& e) { e[2].data = "<p:presentation"; }, Kind::Corrupt},
      {"no content types", [](auto& e) { e.erase(e.begin()); }, Kind::Corrupt},
      {"same name twice", [](auto& e) { e.emplace_back("ppt/slides/slide1.xml", "<p:sld/>"); }, Kind::Corrupt},
      {"names differing in case", [](auto& e) { e.emplace_back("PPT/Slides/Slide1.xml", "<p:sld/>"); }, Kind::Corrupt},
      {"no main part", [](auto& e) { e.erase(e.begin() + 2); }, Kind::NotAPresentation},
      {"a word document", [](auto& e) { e[2].data = "<w:document xmlns:w=\"urn:w\"/>"; }, Kind::NotAPresentation},
      {"photos only", [](auto& e) { e.assign(1, StoredEntry("photo.jpg", "not a jpeg")); }, Kind::NotAPresentation},
  };
  for (const Case& c : cases) {
    std::vector<StoredEntry> entries = MinimalDeck();
    c.damage(entries);
    EXPECT_EQ(OpenFails(Write(entries)), c.kind) << c.what;
  }
}

TEST_F(PackageOpenTest, TellsWhyAFileIsNoPackage) {
  std::string message;
  EXPECT_EQ(OpenFails(temp_ / "missing.pptx"), Kind::NotFound);
  WriteFile(temp_ / "text.pptx", "just some text, long enough to look for a zip directory in it");
  EXPECT_EQ(OpenFails(temp_ / "text.pptx"), Kind::NotAZip);
  std::string deck = ReadFile(CorpusFile("poi__SampleShow.pptx"));
  WriteFile(temp_ / "cut.pptx", deck.substr(0, deck.size() / 2));
  EXPECT_EQ(OpenFails(temp_ / "cut.pptx", {}, &message), Kind::Corrupt);
  EXPECT_NE(message.find("truncated"), std::string::npos) << message;
  WriteFile(temp_ / "empty.pptx", std::string("PK\5\6", 4) + std::string(18, '\0'));
  EXPECT_EQ(OpenFails(temp_ / "empty.pptx"), Kind::NotAPresentation);
}

TEST_F(PackageOpenTest, IgnoresEntriesThatLeaveThePackage) {
  std::vector<StoredEntry> entries = MinimalDeck();
  for (const char* name : {"../evil.xml", "/etc/evil.xml", "C:/evil.xml", "ppt/..\\..\\evil.xml", "ppt/folder/"})
    entries.push_back({name, "<evil/>"});
  std::unique_ptr<Package> package = Package::Open(Write(entries));
  EXPECT_EQ(package->PartNames().size(), MinimalDeck().size());
  EXPECT_FALSE(package->HasPart("../evil.xml"));
  EXPECT_FALSE(package->HasPart("evil.xml"));
}

TEST_F(PackageOpenTest, EnforcesSizeCountAndRatioLimits) {
  PackageLimits fewEntries, fewBytes, anyRatio;
  fewEntries.maxEntries = 5;
  fewBytes.maxTotalBytes = 10000;
  anyRatio.minCompressionRatio = 0;
  EXPECT_EQ(OpenFails(CorpusFile("poi__SampleShow.pptx"), fewEntries), Kind::TooLarge);
  EXPECT_EQ(OpenFails(CorpusFile("poi__SampleShow.pptx"), fewBytes), Kind::TooLarge);

  std::filesystem::path bomb = Write(MinimalDeck());
  std::string zeros(4 << 20, '\0');  // deflates about a thousand times
  int code = 0;
  zip_t* zip = zip_open(bomb.c_str(), 0, &code);
  ASSERT_NE(zip, nullptr);
  ASSERT_GE(zip_file_add(zip, "ppt/media/zeros.bin", zip_source_buffer(zip, zeros.data(), zeros.size(), 0), 0), 0);
  ASSERT_EQ(zip_close(zip), 0);
  EXPECT_EQ(OpenFails(bomb), Kind::TooLarge);
  EXPECT_EQ(Package::Open(bomb, anyRatio)->ReadBytes("ppt/media/zeros.bin"), zeros);
}

// The usual targets ("../", "./", "/ppt/...", "%20") are read from real packages in PackageOpenTest.
TEST(PackagePartNames, ResolvesOddTargetsAndRefusesEscapingNames) {
  for (auto [target, want] : {std::pair{"../media/%D0%9A.png", "ppt/media/\xD0\x9A.png"},
                              std::pair{"..\\media\\image1.png", "ppt/media/image1.png"},
                              std::pair{"../../../../x.xml", "x.xml"}, std::pair{"a%zzb%2", "ppt/slides/a%zzb%2"}})
    EXPECT_EQ(ResolvePartName("ppt/slides/slide1.xml", target), want) << target;
  EXPECT_EQ(RelationshipsPartName(""), "_rels/.rels");
  for (const char* bad : {"../evil.xml", "ppt/../../evil.xml", "/etc/passwd", "\\windows\\x", "C:/x.xml",
                          "ppt\\..\\..\\x.xml", "ppt/%2e%2e/x.xml", "", "ppt/slides/"})
    EXPECT_FALSE(IsSafeEntryName(bad)) << bad;
  for (const char* good : {"[Content_Types].xml", "ppt/a..b.xml", "ppt/media/my image.png"})
    EXPECT_TRUE(IsSafeEntryName(good)) << good;
}

TEST(PackagePartNames, RelativeTargetsResolveBackToThePart) {
  EXPECT_EQ(RelativeTarget("ppt/slides/slide1.xml", "ppt/slideLayouts/slideLayout2.xml"),
            "../slideLayouts/slideLayout2.xml");
  EXPECT_EQ(RelativeTarget("ppt/presentation.xml", "ppt/slides/slide3.xml"), "slides/slide3.xml");
  EXPECT_EQ(RelativeTarget("", "ppt/presentation.xml"), "ppt/presentation.xml");
  EXPECT_EQ(RelativeTarget("/PPT/Slides/slide1.xml", "ppt/slides/slide2.xml"), "slide2.xml");  // case does not matter
  EXPECT_EQ(RelativeTarget("ppt/slides/slide1.xml", "docProps/app.xml"), "../../docProps/app.xml");
  EXPECT_EQ(RelativeTarget("ppt/slides/slide1.xml", "ppt/media/my image%.png"), "../media/my%20image%25.png");
  for (const char* target : {"ppt/media/\xD0\x9A.png", "ppt/slides/slide2.xml", "x.xml", "ppt/a/b/c.xml"})
    EXPECT_EQ(ResolvePartName("ppt/slides/slide1.xml", RelativeTarget("ppt/slides/slide1.xml", target)), target);
}

// The key is worked out in one pass; it must be the canonical name lower-cased.
TEST(PackagePartNames, KeysAreTheCanonicalNamesLowerCased) {
  for (const char* name : {"/PPT/Slides/Slide1.XML", "\\ppt\\media\\Image1.PNG", "//ppt/a%41b.xml", "ppt/%2Fx.xml",
                           "ppt/%5Cx.xml", "ppt/%zz%4", "ppt/x%4", "%", "", "/", "ppt/%c3%84.xml", "ppt/%C3%84%41"})
    EXPECT_EQ(PartKey(name), LowerAscii(CanonicalPartName(name))) << name;
  EXPECT_EQ(PartKey("/PPT/My%20Image.PNG"), "ppt/my image.png");
}

const char kSlide[] = "ppt/slides/slide1.xml";

// Entry name → (CRC, compressed size, method), and the entry names in order.
using ZipStats = std::map<std::string, std::tuple<zip_uint32_t, zip_uint64_t, zip_uint16_t>>;
ZipStats StatEntries(const std::filesystem::path& file, std::vector<std::string>* order = nullptr) {
  ZipStats stats;
  for (const testing::ZipRead& e : testing::ReadZip(file)) {
    stats[e.name] = {e.stat.crc, e.stat.comp_size, e.stat.comp_method};
    if (order) order->push_back(e.name);
  }
  return stats;
}

class PackageSaveTest : public ::testing::Test {
 protected:
  std::unique_ptr<Package> OpenDeck(std::vector<StoredEntry> entries = MinimalDeck()) {
    WriteFile(temp_ / "deck.pptx", StoredZip(entries));
    return Package::Open(temp_ / "deck.pptx");
  }
  std::unique_ptr<Package> SaveAndReopen(Package& package) {
    package.SaveAs(temp_ / "saved.pptx");
    return Package::Open(temp_ / "saved.pptx");
  }
  TempFolder temp_;
};

TEST_F(PackageSaveTest, CopiesUntouchedEntriesWithoutRecompressing) {
  std::unique_ptr<Package> package = Package::Open(CorpusFile("poi__SampleShow.pptx"));
  package->FindXml(kSlide);  // parsed but not marked: still copied
  std::unique_ptr<Package> saved = SaveAndReopen(*package);
  std::vector<std::string> order;
  EXPECT_EQ(StatEntries(temp_ / "saved.pptx", &order), StatEntries(CorpusFile("poi__SampleShow.pptx")));
  EXPECT_EQ(order.front(), "[Content_Types].xml");
  EXPECT_EQ(saved->PartNames().size(), package->PartNames().size());
  // A zip of parts alone, [Content_Types].xml first and unchanged, is copied as it is.
  OpenDeck()->SaveAs(temp_ / "plain.pptx");
  EXPECT_EQ(ReadFile(temp_ / "plain.pptx"), ReadFile(temp_ / "deck.pptx"));
}

TEST_F(PackageSaveTest, WritesMarkedPartsFromTheirDom) {
  std::unique_ptr<Package> package = OpenDeck();
  package->FindXml(kSlide)->select_node("//a:r").node().append_copy(
      package->FindXml(kSlide)->select_node("//a:t").node());
  package->FindXml(kSlide)->select_node("//a:t").node().text().set("edited");
  package->MarkModified(kSlide);
  package->FindXml("ppt/presentation.xml")->document_element().append_attribute("unmarked") = "1";
  std::unique_ptr<Package> saved = SaveAndReopen(*package);

  std::string bytes = saved->ReadBytes(kSlide);
  EXPECT_TRUE(bytes.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><p:sld")) << bytes;
  EXPECT_EQ(bytes.find("\n"), std::string::npos) << "written indented: " << bytes;
  pugi::xpath_node_set runs = saved->FindXml(kSlide)->select_nodes("//a:t");
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_STREQ(runs[0].node().text().get(), "edited");
  EXPECT_STREQ(runs[1].node().text().get(), " ");  // a lone space survives the round trip
  EXPECT_FALSE(saved->FindXml("ppt/presentation.xml")->document_element().attribute("unmarked"));
}

TEST_F(PackageSaveTest, WritesPutPartsAndLeavesRemovedOnesOut) {
  std::unique_ptr<Package> package = OpenDeck();
  EXPECT_EQ(package->Revision(), 0u);
  package->PutPart("ppt/media/new.bin", "binary", "application/octet-stream");
  package->PutPart("ppt/media/MY IMAGE.png", "replaced", "");
  std::uint64_t beforeRemoval = package->Revision();
  package->RemovePart(kSlide);
  EXPECT_GT(package->Revision(), beforeRemoval);  // every change makes a new state to show
  // Each part tells when it last changed, so what comes from the others can be kept.
  EXPECT_EQ(package->PartRevision("ppt/presentation.xml"), 0u);
  EXPECT_EQ(package->PartRevision("ppt/media/my image.png"), beforeRemoval);
  EXPECT_GT(package->PartRevision("/ppt/Slides/slide1.xml"), beforeRemoval);
  EXPECT_FALSE(package->HasPart("ppt/slides/_rels/slide1.xml.rels"));  // went with its source
  EXPECT_EQ(package->FindXml(kSlide), nullptr);
  std::unique_ptr<Package> saved = SaveAndReopen(*package);

  EXPECT_FALSE(saved->HasPart(kSlide));
  EXPECT_FALSE(saved->HasPart("ppt/slides/_rels/slide1.xml.rels"));
  EXPECT_EQ(saved->ReadBytes("ppt/media/new.bin"), "binary");
  EXPECT_EQ(saved->ReadBytes("ppt/media/my image.png"), "replaced");
  EXPECT_EQ(saved->ContentType("ppt/media/new.bin"), "application/octet-stream");
  EXPECT_EQ(saved->ReadBytes("[Content_Types].xml").find("slide1.xml"), std::string::npos);
}

// A copy written with parts the package lacks: they are added with their
// content types, the package itself is left as it was, and a name it
// already has is refused.
TEST_F(PackageSaveTest, CopiesCanAddParts) {
  std::unique_ptr<Package> package = OpenDeck();
  const std::string slideType = "application/vnd.openxmlformats-officedocument.presentationml.slide+xml";
  package->SaveCopyWith(temp_ / "copy.pptx", {{kSlide, "<p:sld xmlns:p=\"urn:p\"/>"}},
                        {{"ppt/slides/added.xml", "<p:sld xmlns:p=\"urn:p\"><p:added/></p:sld>", slideType},
                         {"ppt/slides/_rels/added.xml.rels", "<Relationships/>", ""}});
  std::unique_ptr<Package> copy = Package::Open(temp_ / "copy.pptx");
  EXPECT_TRUE(copy->FindXml("ppt/slides/added.xml")->document_element().child("p:added"));
  EXPECT_EQ(copy->ContentType("ppt/slides/added.xml"), slideType);
  EXPECT_EQ(copy->ReadBytes("ppt/slides/_rels/added.xml.rels"), "<Relationships/>");
  EXPECT_FALSE(package->HasPart("ppt/slides/added.xml"));
  EXPECT_EQ(package->Revision(), 0u);
  EXPECT_THROW(package->SaveCopyWith(temp_ / "twice.pptx", {}, {{kSlide, "<p:sld/>", ""}}), PackageError);
  EXPECT_FALSE(std::filesystem::exists(temp_ / "twice.pptx"));
}

TEST_F(PackageSaveTest, PutPartReplacesTheParsedDomAndRelationships) {
  std::unique_ptr<Package> package = OpenDeck();
  ASSERT_NE(package->FindXml(kSlide), nullptr);
  ASSERT_EQ(package->Relationships(kSlide).size(), 1u);
  package->PutPart(kSlide, "<p:sld xmlns:p=\"urn:p\"><p:replaced/></p:sld>", "");
  package->PutPart("ppt/slides/_rels/slide1.xml.rels", "<Relationships/>", "");
  EXPECT_TRUE(package->FindXml(kSlide)->document_element().child("p:replaced"));
  EXPECT_TRUE(package->Relationships(kSlide).empty());
  EXPECT_THROW(package->PutPart("[Content_Types].xml", "<Types/>", ""), PackageError);
}

TEST_F(PackageSaveTest, RelationshipsAddedAndRemovedLeaveThePackageAsItWas) {
  const std::string slideType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
  const std::string layoutType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";
  const char kNew[] = "ppt/slides/slide9.xml";
  const char kMain[] = "ppt/presentation.xml";
  std::unique_ptr<Package> package = Package::Open(CorpusFile("poi__SampleShow.pptx"));
  package->SaveAs(temp_ / "before.pptx");
  size_t relationships = package->Relationships(kMain).size();

  std::string id = package->AddRelationship(kMain, slideType, kNew);
  EXPECT_EQ(package->FindRelationship(kMain, id)->target, kNew);
  EXPECT_EQ(package->Relationships(kMain).size(), relationships + 1);
  package->PutPart(kNew, "<p:sld xmlns:p=\"urn:p\"/>",
                   "application/vnd.openxmlformats-officedocument.presentationml.slide+xml");
  EXPECT_EQ(package->AddRelationship(kNew, layoutType, "ppt/slideLayouts/slideLayout1.xml"), "rId1");
  EXPECT_EQ(package->AddRelationship(kNew, layoutType, "ppt/slideLayouts/slideLayout2.xml"), "rId2");
  EXPECT_TRUE(package->RetargetRelationship(kNew, "rId2", "ppt/slideLayouts/slideLayout3.xml"));
  EXPECT_FALSE(package->RetargetRelationship(kNew, "rId7", "ppt/slideLayouts/slideLayout3.xml"));
  EXPECT_EQ(package->FindRelationshipOfType(kNew, "slideLayout")->target, "ppt/slideLayouts/slideLayout1.xml");
  EXPECT_EQ(package->FindRelationship(kNew, "rId2")->target, "ppt/slideLayouts/slideLayout3.xml");
  EXPECT_NE(package->ReadBytes("ppt/slides/_rels/slide9.xml.rels").find("Target=\"../slideLayouts/slideLayout3.xml\""),
            std::string::npos);
  {
    std::unique_ptr<Package> saved = SaveAndReopen(*package);
    EXPECT_EQ(saved->FindRelationshipOfType(kNew, "slideLayout")->target, "ppt/slideLayouts/slideLayout1.xml");
    EXPECT_EQ(saved->ContentType(kNew), "application/vnd.openxmlformats-officedocument.presentationml.slide+xml");
    EXPECT_EQ(saved->FindRelationship(kMain, id)->target, kNew);
  }
  pugi::xml_node kept = package->FindXml(kNew)->document_element();

  package->RemovePart(kNew);
  package->RemoveRelationship(kMain, id);
  package->RemoveRelationship(kMain, "rId999");  // none such: nothing happens
  EXPECT_STREQ(kept.name(), "p:sld");            // the removed part's nodes are still valid memory
  EXPECT_FALSE(package->HasPart("ppt/slides/_rels/slide9.xml.rels"));
  EXPECT_EQ(package->Relationships(kMain).size(), relationships);
  EXPECT_TRUE(package->RestoreIfUnchanged("ppt/_rels/presentation.xml.rels"));
  EXPECT_TRUE(package->RestoreIfUnchanged("[Content_Types].xml"));
  EXPECT_TRUE(package->RestoreIfUnchanged(kMain));  // never changed
  package->SaveAs(temp_ / "after.pptx");
  EXPECT_EQ(StatEntries(temp_ / "after.pptx"), StatEntries(temp_ / "before.pptx"));
  std::unique_ptr<Package> before = Package::Open(temp_ / "before.pptx"), after = Package::Open(temp_ / "after.pptx");
  ASSERT_EQ(after->PartNames(), before->PartNames());
  for (const std::string& part : before->PartNames())
    EXPECT_EQ(after->ReadBytes(part), before->ReadBytes(part)) << part;

  // A part that really differs stays written from its DOM.
  package->FindXml(kMain)->document_element().append_attribute("changed") = "1";
  package->MarkModified(kMain);
  EXPECT_FALSE(package->RestoreIfUnchanged(kMain));
  EXPECT_NE(SaveAndReopen(*package)->ReadBytes(kMain).find("changed=\"1\""), std::string::npos);
}

TEST_F(PackageSaveTest, LeavesUnsafeEntriesBehindAndCanReplaceItsOwnFile) {
  std::vector<StoredEntry> entries = MinimalDeck();
  entries.push_back({"../evil.xml", "<evil/>"});
  std::unique_ptr<Package> package = OpenDeck(entries);
  package->SaveAs(temp_ / "unchanged.pptx");  // not a copy of the file: that would keep the entry
  EXPECT_EQ(StatEntries(temp_ / "unchanged.pptx").count("../evil.xml"), 0u);
  package->PutPart("ppt/media/new.bin", "binary", "");
  package->SaveAs(temp_ / "deck.pptx");
  EXPECT_EQ(StatEntries(temp_ / "deck.pptx").count("../evil.xml"), 0u);
  EXPECT_EQ(Package::Open(temp_ / "deck.pptx")->ReadBytes("ppt/media/new.bin"), "binary");
  EXPECT_NE(package->ReadBytes(kSlide).find("<p:sld"), std::string::npos);  // still reads the file it opened
}

TEST_F(PackageSaveTest, ReportsWriteFailuresAndLeavesNoTempFile) {
  std::unique_ptr<Package> package = OpenDeck();
  std::filesystem::create_directory(temp_ / "folder");
  try {
    package->SaveAs(temp_ / "folder");  // written, but cannot replace a folder
    ADD_FAILURE() << "a folder was replaced";
  } catch (const PackageError& e) {
    EXPECT_EQ(e.GetKind(), PackageError::Kind::WriteFailed);
  }
  EXPECT_THROW(package->SaveAs(temp_ / "missing" / "saved.pptx"), PackageError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.Path()), {}), 2);  // the deck and the folder
  package->PutPart("ppt/media/new.bin", "binary", "");                                 // the same through a rewrite
  EXPECT_THROW(package->SaveAs(temp_ / "folder"), PackageError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.Path()), {}), 2);
}

TEST(PackageSaveAsKindTest, TemplatesShowsAndMacroDecksSaveAsPresentations) {
  constexpr std::string_view kPresentation =
      "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
  TempFolder temp;
  for (const char* deck : {"poi__bug59273.potx", "poi__testPPT.ppsx", "poi__SimpleMacro.pptm"}) {
    std::unique_ptr<Package> package = Package::Open(CorpusFile(deck));
    std::string own = package->ContentType(package->MainPartName());
    ASSERT_NE(own, kPresentation) << deck;
    package->SaveAs(temp / "copy.pptx", kPresentation);
    std::unique_ptr<Package> copy = Package::Open(temp / "copy.pptx");
    EXPECT_EQ(copy->ContentType(copy->MainPartName()), kPresentation) << deck;
    EXPECT_EQ(package->ContentType(package->MainPartName()), own) << deck;  // the open deck keeps its kind
    package->SaveAs(temp / "same.pptx");
    EXPECT_EQ(Package::Open(temp / "same.pptx")->ContentType(copy->MainPartName()), own) << deck;
  }
}

}  // namespace
}  // namespace quillmere::engine
