#include "utilities/zip/Unzip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>

#include "support/zip/ZipEntryName.h"
#include "support/zip/ZipListing.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "tests/helpers/ZipFiles.h"
#include "utilities/zip/ZipExtraction.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using testing::FileTime;
using ::testing::IsEmpty;
using testing::LocalTime;
using testing::ReadFile;
using testing::SetModified;
using testing::TestEntry;
using testing::Tree;
using testing::WriteFile;
using testing::WriteZip;

std::string Corpus(const char* name) { return std::string(QUILLMERE_CORPUS_DIR) + "/" + name; }

// Unzip answers true when it fails; the status it ended with.
std::int32_t FailedWith(cUnzip& unzip) {
  EXPECT_TRUE(unzip.Unzip());
  return unzip.LastStatus();
}

class UnzipTest : public testing::ArchiveBesideExport {
 protected:
  void SetUp() override {
    Place("test.zip", "out");
    EmptyOut();
  }

  void EmptyOut() {
    fs::remove_all(out_);
    fs::create_directories(out_);
  }

  // A cUnzip set up as a host would for archive_ into out_.
  cUnzip Unzipper() {
    cUnzip unzip;
    unzip.SetZipFile(archive_.string());
    unzip.SetUnzipFolder(out_.string());
    unzip.Events().Progress = [this](std::int32_t count, const std::string& text) {
      EXPECT_EQ(count, 1);
      messages_.push_back(text);
    };
    return unzip;
  }

  std::vector<std::string> messages_;
};

// ---- Listing -------------------------------------------------------------

TEST_F(UnzipTest, DirectoryListsWhatLibzipReports) {
  std::string text(5000, 'a');
  std::time_t when = LocalTime(2021, 3, 4, 5, 6, 8);
  WriteZip(archive_, {{"top.txt", "hello", ZIP_CM_STORE, "", when},
                      {"a/b/packed.txt", text, ZIP_CM_DEFLATE, "", when},
                      {"secret.txt", "hidden", ZIP_CM_DEFLATE, "pw", when}});
  testing::AddFolder(archive_, "a/b/");
  cUnzip unzip = Unzipper();
  ASSERT_EQ(unzip.Directory(), kUnzipOk);
  ASSERT_EQ(unzip.FileCount(), 4);

  const std::vector<testing::ZipRead> entries = testing::ReadZip(archive_);
  ASSERT_EQ(entries.size(), 4u);
  for (std::int32_t i = 1; i <= unzip.FileCount(); ++i) {
    const zip_stat_t& st = entries[static_cast<std::size_t>(i - 1)].stat;
    const std::string folder = unzip.FileDirectory(i);
    EXPECT_EQ(ForwardSlashName(folder.empty() ? unzip.FileName(i) : folder + "\\" + unzip.FileName(i)),
              entries[static_cast<std::size_t>(i - 1)].name);
    EXPECT_EQ(unzip.FileSize(i), st.size);
    EXPECT_EQ(unzip.FilePackedSize(i), st.comp_size);
    EXPECT_EQ(unzip.FileCRC(i), st.crc);
    EXPECT_EQ(unzip.FileEncrypted(i), st.encryption_method != ZIP_EM_NONE);
    EXPECT_TRUE(unzip.FileSelected(i));
  }

  for (auto [i, name, folder] :
       {std::tuple{1, "top.txt", ""}, std::tuple{2, "packed.txt", "a\\b"}, std::tuple{4, "", "a\\b"}}) {
    EXPECT_EQ(unzip.FileName(i), name) << i;
    EXPECT_EQ(unzip.FileDirectory(i), folder) << i;
  }
  EXPECT_EQ(unzip.FileCompressionMethod(1), "Stored");
  EXPECT_EQ(unzip.FileCompressionRatio(1), 0);
  EXPECT_EQ(unzip.FileCompressionMethod(2), "Defl:N");
  EXPECT_GT(unzip.FileCompressionRatio(2), 90);
  // 2021-03-04 is day 44259 after 1899-12-30.
  EXPECT_DOUBLE_EQ(unzip.FileDate(1), 44259.0 + (5 * 3600 + 6 * 60 + 8) / 86400.0);
}

TEST_F(UnzipTest, RecordIndexesRunFromOne) {
  WriteZip(archive_, {{"only.txt", "x"}});
  cUnzip unzip = Unzipper();
  ASSERT_EQ(unzip.Directory(), kUnzipOk);
  EXPECT_EQ(unzip.FileName(1), "only.txt");
  for (std::int32_t bad : {0, 2, -1})
    EXPECT_EQ(testing::ErrorOf([&] { (void)unzip.FileName(bad); }), kUnzipSubscriptOutOfRange) << bad;
  EXPECT_THROW(unzip.SetFileSelected(2, false), ComError);
}

