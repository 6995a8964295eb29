// Narration recorded in the application and the media behind sound and movie
// shapes, taken from scripted one-shape packages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/Narration.h"
#include "media/ShapeMediaCopy.h"
#include "support/storage/ProjectArchiveWriter.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/ZipFiles.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

class NarrationTest : public FakePowerPointTest {
 protected:
  void Use(int major) {
    StartPowerPoint(major);
    out = fs::path(getenv("TMPDIR")) / "out";
    fs::create_directories(out);
    context.outputFolder = out.string() + "/";
    auto presentations = Make("Presentations");
    presentations->On("Add", [this](Args) { return Dispatched(Scratch()); });
    app->Prop("Presentations", Dispatched(presentations));
  }

  // A blank presentation whose Open XML save holds `parts`.
  FakePtr Scratch() {
    auto slide = Props(Make("Slide"), "Shapes", Dispatched(Props(Make("Shapes"), "Count", 0, "Paste", Value())));
    auto slides = Make("Slides");
    slides->On("Add", [slide](Args) { return Dispatched(slide); });
    auto scratch = Props(Make("Presentation"), "Slides", Dispatched(slides), "Close", Value());
    scratch->On("SaveAs", [this](Args a) {
      EXPECT_EQ(a[1].AsLong(), 24);
      WriteZip(a[0].AsString(), parts);
      return Value();
    });
    return scratch;
  }

  // A sound shape, animated in the given order (0: not animated).
  FakePtr Sound(int order, std::int32_t type = 16, std::int32_t mediaType = 2) {
    auto animation = Props(Make("AnimationSettings"), "Animate", order > 0 ? -1 : 0, "AnimationOrder", order);
    return Props(Make("Shape"), "AnimationSettings", Dispatched(animation), "Type", type, "MediaType", mediaType,
                 "Copy", Value());
  }

  FakePtr Slide(std::vector<FakePtr> shapes, int effects = 1) {
    auto sequence = MakeCollection("Sequence", version, std::vector<FakePtr>(effects, Make("Effect")));
    auto timeline = Props(Make("TimeLine"), "MainSequence", Dispatched(sequence));
    return Props(Make("Slide"), "TimeLine", Dispatched(timeline), "SlideID", 256, "Shapes",
                 Dispatched(MakeCollection("Shapes", version, std::move(shapes))));
  }

  std::string Narration(const FakePtr& slide) {
    pugi::xml_document doc;
    pugi::xml_node element = doc.append_child("Slide");
    WriteSlideNarration(context, Object(Dispatched(slide)), element);
    return element.child_value("LumideskNarration");
  }

  fs::path out;
  std::vector<TestEntry> parts;
};

TEST_F(NarrationTest, TheSoundPlayedFirstIsTheNarration) {
  Use(14);
  parts = {
      {"ppt/media/media1.mp3", "ID3 mp3"}, {"ppt/media/audio1.wav", "RIFF wav"}, {"ppt/slides/slide1.xml", "<x/>"}};
  // Only an animated sound that plays first counts: not the second one, not a first movie.
  auto slide = Slide({Sound(2), Sound(0), Sound(1, 16, 3), Sound(1)});
  EXPECT_EQ(Narration(slide), out.string() + "/narration/track256.wav");
  EXPECT_EQ(ReadFile(out / "narration" / "track256.wav"), "RIFF wav");

  // A linked narration is copied under its own name.
  fs::path linked = out.parent_path() / "voice.mp3";
  std::ofstream(linked) << "linked";
  auto link = Props(Make("LinkFormat"), "SourceFullName", linked.string());
  EXPECT_EQ(Narration(Slide({Props(Sound(1), "LinkFormat", Dispatched(link))})), out.string() + "/narration/voice.mp3");
  EXPECT_EQ(ReadFile(out / "narration" / "voice.mp3"), "linked");

  // Without effects, or when the copy holds no sound, there is no narration.
  EXPECT_EQ(Narration(Slide({Sound(1)}, 0)), "");
  parts = {{"ppt/media/media1.ogg", "ogg"}};
  EXPECT_EQ(Narration(Slide({Sound(1)})), "");

  // Any media part serves a movie, under eight random characters and its own name.
  std::string movie = ExtractMediaFromShape(context, Object(Dispatched(Sound(1))), out.string() + "/");
  EXPECT_EQ(fs::path(movie).parent_path(), out);
  EXPECT_EQ(fs::path(movie).filename().string().substr(8), "media1.ogg");
  EXPECT_EQ(ReadFile(movie), "ogg");
}

TEST_F(NarrationTest, OlderVersionsExportTheSoundAndFailuresLeaveNoFile) {
  Use(12);
  auto sound = Sound(1);
  auto format = Make("SoundFormat");
  format->On("Export", [](Args a) {
    std::ofstream(a[0].AsString()) << "exported";
    return Value();
  });
  sound->Prop("SoundFormat", Dispatched(format));
  EXPECT_EQ(Narration(Slide({sound})), out.string() + "/narration/track256.wav");
  EXPECT_EQ(ReadFile(out / "narration" / "track256.wav"), "exported");

  // A package that cannot be saved or unpacked gives no file and no error.
  format->Fail("Export", 0x80004005, "Export failed");
  fs::remove(out / "narration" / "track256.wav");
  EXPECT_EQ(Narration(Slide({sound})), "");
  Use(14);
  parts = {{"../../escape.wav", "bad"}};
  EXPECT_EQ(ExtractSoundFromShape(context, Object(Dispatched(Sound(1))), (out / "s").string()), "");
  EXPECT_FALSE(fs::exists(out.parent_path().parent_path() / "escape.wav"));
}

TEST_F(NarrationTest, TheProjectArchivesTrackComesFirst) {
  Use(14);
  fs::path archive = out.parent_path() / "course.qpk";
  ProjectArchiveWriter writer(archive.string());
  ASSERT_TRUE(writer.BeginFolder("narration") && writer.AddFile("track256.mp3", "ID3 from the archive") &&
              writer.EndFolder() && writer.Close())
      << writer.Error();
  context.projectArchivePath = archive.string();
  parts = {{"ppt/media/audio1.wav", "RIFF wav"}};
  EXPECT_EQ(Narration(Slide({Sound(1)})), out.string() + "/narration/track256.mp3");
  EXPECT_EQ(ReadFile(out / "narration" / "track256.mp3"), "ID3 from the archive");
  EXPECT_FALSE(fs::exists(out / "narration" / "track256.wav"));  // the recorded narration was not looked at

  // A slide whose track the archive lacks falls back to the recorded narration.
  EXPECT_EQ(Narration(Props(Slide({Sound(1)}), "SlideID", 300)), out.string() + "/narration/track300.wav");
}

}  // namespace
}  // namespace quillmere::testing
