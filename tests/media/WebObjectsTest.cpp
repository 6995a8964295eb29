// Web, Flash and video objects written from scripted tagged shapes, for both
// generations of tags.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "media/WebObjects.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class WebObjectsTest : public FakePowerPointTest {
 protected:
  void SetUp() override {
    FakePowerPointTest::SetUp();
    ExportContext& state = StartPowerPoint(14);
    out = Folder("out");
    fs::create_directories(out);
    state.outputFolder = out.string() + "/";
    state.scaleX = 2.0f;
    state.scaleY = 0.5f;
    state.decimalSeparator = ",";
    slide = Make("Slide");
    slide->Prop("SlideID", 261);
  }

  // A shape at 10.5, 20, 101.25, 40 pt carrying those tags.
  Object Shape(std::map<std::string, std::string> tags) {
    auto tagObject = Make("Tags");
    tagObject->On("Item", [tags](Args a) {
      auto it = tags.find(a[0].AsString());
      return Value(it == tags.end() ? std::string() : it->second);
    });
    auto shape = Make("Shape");
    shape->Prop("Tags", Dispatched(tagObject)).Prop("Left", 10.5f).Prop("Top", 20.0f).Prop("Width", 101.25f)
        .Prop("Height", 40.0f).Prop("AlternativeText", "clip");
    return Object(Dispatched(shape));
  }

  pugi::xml_node Web(const Object& shape, std::int16_t version) {
    pugi::xml_node webObjects = doc.append_child("WebObjects");
    WriteWebObject(context, Object(Dispatched(slide)), webObjects, shape, version);
    return webObjects.child("WebObject");
  }


  fs::path out;
  FakePtr slide;
  pugi::xml_document doc;
};

TEST_F(WebObjectsTest, MediaTypesByEnding) {
  // MPEG is four letters without the dot; any address ending in "rm" is a stream, but ".rm" alone is three characters.
  for (auto [in, want] :
       {std::pair{" talk.MP3 ", "audio/mp3"}, std::pair{"clip.MPEG", "video/mpg"},
        std::pair{"http://host/live/stream.rm", "video/rm"}, std::pair{"http://host/form", "video/rm"},
        std::pair{".rm", "html"}, std::pair{"http://example.org/", "html"}})
    EXPECT_EQ(GetMediaType(in), want) << in;
}

TEST_F(WebObjectsTest, BrowserOptionsFollowControlsAndFlags) {
  EXPECT_EQ(BuildBrowserOptions(Shape({{"WOMBAR", "1"}, {"WOABAR", "-1"}, {"WOSCROLL", "2x"}})),
            "menubar=yes,status=no,location=yes,toolbar=no,resizable=no,scrollbars=yes");
  EXPECT_EQ(BuildBrowserOptions(Shape({{"WO_CONTROLS", "2"}})),
            "menubar=no,status=no,location=no,toolbar=no,resizable=no,scrollbars=no");
  EXPECT_EQ(BuildBrowserOptions(Shape({{"WO_CONTROLS", "3"}, {"WOMBAR", "1"}})), "");
}

TEST_F(WebObjectsTest, UntaggedShapeLeavesEmptyWebObject) {
  pugi::xml_node web = Web(Shape({{"WEB_OBJECT_URL", "http://a"}}), 7);
  ASSERT_TRUE(web.child("Position"));
  EXPECT_FALSE(web.first_attribute());
  EXPECT_FALSE(web.child("url"));
}

TEST_F(WebObjectsTest, NamedTagsOfVersionSevenAndLater) {
  pugi::xml_node inPlayer = Web(Shape({{"OVERRIDE_WO", "True"}, {"WEB_OBJECT_ID", "42"},
                                       {"WEB_OBJECT_START_TIME", "3"}, {"WEB_OBJECT_VIDEO_DISPLAY_MODE", "0"},
                                       {"WEB_OBJECT_URL", "C:\\site"}, {"WEB_OBJECT_PLAY_MOVIE", "1"}}),
                                7);
  ExpectTexts(inPlayer, {{"@id", "42"}, {"@legacy", "False"}});
  // The position scaled, not rounded, with "." whatever the locale.
  ExpectTexts(inPlayer, {{"TriggerTime", "3"}, {"ContainerType", "inplayer"}, {"urlo", "C:\\site"},
                         {"url", out.string() + "/webobjects/42/local_files.zip"}, {"LoadMovie", "1"},
                         {"Position/x", "21"}, {"Position/width", "202.5"}, {"Position/height", "20"}});

  pugi::xml_node window = Web(Shape({{"OVERRIDE_WO", "YES"}, {"WEB_OBJECT_URL", "http://x/a.mov"},
                                     {"WEB_OBJECT_WINDOW_SIZE", "2"}, {"WEB_OBJECT_WINDOW_SIZE_WIDTH", "640,5"},
                                     {"WEB_OBJECT_WINDOW_SIZE_HEIGHT", "480"}}),
                              9);
  ExpectTexts(window, {{"ContainerType", "newwindow"}, {"ObjectType", "video/mov"}, {"url", "http://x/a.mov"},
                       {"Position/x", "0"}, {"Position/width", "640.5"}});
}