TEST_F(UnzipTest, MissingDamagedAndNonZipFilesFailWithoutCrashing) {
  cUnzip unzip = Unzipper();
  unzip.SetZipFile((root_ / "missing.zip").string());
  EXPECT_EQ(unzip.Directory(), kUnzipNoZipFile);
  EXPECT_EQ(unzip.FileCount(), 0);
  EXPECT_TRUE(unzip.Unzip());

  WriteFile(root_ / "text.zip", "not a zip at all");
  unzip.SetZipFile((root_ / "text.zip").string());
  EXPECT_EQ(unzip.Directory(), kUnzipNotAZip);

  // The first half of a real deck: its central directory is gone.
  testing::WriteFirstHalf(Corpus("poi__EmbeddedAudio.pptx"), root_ / "cut.pptx");
  unzip.SetZipFile((root_ / "cut.pptx").string());
  EXPECT_NE(unzip.Directory(), kUnzipOk);
  EXPECT_TRUE(unzip.Unzip());

  for (const char* name :
       {"poi__clusterfuzz-testcase-minimized-POIFuzzer-5205835528404992.pptx",
        "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-5463285576892416.pptx",
        "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-5471515212382208.pptx",
        "poi__clusterfuzz-testcase-minimized-POIXSLFFuzzer-6254434927378432.pptx", "poi__badzip.ppt"}) {
    SCOPED_TRACE(name);
    unzip.SetZipFile(Corpus(name));
    unzip.SetUseFolderNames(false);
    unzip.SetOverwriteExisting(true);
    (void)unzip.Directory();
    (void)unzip.Unzip();
  }
  EXPECT_EQ(BesidesTheOutput(), earlier_);
}

