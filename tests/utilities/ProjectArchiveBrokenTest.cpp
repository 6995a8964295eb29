// Broken, hostile and unreachable project archives: each ends with the exit
// code the host expects, a clear line in the export log, and nothing written
// outside the extraction folder.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <functional>

#include "objectmodel/trace/ExportLog.h"
#include "support/storage/CompoundFileDirectory.h"
#include "support/storage/ProjectArchiveWriter.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "utilities/archive/ProjectArchiveWalk.h"
#include "utilities/archive/ProjectFileHandler.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using testing::PatchEntry;
using testing::RandomBytes;
using testing::ReadFile;
using testing::SetModified;
using testing::Tree;
using testing::WriteArchive;
using testing::WriteFile;

class ProjectArchiveBrokenTest : public testing::ArchiveBesideExport {
 protected:
  void SetUp() override {
    ArchiveBesideExport::SetUp();
    backup_ = parent_ / "presenta_course.qpk";
  }

  void GoodArchive(const fs::path& where, const std::string& text) { WriteArchive(where, {{"narration/a.mp3", text}}); }

  // Makes the archive (and a backup when the case has one), asks for name, and checks the exit code, what the
  // extraction folder holds, that nothing was written beside it, the logged text ("" for any) and the waits.
  void ExpectEnd(const char* what, Request request, const char* name, const char* exitCode,
                 const std::vector<std::string>& extracted, const char* logged, const std::function<void()>& make,
                 const std::vector<long long>& waits = {}, bool backupSpent = false) {
    SCOPED_TRACE(what);
    for (const fs::path& path : {archive_, backup_, out_}) fs::remove_all(path);
    DeleteExportLog();
    sleeper_->waits.clear();
    make();
    std::vector<std::string> parentBefore = BesidesTheOutput();
    Ask(handler_, request, name);
    lock_.reset();

    EXPECT_EQ(handler_.ExitCode(), exitCode);
    if (std::string(what).rfind("folders nested", 0) == 0) {
      for (const std::string& entry : Extracted()) EXPECT_THAT(entry, ::testing::Not(HasSubstr("deep.txt")));
    } else {
      EXPECT_THAT(Extracted(), ElementsAreArray(extracted));
    }
    if (backupSpent) std::erase(parentBefore, "presenta_course.qpk");
    EXPECT_EQ(BesidesTheOutput(), parentBefore) << "something was written beside the extraction folder";
    for (const std::string& entry : Tree(root_)) {
      if (entry.find("evil") == std::string::npos) continue;
      EXPECT_EQ(entry.rfind("export/presentation_files/webobjects/Quiz/", 0), 0u) << "written outside: " << entry;
    }
    EXPECT_THAT(ReadFile(ExportLogPath()), HasSubstr(logged));
    EXPECT_EQ(sleeper_->waits, waits);
  }

  static constexpr Request kNarration = &cProjectFileHandler::ExtractNarration;
  static constexpr Request kWebObject = &cProjectFileHandler::ExtractWO;
  fs::path backup_;
  std::optional<testing::ArchiveLock> lock_;
  std::shared_ptr<testing::CountingSleeper> sleeper_ = std::make_shared<testing::CountingSleeper>();
  cProjectFileHandler handler_{sleeper_};
};

