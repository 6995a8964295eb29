// Designs of damaged decks: parts missing, a layout without a master, layouts
// that name each other as their master, themes without colours or fonts. Each
// export still ends with status 0 and describes what can be read.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <pugixml.hpp>

#include "tests/component/TaggedDeckExport.h"
#include "tests/engine/package/PackageTestFiles.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::testing {
namespace {

using engine::packagetest::StoredEntry;

std::vector<StoredEntry> ReadEntries(const std::string& file) {
  std::vector<StoredEntry> entries;
  for (ZipRead& entry : ReadZip(file)) entries.push_back({entry.name, std::move(entry.bytes)});
  return entries;
}

struct Damage {
  const char* what;
  std::function<void(std::vector<StoredEntry>&)> apply;
  std::size_t designs;  // described afterwards
};

StoredEntry* Find(std::vector<StoredEntry>& entries, const std::string& name) {
  for (StoredEntry& e : entries)
    if (e.name == name) return &e;
  return nullptr;
}

void Remove(std::vector<StoredEntry>& entries, const std::string& name) {
  std::erase_if(entries, [&](const StoredEntry& e) { return e.name == name; });
}

void Replace(std::vector<StoredEntry>& entries, const std::string& name, const std::string& from,
             const std::string& to) {
  StoredEntry* entry = Find(entries, name);
  ASSERT_TRUE(entry) << name;
  std::size_t at = entry->data.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in " << name;
  entry->data.replace(at, from.size(), to);
}

std::string LayoutRels(const char* target) {
  return std::string(
             R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideMaster" Target=")") +
         target + R"("/></Relationships>)";
}

using DesignBadInputTest = EngineExportTest;

TEST_F(DesignBadInputTest, DamagedDesignsStillExport) {
  const std::vector<Damage> damages{
      {"a layout part missing", [](auto& e) { Remove(e, "ppt/slideLayouts/slideLayout2.xml"); }, 1},
      {"a layout naming no master",
       [](auto& e) {
         Find(e, "ppt/slideLayouts/_rels/slideLayout3.xml.rels")->data =
             R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"/>)";
       },
       1},
      {"two layouts naming each other as master",
       [](auto& e) {
         Find(e, "ppt/slideLayouts/_rels/slideLayout4.xml.rels")->data = LayoutRels("slideLayout5.xml");
         Find(e, "ppt/slideLayouts/_rels/slideLayout5.xml.rels")->data = LayoutRels("slideLayout4.xml");
       },
       1},
      {"a master listing itself as a layout",
       [](auto& e) {
         Replace(e, "ppt/slideMasters/_rels/slideMaster1.xml.rels", "../slideLayouts/slideLayout1.xml",
                 "slideMaster1.xml");
       },
       1},
      {"a theme without accents, links and body fonts",
       [](auto& e) {
         StoredEntry* theme = Find(e, "ppt/theme/theme1.xml");
         std::size_t from = theme->data.find("<a:accent3>"), to = theme->data.find("</a:clrScheme>");
         theme->data.erase(from, to - from);
         from = theme->data.find("<a:minorFont>");
         to = theme->data.find("</a:minorFont>") + std::string("</a:minorFont>").size();
         theme->data.erase(from, to - from);
       },
       1},
      {"the theme part missing", [](auto& e) { Remove(e, "ppt/theme/theme1.xml"); }, 1},
      // The background PowerPoint gives a master without one, rather than nine seconds of retries per layout.
      {"no background anywhere",
       [](auto& e) {
         Replace(e, "ppt/slideMasters/slideMaster1.xml",
                 R"(<p:bg><p:bgPr><a:solidFill><a:srgbClr val="ffffff"/></a:solidFill></p:bgPr></p:bg>)", "");
       },
       1},
      {"the master part missing", [](auto& e) { Remove(e, "ppt/slideMasters/slideMaster1.xml"); }, 0},
  };
  const std::string demo = std::string(QUILLMERE_SAMPLES_DIR) + "/quillmere-demo.pptx";
  Use();
  int n = 0;
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    std::vector<StoredEntry> entries = ReadEntries(demo);
    ASSERT_FALSE(entries.empty());
    damage.apply(entries);
    std::string deck = (Folder("decks") / ("damaged" + std::to_string(++n) + ".pptx")).string();
    std::filesystem::create_directories(Folder("decks"));
    engine::packagetest::WriteFile(deck, engine::packagetest::StoredZip(entries));
    pugi::xml_node designs = Export(deck).child("Designs");
    EXPECT_EQ(designs.select_nodes("Design").size(), damage.designs);
    for (pugi::xml_node design : designs.children("Design")) {
      EXPECT_TRUE(design.child("ColorScheme") && design.child("FontTheme"));
      EXPECT_STREQ(design.child("SlideMaster").child("Background").child_value("Visible"), "True");
      for (pugi::xml_node layout : design.child("SlideMaster").children("CustomLayout"))
        EXPECT_TRUE(layout.child("Background").child("Visible"));  // not shown without a master's theme
    }
    EXPECT_EQ(std::count(sleeper->waits.begin(), sleeper->waits.end(), 1500), 0) << "a failing read was retried";
  }
}

}  // namespace
}  // namespace quillmere::testing