TEST_F(UnzipTest, DamagedEntryDataFailsTheTestAndTheExtraction) {
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "line " + std::to_string(i * 7919 % 1000) + "\n";
  WriteZip(archive_, {{"data.txt", text}});
  std::string bytes = ReadFile(archive_);
  // Flip bytes in the middle of the compressed data (after the local header).
  for (std::size_t i = 200; i < 240; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
  WriteFile(archive_, bytes);
  cUnzip unzip = Unzipper();
  unzip.SetTestZip(true);
  EXPECT_EQ(FailedWith(unzip), kUnzipDamaged);
  unzip.SetTestZip(false);
  EXPECT_EQ(FailedWith(unzip), kUnzipDamaged);
  EXPECT_THAT(Tree(out_), IsEmpty());
}

// ---- Extraction ------------------------------------------------------------

TEST_F(UnzipTest, ExtractsWithAndWithoutFolderNames) {
  std::time_t when = LocalTime(2020, 1, 2, 3, 4, 6);
  WriteZip(archive_, {{"a.txt", "A", ZIP_CM_STORE, "", when}, {"d/e/b.txt", "B", ZIP_CM_DEFLATE, "", when}});
  testing::AddFolder(archive_, "empty/");
  cUnzip unzip = Unzipper();
  EXPECT_FALSE(unzip.Unzip()) << unzip.LastStatus();
  EXPECT_THAT(Tree(out_), ElementsAre("a.txt", "d", "d/e", "d/e/b.txt", "empty"));
  EXPECT_EQ(ReadFile(out_ / "d/e/b.txt"), "B");
  EXPECT_EQ(fs::last_write_time(out_ / "a.txt"), FileTime(when));
  EXPECT_THAT(messages_, ::testing::Contains(::testing::HasSubstr(": d\\e\\b.txt")));

  EmptyOut();
  unzip.SetUseFolderNames(false);
  EXPECT_FALSE(unzip.Unzip());
  EXPECT_THAT(Tree(out_), ElementsAre("a.txt", "b.txt"));
}

TEST_F(UnzipTest, ExtractsOnlySelectedEntries) {
  WriteZip(archive_, {{"one.txt", "1"}, {"sub/two.txt", "2"}, {"sub/three.txt", "3"}});
  cUnzip unzip = Unzipper();
  ASSERT_EQ(unzip.Directory(), kUnzipOk);
  unzip.SetFileSelected(1, false);
  unzip.SetFileSelected(3, false);
  EXPECT_FALSE(unzip.FileSelected(1));
  EXPECT_FALSE(unzip.Unzip());
  EXPECT_THAT(Tree(out_), ElementsAre("sub", "sub/two.txt"));
}

TEST_F(UnzipTest, IncludeNamesMatchCaseAsAsked) {
  WriteZip(archive_, {{"Sub/Two.txt", "2"}, {"one.txt", "1"}});
  UnzipOptions options;
  UnzipCallbacks none;
  EXPECT_EQ(ExtractZip(archive_.string(), out_.string(), {"sub/two.TXT"}, options, none), kUnzipOk);
  EXPECT_THAT(Tree(out_), ElementsAre("Sub", "Sub/Two.txt"));
  options.caseSensitiveNames = true;
  EXPECT_EQ(ExtractZip(archive_.string(), out_.string(), {"sub/two.TXT"}, options, none), kUnzipNothingFound);
  EXPECT_EQ(ExtractZip(archive_.string(), out_.string(), {"one.txt", "nope.txt"}, options, none), kUnzipWarning);
  EXPECT_TRUE(fs::exists(out_ / "one.txt"));
}

TEST_F(UnzipTest, OptionsChangeNamesLineEndsAndWhatIsReplaced) {
  std::time_t old = LocalTime(2019, 5, 5, 5, 5, 6);
  std::time_t recent = LocalTime(2022, 5, 5, 5, 5, 6);
  WriteZip(archive_, {{"my notes.txt", "a\nb\r\nc\rd", ZIP_CM_DEFLATE, "", recent},
                      {"bin.dat", std::string("x\0\ny", 4), ZIP_CM_DEFLATE, "", recent},
                      {"older.txt", "zip", ZIP_CM_STORE, "", old},
                      {"newer.txt", "zip", ZIP_CM_STORE, "", recent}});
  WriteFile(out_ / "older.txt", "disk");
  WriteFile(out_ / "newer.txt", "disk");
  SetModified(out_ / "older.txt", recent);
  SetModified(out_ / "newer.txt", old);
  cUnzip unzip = Unzipper();
  unzip.SetSpaceToUnderScore(true);
  unzip.SetConvertCRToCRLF(true);
  unzip.SetExtractOnlyNewer(true);
  EXPECT_FALSE(unzip.Unzip()) << unzip.LastStatus();
  EXPECT_EQ(ReadFile(out_ / "my_notes.txt"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ReadFile(out_ / "bin.dat"), std::string("x\0\ny", 4));
  EXPECT_EQ(ReadFile(out_ / "older.txt"), "disk");  // the file on disk is newer than the entry
  EXPECT_EQ(ReadFile(out_ / "newer.txt"), "zip");
  EXPECT_FALSE(fs::exists(out_ / "my notes.txt"));
}

// Each answer to OverwritePrompt, for three files that are already there.
TEST_F(UnzipTest, OverwriteAnswersDecideWhichFilesAreReplaced) {
  WriteZip(archive_, {{"d/a.txt", "new"}, {"d/b.txt", "new"}, {"d/c.txt", "new"}});
  for (auto [response, prompts, content] : {std::tuple{euzDoNotOverwrite, 3, "old"},
                                            {euzOverwriteThisFile, 3, "new"},
                                            {euzOverwriteAllFiles, 1, "new"},
                                            {euzOverwriteNone, 1, "old"}}) {
    SCOPED_TRACE(response);
    EmptyOut();
    fs::create_directories(out_ / "d");
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(out_ / "d" / name, "old");
    cUnzip unzip = Unzipper();
    unzip.SetPromptToOverwrite(true);
    std::vector<std::string> asked;
    unzip.Events().OverwritePrompt = [&](const std::string& file, EUZOverWriteResponse& answer) {
      EXPECT_EQ(answer, euzDoNotOverwrite);
      asked.push_back(file);
      answer = response;
    };
    EXPECT_FALSE(unzip.Unzip());
    EXPECT_EQ(static_cast<int>(asked.size()), prompts);
    EXPECT_EQ(asked.front(), "d\\a.txt");
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) EXPECT_EQ(ReadFile(out_ / "d" / name), content) << name;
    EXPECT_THAT(Tree(out_), ElementsAre("d", "d/a.txt", "d/b.txt", "d/c.txt"));
  }
}

TEST_F(UnzipTest, ExistingFilesStayWithoutPromptOrOverwrite) {
  WriteZip(archive_, {{"a.txt", "new"}});
  WriteFile(out_ / "a.txt", "old");
  cUnzip unzip = Unzipper();
  int asked = 0;
  unzip.Events().OverwritePrompt = [&](const std::string&, EUZOverWriteResponse&) { ++asked; };
  EXPECT_FALSE(unzip.Unzip());
  EXPECT_EQ(ReadFile(out_ / "a.txt"), "old");
  unzip.SetOverwriteExisting(true);
  unzip.SetPromptToOverwrite(true);
  EXPECT_FALSE(unzip.Unzip());
  EXPECT_EQ(ReadFile(out_ / "a.txt"), "new");
  EXPECT_EQ(asked, 0);
}

// ---- Events: password and cancel ---------------------------------------------

TEST_F(UnzipTest, PasswordRequestOpensEncryptedEntries) {
  WriteZip(archive_, {{"plain.txt", "open"},
                      {"s1.txt", "secret one", ZIP_CM_DEFLATE, "right"},
                      {"s2.txt", "secret two", ZIP_CM_DEFLATE, "right"}});
  cUnzip unzip = Unzipper();
  int asked = 0;
  unzip.Events().PasswordRequest = [&](std::string& password, bool& cancel) {
    EXPECT_FALSE(cancel);
    ++asked;
    password = "right";
  };
  EXPECT_FALSE(unzip.Unzip()) << unzip.LastStatus();
  EXPECT_EQ(ReadFile(out_ / "s1.txt"), "secret one");
  EXPECT_EQ(ReadFile(out_ / "s2.txt"), "secret two");
  EXPECT_EQ(asked, 1);  // the password that worked is tried first for the next entry
}

// A wrong password skips the entry after asking again; a cancelled request stops the run.
TEST_F(UnzipTest, WrongOrCancelledPasswordSkipsTheEntryOrStopsTheRun) {
  WriteZip(archive_, {{"s.txt", "secret", ZIP_CM_DEFLATE, "right"}, {"plain.txt", "open"}});
  for (bool cancelled : {false, true}) {
    SCOPED_TRACE(cancelled ? "cancelled" : "wrong");
    EmptyOut();
    cUnzip unzip = Unzipper();
    int asked = 0;
    unzip.Events().PasswordRequest = [&](std::string& password, bool& cancel) {
      ++asked;
      password = "wrong";
      cancel = cancelled;
    };
    EXPECT_EQ(FailedWith(unzip), cancelled ? kUnzipCancelled : kUnzipBadPassword);
    EXPECT_EQ(asked, cancelled ? 1 : kPasswordAttempts);
    EXPECT_EQ(Tree(out_), cancelled ? std::vector<std::string>{} : std::vector<std::string>{"plain.txt"});
  }
}

TEST_F(UnzipTest, CancelEventStopsBeforeTheNextEntry) {
  WriteZip(archive_, {{"1.txt", "1"}, {"d/2.txt", "2"}, {"3.txt", "3"}});
  cUnzip unzip = Unzipper();
  std::vector<std::string> seen;
  unzip.Events().Cancel = [&](const std::string& name, bool& cancel) {
    EXPECT_FALSE(cancel);
    seen.push_back(name);
    cancel = seen.size() == 2;
  };
  EXPECT_EQ(FailedWith(unzip), kUnzipCancelled);
  EXPECT_THAT(seen, ElementsAre("1.txt", "d\\2.txt"));
  EXPECT_THAT(Tree(out_), ElementsAre("1.txt"));
}

TEST_F(UnzipTest, TestZipChecksEverythingAndWritesNothing) {
  WriteZip(archive_, {{"a.txt", "A"}, {"d/b.txt", std::string(10000, 'b')}});
  testing::AddFolder(archive_, "d/");
  cUnzip unzip = Unzipper();
  unzip.SetTestZip(true);
  int cancels = 0;
  unzip.Events().Cancel = [&](const std::string&, bool&) { ++cancels; };
  EXPECT_FALSE(unzip.Unzip()) << unzip.LastStatus();
  EXPECT_EQ(cancels, 3);
  EXPECT_THAT(Tree(out_), IsEmpty());
  EXPECT_THAT(messages_, ::testing::Contains("    testing: d\\b.txt   OK"));
}

TEST_F(UnzipTest, MessageLevelLimitsProgress) {
  WriteZip(archive_, {{"a.txt", "A"}, {"../evil.txt", "E"}});
  cUnzip unzip = Unzipper();
  unzip.SetMessageLevel(euzNoMessages);
  EXPECT_TRUE(unzip.Unzip());
  EXPECT_THAT(messages_, IsEmpty());
  unzip.SetMessageLevel(euzPartialMessages);
  unzip.SetOverwriteExisting(true);
  EXPECT_TRUE(unzip.Unzip());
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_THAT(messages_[0], ::testing::HasSubstr("..\\evil.txt"));
  messages_.clear();
  unzip.SetMessageLevel(euzAllMessages);
  EXPECT_TRUE(unzip.Unzip());
  EXPECT_EQ(messages_.size(), 2u);
}

// ---- Safety ------------------------------------------------------------------

TEST_F(UnzipTest, EntryNamesNeverLeaveTheFolder) {
  std::vector<TestEntry> entries;
  for (const char* bad : {"../../x", "/etc/x", "C:\\x", "a/../../x", "..\\x", "c:x", "bad\001name"})
    entries.emplace_back(bad, std::to_string(entries.size() + 1));
  entries.emplace_back("link", "/tmp", ZIP_CM_STORE, "", 0, true);
  entries.emplace_back("./fine/./ok.txt", "ok");
  WriteZip(archive_, entries);
  for (bool folders : {true, false}) {
    SCOPED_TRACE(folders);
    EmptyOut();
    cUnzip unzip = Unzipper();
    unzip.SetUseFolderNames(folders);
    unzip.SetOverwriteExisting(true);
    EXPECT_EQ(FailedWith(unzip), kUnzipWarning);
    using Names = std::vector<std::string>;
    EXPECT_EQ(Tree(out_), (folders ? Names{"fine", "fine/ok.txt"} : Names{"ok.txt"}));
    EXPECT_EQ(BesidesTheOutput(), earlier_);
  }
  EXPECT_THAT(ReadFile(fs::path(getenv("XDG_DATA_HOME")) / "Corvanta/Narravel/export.log"),
              ::testing::HasSubstr("a/../../x"));
}

TEST_F(UnzipTest, LinksAlreadyInTheFolderAreNeverFollowed) {
  fs::path outside = root_ / "outside";
  fs::create_directories(outside);
  WriteFile(outside / "target.txt", "keep");
  fs::create_directory_symlink(outside, out_ / "sub");
  fs::create_symlink(outside / "target.txt", out_ / "file.txt");
  WriteZip(archive_, {{"sub/x.txt", "no"}, {"file.txt", "replaced"}});
  cUnzip unzip = Unzipper();
  unzip.SetOverwriteExisting(true);
  EXPECT_EQ(FailedWith(unzip), kUnzipWriteFailed);
  EXPECT_THAT(Tree(outside), ElementsAre("target.txt"));
  EXPECT_EQ(ReadFile(outside / "target.txt"), "keep");
  // The link itself was replaced by the entry's file.
  EXPECT_FALSE(fs::is_symlink(out_ / "file.txt"));
  EXPECT_EQ(ReadFile(out_ / "file.txt"), "replaced");
}

TEST_F(UnzipTest, ZipBombsAreRefusedBeforeAnythingIsWritten) {
  WriteZip(archive_, {{"small.txt", "s"}, {"bomb.bin", std::string(4 << 20, '\0')}});
  cUnzip unzip = Unzipper();
  EXPECT_EQ(FailedWith(unzip), kUnzipTooLarge);
  EXPECT_THAT(Tree(out_), IsEmpty());

  // The total and entry-count limits, with limits small enough for a test.
  WriteZip(archive_, {{"a.txt", std::string(600, 'a')}, {"b.txt", std::string(600, 'b')}});
  UnzipOptions options;
  options.limits.maxTotalBytes = 1000;
  EXPECT_EQ(ExtractZip(archive_.string(), out_.string(), {}, options, {}), kUnzipTooLarge);
  options.limits = ZipLimits{};
  options.limits.maxEntries = 1;
  EXPECT_EQ(ExtractZip(archive_.string(), out_.string(), {}, options, {}), kUnzipTooLarge);
  EXPECT_THAT(Tree(out_), IsEmpty());
}

TEST(UnzipEntryNameTest, SafePathsKeepTheirSegments) {
  EXPECT_THAT(*SafeEntryPath("a/b\\c.txt"), ElementsAre("a", "b", "c.txt"));
  EXPECT_THAT(*SafeEntryPath("./a//b/"), ElementsAre("a", "b", ""));
  EXPECT_THAT(*SafeEntryPath("..a/b..txt"), ElementsAre("..a", "b..txt"));
  for (const char* bad : {"", "/", "./", "..", "a/..", "\\x", "D:x", "a\tb", "a/../b"})
    EXPECT_FALSE(SafeEntryPath(bad)) << bad;
  EXPECT_FALSE(SafeEntryPath(std::string("a\0b", 3)));
}

TEST_F(UnzipTest, EmptyZipFileDoesNothing) {
  cUnzip unzip;
  EXPECT_FALSE(unzip.Unzip());
  EXPECT_EQ(unzip.LastStatus(), kUnzipNoZipFile);
}

}  // namespace
}  // namespace quillmere
