// cProjectFileHandler on archives built by the tests: what each request
// extracts, long names from "_rel.lst", the backup copy, and a busy archive
// retried without a real wait.

#include "utilities/archive/ProjectFileHandler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>

#include "support/storage/ProjectArchiveWriter.h"
#include "support/storage/ProjectStorage.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ProjectArchiveFixtures.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using testing::ArchiveLock;
using ::testing::ElementsAre;
using testing::ReadFile;
using testing::SetModified;
using testing::Tree;
using testing::WriteArchive;
using testing::WriteFile;

// Counts the waits; runs an action at a given wait.
class ScriptedSleeper : public testing::CountingSleeper {
 public:
  void Sleep(std::chrono::milliseconds d) override {
    CountingSleeper::Sleep(d);
    if (waits.size() == atWait && action) action();
  }
  std::size_t atWait = 0;
  std::function<void()> action;
};

class ProjectFileHandlerTest : public testing::ArchiveBesideExport {
 protected:
  std::string ExitCodeOf(Request request, std::string name) {
    cProjectFileHandler handler(sleeper_);
    Ask(handler, request, std::move(name));
    return handler.ExitCode();
  }

  std::shared_ptr<ScriptedSleeper> sleeper_ = std::make_shared<ScriptedSleeper>();
};

TEST_F(ProjectFileHandlerTest, NarrationBringsItsTrackAndEverythingTheWalkEntersAfterIt) {
  WriteArchive(archive_, [](ProjectArchiveWriter& w) {
    w.AddRelationships({{"ROOTNO~1.TXT", "Root notes.txt"}});
    w.BeginFolder("characters");
    w.AddFile("bob.png", "PNG bob");
    w.EndFolder();
    // Neither always entered nor wanted. A compound file lists shorter names
    // first: "early" comes before any folder was entered and stays closed;
    // "lateextras" comes after "characters" and is entered.
    w.BeginFolder("early");
    w.AddFile("e.txt", "e");
    w.EndFolder();
    w.BeginFolder("lateextras");
    w.AddFile("x.txt", "x");
    w.EndFolder();
    w.BeginFolder("narration");
    w.AddFile("slide1.mp3", "track one");
    w.AddFile("slide2.mp3", "track two");
    w.AddFile("NARRAT~1.MP3", "track three");
    w.AddRelationships({{"NARRAT~1.MP3", "Narration for slide three.mp3"}});
  });
  EXPECT_EQ(ExitCodeOf(&cProjectFileHandler::ExtractNarration, "SLIDE1.mp3"), "0");
  EXPECT_THAT(Extracted(), ElementsAre("characters", "characters/bob.png", "lateextras", "lateextras/x.txt",
                                       "narration", "narration/Narration for slide three.mp3", "narration/_rel.lst",
                                       "narration/slide1.mp3", "narration/slide2.mp3"))
      << "the root's _rel.lst is deleted once its names are applied";
  EXPECT_EQ(ReadFile(out_ / "narration" / "slide1.mp3"), "track one");
  EXPECT_EQ(ReadFile(out_ / "narration" / "Narration for slide three.mp3"), "track three");
}

// "_rel.lst" as the authoring tools wrote it (ANSI), for the long names of a web object's files.
TEST_F(ProjectFileHandlerTest, WebObjectFilesTakeTheirLongNames) {
  WriteArchive(archive_, {{"webobjects/Quiz1/_rel.lst",
                           "INDEXP~1.HTM|Index page f\xFCr Kurs.htm\r\nSCRIPT~1.JS|script with a long name.js\r\n"},
                          {"webobjects/Quiz1/INDEXP~1.HTM", "<html>index</html>"},
                          {"webobjects/Quiz1/SCRIPT~1.JS", "run()"},
                          {"webobjects/Quiz1/style.css", "body{}"}});
  EXPECT_EQ(ExitCodeOf(&cProjectFileHandler::ExtractWO, "quiz1"), "0");
  EXPECT_THAT(Extracted(), ElementsAre("webobjects", "webobjects/Quiz1", "webobjects/Quiz1/Index page für Kurs.htm",
                                       "webobjects/Quiz1/_rel.lst", "webobjects/Quiz1/script with a long name.js",
                                       "webobjects/Quiz1/style.css"));
  EXPECT_EQ(ReadFile(out_ / "webobjects" / "Quiz1" / "Index page für Kurs.htm"), "<html>index</html>");
}