TEST_F(ProjectArchiveBrokenTest, EachEndsWithItsExitCodeAndNothingOutsideTheFolder) {
  ExpectEnd("a truncated archive", kNarration, "a.mp3", "-2", {}, "cannot be opened: the file is not a project archive",
            [&] {
              GoodArchive(archive_, RandomBytes(10000));
              testing::WriteFirstHalf(archive_, archive_);
            });
  ExpectEnd("no compound file at all", kNarration, "a.mp3", "-2", {}, "cannot be opened",
            [&] { WriteFile(archive_, "PK\x03\x04 a zip, not a project archive"); });
  ExpectEnd("a stream cut short", kWebObject, "Quiz", "-2", {"webobjects", "webobjects/Quiz"},
            "walk stopped: \"webobjects/Quiz/big.bin\" is damaged", [&] {
              WriteArchive(archive_,
                           {{"webobjects/Quiz/big.bin", RandomBytes(20000)}, {"webobjects/Quiz/small.txt", "small"}});
              ASSERT_LT(21024u, fs::file_size(archive_));
              PatchEntry(archive_, "big.bin", std::nullopt, std::nullopt, 21024);  // two sectors more than it has
            });
  ExpectEnd("names that would leave the folder", kWebObject, "Quiz", "0",
            {"webobjects", "webobjects/Quiz", "webobjects/Quiz/EVIL~1.TXT", "webobjects/Quiz/LIST~1.TXT",
             "webobjects/Quiz/_rel.lst", "webobjects/Quiz/ok.txt"},
            "entry \"webobjects/Quiz/zz/evil.txt\" refused: the name holds a path separator", [&] {
              WriteArchive(archive_, [](ProjectArchiveWriter& w) {
                w.BeginFolder("webobjects");
                w.BeginFolder("..");
                w.AddFile("evil.txt", "one level up");
                w.EndFolder();
                w.BeginFolder("Quiz");
                w.AddFile("..", "a file named ..");
                w.AddFile("ok.txt", "ok");
                w.AddFile("zzQevil.txt", "a separator");
                w.AddFile("CQevil.txt", "a drive");
                w.AddFile("Qevil.txt", "a control character");
                w.AddFile("EVIL~1.TXT", "a long name that climbs");
                w.AddFile("LIST~1.TXT", "a long name that would replace the list");
                w.AddRelationships({{"EVIL~1.TXT", "../evil.txt"}, {"LIST~1.TXT", "_REL.lst"}});
              });
              PatchEntry(archive_, "zzQevil.txt", "zz/evil.txt");
              PatchEntry(archive_, "CQevil.txt", "C:evil.txt");
              PatchEntry(archive_, "Qevil.txt", "evi\001l.txt");
            });
  ExpectEnd("a directory that never ends", kNarration, "a.mp3", "-2", {},
            "its directory claims more than 20000 entries", [&] {
              GoodArchive(archive_, "a");
              testing::LoopDirectory(archive_);
            });
  ExpectEnd("a missing archive and no backup", kNarration, "a.mp3", "0", {}, "", [] {});
  ExpectEnd("an unreadable archive and an unreadable backup", kNarration, "a.mp3", "-2", {}, "the backup", [&] {
    WriteFile(archive_, "not an archive");
    WriteFile(backup_, "not a backup either");
  });
  ExpectEnd(
      "an unreadable archive and a good, older backup", kNarration, "a.mp3", "0", {"narration", "narration/a.mp3"},
      "cannot be opened",
      [&] {
        WriteFile(archive_, "not an archive");
        GoodArchive(backup_, "from the backup");
        SetModified(backup_, std::time(nullptr) - 3600);
      },
      {}, true);
  ExpectEnd("an archive locked until the retries run out", kNarration, "a.mp3", "-2", {},
            "the archive is in use by another program",
            [&] {
              GoodArchive(archive_, "locked away");
              lock_.emplace(archive_);
            },
            {200, 200, 200, 200, 200});
  ExpectEnd("folders nested deeper than any real archive", kNarration, "deep.txt", "-2", {},
            "its folders nest deeper than 32", [&] {
              WriteArchive(archive_, [](ProjectArchiveWriter& w) {
                w.BeginFolder("narration");
                for (int depth = 2; depth <= 34; ++depth) w.BeginFolder("d");
                w.AddFile("deep.txt", "deep");
              });
            });
  ExpectEnd("entries that share their data, claiming more bytes than the archive holds", kWebObject, "videos", "-2",
            {"videos", "videos/a.bin"}, "\"videos/b.bin\" claims more bytes than the archive holds", [&] {
              WriteArchive(archive_, {{"videos/a.bin", RandomBytes(100000)},
                                      {"videos/b.bin", "tiny"},
                                      {"videos/c.bin", "tiny"},
                                      {"videos/d.bin", "tiny"}});
              std::uint32_t shared = testing::EntryStartSector(archive_, "a.bin");
              for (const char* name : {"b.bin", "c.bin", "d.bin"})
                PatchEntry(archive_, name, std::nullopt, shared, 100000);
            });
}

TEST_F(ProjectArchiveBrokenTest, DirectoryCapacityIsCountedThroughTheWholeAllocationTable) {
  auto capacity = [&] {
    int fd = open(archive_.c_str(), O_RDONLY | O_CLOEXEC);
    std::optional<std::uint64_t> entries = DirectoryCapacity(fd, 1000);
    close(fd);
    return entries;
  };
  // Beyond 7 MB the table's sectors are listed past the header, in a chain of their own.
  WriteArchive(archive_, {{"video.flv", RandomBytes(8 << 20)}});
  EXPECT_EQ(capacity(), 4u) << "the root and one stream fill one 512-byte sector of four entries";
  WriteArchive(archive_, [](ProjectArchiveWriter& w) {
    for (int i = 0; i < 9; ++i) w.AddFile("f" + std::to_string(i), "x");
  });
  EXPECT_EQ(capacity(), 12u);
  testing::LoopDirectory(archive_);
  EXPECT_EQ(capacity(), 1004u) << "a loop counts until it passes the limit";
  WriteFile(archive_, "no compound file");
  EXPECT_EQ(capacity(), std::nullopt);
}

TEST_F(ProjectArchiveBrokenTest, AWalkStopsAtItsEntryLimitBeforeWritingMore) {
  WriteArchive(archive_, [](ProjectArchiveWriter& w) {
    for (const char* name : {"1.txt", "2.txt", "3.txt", "4.txt", "5.txt"}) w.AddFile(name, name);
  });
  struct Everything final : ArchiveWalkPolicy {
    bool TakeFile(const std::string&) override { return true; }
    bool EnterFolder(const std::string&) override { return true; }
  } everything;
  storage::Handle handle = 0;
  ASSERT_EQ(storage::OpenStorage(archive_.string(), handle), storage::kStorageOk);
  storage::ScopedFolder open(handle);
  fs::create_directories(out_);
  ArchiveWalkResult walk = WalkProjectArchive(handle, out_.string(), everything, {.maxDepth = 32, .maxEntries = 3});
  EXPECT_TRUE(walk.stopped);
  EXPECT_THAT(walk.problems, ElementsAre("walk stopped: it holds more than 3 entries"));
  EXPECT_EQ(walk.filesWritten, 0u) << "the folder is listed, and refused, before anything of it is written";
  EXPECT_TRUE(Tree(out_).empty());
}

}  // namespace
}  // namespace quillmere
