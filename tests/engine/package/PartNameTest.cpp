#include <gtest/gtest.h>

#include "engine/package/Package.h"
#include "engine/package/PartName.h"

namespace quillmere::engine {
namespace {

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
  EXPECT_EQ(RelativeTarget("ppt/slides/slide1.xml", "ppt/slideLayouts/slideLayout2.xml"), "../slideLayouts/slideLayout2.xml");
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

}  // namespace
}  // namespace quillmere::engine