TEST_F(ProjectFileHandlerTest, MovieAloneComesOutUnderItsLongName) {
  WriteArchive(archive_, [](ProjectArchiveWriter& w) {
    w.AddRelationships({{"MYMOVI~1.FLV", "My movie of the course.flv"}});
    w.AddFile("MYMOVI~1.FLV", "FLV movie");
    w.AddFile("other.flv", "FLV other");
  });
  EXPECT_EQ(ExitCodeOf(&cProjectFileHandler::ExtractMovie, "mymovi~1.flv"), "0");
  EXPECT_THAT(Extracted(), ElementsAre("My movie of the course.flv"));
  EXPECT_EQ(ReadFile(out_ / "My movie of the course.flv"), "FLV movie");
}

TEST_F(ProjectFileHandlerTest, FileBytesAndFileTime) {
  cProjectFileHandler handler(sleeper_);
  fs::path file = root_ / "bytes.bin";
  WriteFile(file, "ABCDEFG");
  auto bytes = [&](std::int32_t last) {
    std::vector<std::uint8_t> got = handler.GetFileBytes(file.string(), last);
    return std::string(got.begin(), got.end());
  };
  for (auto [in, want] : {std::pair{3, "ABCD"}, std::pair{0, "A"}, std::pair{-1, "ABCDEFG"}, std::pair{100, "ABCDEFG"}})
    EXPECT_EQ(bytes(in), want) << in;
  EXPECT_TRUE(handler.GetFileBytes((root_ / "none").string()).empty());

  SetModified(file, testing::LocalTime(2021, 3, 4, 6));
  std::string path = file.string(), missing = (root_ / "none").string();
  EXPECT_DOUBLE_EQ(handler.GetFileTime(path), 44259.25);  // 2021-03-04 06:00 local
  EXPECT_EQ(handler.GetFileTime(missing), 0.0);
}

TEST_F(ProjectFileHandlerTest, ABackupNewerThanTheArchiveIsReadAndThenDeleted) {
  fs::path backup = parent_ / "presenta_course.qpk";  // 8 characters of the folder's name, '_', the archive's name
  WriteArchive(archive_, {{"narration/a.mp3", "from the archive"}});
  WriteArchive(backup, {{"narration/a.mp3", "from the backup"}});
  std::time_t now = std::time(nullptr);
  SetModified(archive_, now - 3600);
  SetModified(backup, now - 60);
  cProjectFileHandler handler(sleeper_);
  Ask(handler, &cProjectFileHandler::ExtractNarration, "a.mp3");
  EXPECT_EQ(handler.ExitCode(), "0");
  EXPECT_EQ(ReadFile(out_ / "narration" / "a.mp3"), "from the backup");
  EXPECT_FALSE(fs::exists(backup)) << "a backup that served is deleted";
  EXPECT_TRUE(fs::exists(archive_));

  // An older backup is left alone, and the archive read.
  WriteArchive(backup, {{"x", "x"}});
  SetModified(backup, now - 7200);
  fs::remove_all(out_);
  Ask(handler, &cProjectFileHandler::ExtractNarration, "a.mp3");
  EXPECT_EQ(ReadFile(out_ / "narration" / "a.mp3"), "from the archive");
  EXPECT_TRUE(fs::exists(backup));
}

TEST_F(ProjectFileHandlerTest, ABusyArchiveIsTriedAgainThroughTheSleeper) {
  WriteArchive(archive_, {{"videos/clip.flv", "FLV clip"}});
  ArchiveLock lock(archive_);
  sleeper_->atWait = 3;
  sleeper_->action = [&] { lock.Release(); };
  EXPECT_EQ(ExitCodeOf(&cProjectFileHandler::ExtractWO, "videos"), "0");
  EXPECT_THAT(sleeper_->waits, ElementsAre(200, 200, 200)) << "the fourth try opened it";
  EXPECT_EQ(ReadFile(out_ / "videos" / "clip.flv"), "FLV clip");
}

TEST_F(ProjectFileHandlerTest, ThePowerPointInstanceIsToldToRunNoMacros) {
  auto version = std::make_shared<int>(14);
  auto application = std::make_shared<testing::FakeObject>("Application", version);
  application->Prop("AutomationSecurity", 3);
  cProjectFileHandler handler(sleeper_);
  Object ppt(application);
  handler.SetPPTInstance(ppt);
  EXPECT_EQ(application->Peek("AutomationSecurity").AsLong(), 1);
  Object none;
  handler.SetPPTInstance(none);  // errors are ignored
}

}  // namespace
}  // namespace quillmere