TEST_F(WebObjectsTest, LegacyTagsCopyLocalFolderOrLeaveUrlEmpty) {
  fs::path site = Folder("site");
  WriteTree(site, {{"index.html", "<html/>"}, {"img/a.png", "png"}});
  pugi::xml_node local = Web(Shape({{"OVERRIDE_WO", "YES"}, {"WOURL", site.string()}, {"ZEL_PLAYER", "YES"},
                                    {"CORVANTA_LAYER_TIMING", "5"}, {"CORVANTA_SCALE_MODE", " 2 "}}),
                             6);
  ExpectTexts(local, {{"@id", "1"}, {"@legacy", "True"}});
  ExpectTexts(local, {{"TriggerTime", "5"}, {"ContainerType", "inplayer"}, {"url", "webobject_slide_261/index.html"},
                      {"Position/Mode", "scalesize"}});
  EXPECT_TRUE(fs::exists(out / "webobject_slide_261" / "img" / "a.png"));
  EXPECT_TRUE(local.child("BrowserOptions"));
  EXPECT_NE(Log().find("WebObjects - Local Object"), std::string::npos);

  // Neither a folder here nor a project archive: nothing to show.
  slide->Prop("SlideID", 262);
  pugi::xml_node missing = Web(Shape({{"OVERRIDE_WO", "YES"}, {"WOURL", (Folder("none") / "x").string()},
                                      {"ZEL_PLAYER", "NO"}, {"WOSIZE", "3"}, {"WOHRES", "300"},
                                      {"WOVRES", "200"}, {"WO_CONTROLS", "3"}}),
                               6);
  ExpectTexts(missing, {{"url", ""}, {"ContainerType", "newwindow"}, {"BrowserOptions", ""},
                        {"Position/width", "600"}, {"Position/height", "100"}});
  EXPECT_NE(Log().find("GetSlideWO Exit code - 0"), std::string::npos);

  pugi::xml_node address = Web(Shape({{"OVERRIDE_WO", "YES"}, {"WOURL", "http://host/page"}}), 6);
  ExpectTexts(address, {{"url", "http://host/page"}});
  EXPECT_NE(Log().find("WebObjects - URL"), std::string::npos);
}

TEST_F(WebObjectsTest, FlashAndVideoObjects) {
  pugi::xml_node slideElement = doc.append_child("Slide");
  Object self(Dispatched(slide));
  WriteFlashObject(context, self, slideElement, Shape({{"OVERRIDE_SWF", "YES"}, {"ZEL_PLAYER", "PANEL"}}));
  WriteVideoObject(context, self, slideElement, Shape({{"OVERRIDE_SWF", "YES"}, {"ZEL_PLAYER", "PANEL"}}));
  EXPECT_FALSE(slideElement.first_child());

  fs::path movie = Folder("movies") / "intro.swf";
  WriteTree(movie.parent_path(), {{"intro.swf", "FWS"}});
  WriteFlashObject(context, self, slideElement, Shape({{"OVERRIDE_SWF", "YES"}, {"ZEL_PLAYER", "NO"},
                                              {"SWF_MOVIE_PATH", movie.string()}, {"CORVANTA_PLAYER_SEEK", "1"},
                                              {"WO_CONTROLS", "1"}, {"WINDOW_SIZE_WIDTH", "320.5"},
                                              {"WINDOW_SIZE_HEIGHT", "240"}}));
  pugi::xml_node flash = slideElement.child("FlashObject");
  EXPECT_TRUE(fs::exists(out / "intro.swf"));
  // The width halves to even.
  ExpectTexts(flash, {{"containerType", "newvideowindow"}, {"timelinecommand", "standard"},
                      {"filename", out.string() + "/intro.swf"}, {"Position/width", "320"}});
  EXPECT_STREQ(flash.child("BrowserOptions").attribute("location").value(), "no");
  EXPECT_STREQ(flash.child("BrowserOptions").attribute("resizable").value(), "yes");
  // A path of the author's Windows machine names its file after the last backslash.
  pugi::xml_node windowsPath = doc.append_child("Slide");
  WriteFlashObject(context, self, windowsPath, Shape({{"OVERRIDE_SWF", "YES"}, {"ZEL_PLAYER", "NO"},
                                             {"SWF_MOVIE_PATH", "C:\\Movies\\outro.swf"}}));
  ExpectTexts(windowsPath, {{"FlashObject/filename", out.string() + "/outro.swf"}});

  WriteVideoObject(context, self, slideElement,
                   Shape({{"OVERRIDE_SWF", "YES"},
                          {"ZEL_PLAYER", "YES"},
                          {"VIDEO_ID", "7"},
                          {"VIDEO_SOURCE_TYPE", "Local"},
                          {"SWF_MOVIE_PATH", ".\\clip.mp4"}}));
  pugi::xml_node video = slideElement.child("VideoObject");
  ExpectTexts(video, {{"Path", out.string() + "/videos/7/clip.mp4"}, {"AlternativeText", "clip"}, {"Position/x", "21"},
                      {"Position/width", "202"}});
}

}  // namespace
}  // namespace quillmere::testing
