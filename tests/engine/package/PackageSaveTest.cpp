#include <zip.h>

#include <gtest/gtest.h>

#include <map>

#include "PackageTestFiles.h"
#include "engine/package/Package.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::engine {
namespace {

using namespace packagetest;

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
  package->FindXml(kSlide)->select_node("//a:r").node().append_copy(package->FindXml(kSlide)->select_node("//a:t").node());
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
  package->PutPart(kNew, "<p:sld xmlns:p=\"urn:p\"/>", "application/vnd.openxmlformats-officedocument.presentationml.slide+xml");
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
  EXPECT_STREQ(kept.name(), "p:sld");  // the removed part's nodes are still valid memory
  EXPECT_FALSE(package->HasPart("ppt/slides/_rels/slide9.xml.rels"));
  EXPECT_EQ(package->Relationships(kMain).size(), relationships);
  EXPECT_TRUE(package->RestoreIfUnchanged("ppt/_rels/presentation.xml.rels"));
  EXPECT_TRUE(package->RestoreIfUnchanged("[Content_Types].xml"));
  EXPECT_TRUE(package->RestoreIfUnchanged(kMain));  // never changed
  package->SaveAs(temp_ / "after.pptx");
  EXPECT_EQ(StatEntries(temp_ / "after.pptx"), StatEntries(temp_ / "before.pptx"));
  std::unique_ptr<Package> before = Package::Open(temp_ / "before.pptx"), after = Package::Open(temp_ / "after.pptx");
  ASSERT_EQ(after->PartNames(), before->PartNames());
  for (const std::string& part : before->PartNames()) EXPECT_EQ(after->ReadBytes(part), before->ReadBytes(part)) << part;

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
  package->PutPart("ppt/media/new.bin", "binary", "");  // the same through a rewrite
  EXPECT_THROW(package->SaveAs(temp_ / "folder"), PackageError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_.Path()), {}), 2);
}

}  // namespace
}  // namespace quillmere::engine

namespace quillmere::engine {
namespace {

TEST(PackageSaveAsKindTest, TemplatesShowsAndMacroDecksSaveAsPresentations) {
  constexpr std::string_view kPresentation =
      "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";
  packagetest::TempFolder temp;
  for (const char* deck : {"poi__bug59273.potx", "poi__testPPT.ppsx", "poi__SimpleMacro.pptm"}) {
    std::unique_ptr<Package> package = Package::Open(packagetest::CorpusFile(deck));
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
