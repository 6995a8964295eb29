// Successful exports of the demo deck: the last stdout line is the XML file
// written, each command writes its own file, and paths, the engine version,
// the trace switch and the progress bar behave as documented.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "tests/cli/CliHarness.h"
#include "tests/helpers/TestFiles.h"
#include "tests/helpers/TextPieces.h"

namespace quillmere::clitest {
namespace {

namespace fs = std::filesystem;

using quillmere::testing::ReadFile;

// The index attributes of the slides an XML file describes, in order.
std::vector<std::string> SlideIndexes(const fs::path& xml) {
  const std::string text = ReadFile(xml);
  static const std::regex slide(R"re(<Slide id="\d+" index="(\d+)")re");
  std::vector<std::string> indexes;
  for (std::sregex_iterator it(text.begin(), text.end(), slide), end; it != end; ++it) indexes.push_back((*it)[1]);
  return indexes;
}

class CliExport : public ::testing::Test {
 protected:
  fs::path Out() const { return sandbox_.Root() / "out"; }

  // Runs a command that must succeed and returns the XML file it named.
  fs::path ExpectWritten(const std::vector<std::string>& args, ChildOptions options = {},
                         const std::string& fileName = "presentationinfo.xml") {
    ChildResult r = RunCli(sandbox_, args, options);
    EXPECT_EQ(r.exitCode, 0) << Describe(r) << "\nstderr:\n" << r.err;
    std::vector<std::string> lines = Lines(r.out);
    if (lines.empty()) {
      ADD_FAILURE() << "nothing on stdout";
      return {};
    }
    const fs::path xml = lines.back();
    EXPECT_TRUE(xml.is_absolute()) << xml;
    EXPECT_EQ(xml.filename(), fileName);
    EXPECT_TRUE(fs::is_regular_file(xml)) << xml;
    lastErr_ = r.err;
    return xml;
  }

  Sandbox sandbox_;
  std::string lastErr_;
};

TEST_F(CliExport, OneSlideAndASelectionAreExported) {
  fs::path one = ExpectWritten({"--no-images", "slide", SampleDeck().string(), "3", "-o", (Out() / "one").string()});
  EXPECT_EQ(SlideIndexes(one), (std::vector<std::string>{"3"}));
  fs::path some =
      ExpectWritten({"--no-images", "slides", SampleDeck().string(), "1|3", "-o", (Out() / "some").string()});
  EXPECT_EQ(SlideIndexes(some), (std::vector<std::string>{"1", "3"}));
  fs::path all = ExpectWritten({"--no-images", "presentation", SampleDeck().string(), "-o", (Out() / "all").string()});
  EXPECT_EQ(SlideIndexes(all), (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(fs::canonical(all.parent_path()), fs::canonical(Out() / "all"));
  // Not a terminal: no progress bar, and no trace without --trace.
  EXPECT_EQ(lastErr_, "");
}

TEST_F(CliExport, ThumbnailsAreListed) {
  fs::path xml = ExpectWritten({"thumbnails", SampleDeck().string(), "--output", Out().string()}, {}, "thumbnails.xml");
  EXPECT_EQ(fs::canonical(xml.parent_path()), fs::canonical(Out()));
}

TEST_F(CliExport, RelativePathsAreTheCallersWorkingFolder) {
  fs::copy_file(SampleDeck(), sandbox_.Root() / "deck.pptx");
  ChildOptions options;
  options.workingFolder = sandbox_.Root();
  fs::path xml = ExpectWritten({"presentation", "deck.pptx", "-o", "out"}, options);
  EXPECT_EQ(xml, fs::canonical(sandbox_.Root()) / "out" / "presentationinfo.xml");
}

// Without -o the output goes into a folder of its own in the temporary
// folder; with or without, the library's scratch files go with the export.
TEST_F(CliExport, WithoutOutputFolderAFreshTemporaryFolderIsUsedAndNoScratchIsLeft) {
  fs::path xml = fs::canonical(ExpectWritten({"presentation", SampleDeck().string()}));
  const fs::path temp = fs::canonical(sandbox_.Temp());
  EXPECT_EQ(xml.parent_path().parent_path(), temp) << xml;
  EXPECT_EQ(xml.parent_path().filename().string().rfind("quillmere-", 0), 0u) << xml;
  ExpectWritten({"presentation", SampleDeck().string(), "-o", Out().string()});
  const fs::path scratch = temp / "corvanta" / "lumidesk";
  EXPECT_TRUE(!fs::exists(scratch) || fs::is_empty(scratch)) << fs::begin(fs::directory_iterator(scratch))->path();
}

TEST_F(CliExport, EmulatedVersionReachesTheEngineBeforeOrAfterTheCommand) {
  // Without images: the version is all this looks at. Given before the command, after it, and not at all.
  const std::string deck = SampleDeck().string();
  auto out = [&](const char* name) { return (Out() / name).string(); };
  for (auto [version, args] :
       {std::pair{"11", std::vector<std::string>{"--emulate-version", "11", "presentation", deck, "-o", out("11")}},
        {"14", {"presentation", deck, "-o", out("14"), "--emulate-version", "14"}},
        {"default", {"presentation", deck, "-o", out("default")}}}) {
    SCOPED_TRACE(version);
    args.insert(args.begin(), "--no-images");
    const std::string xml = ReadFile(ExpectWritten(args));
    for (std::string other : {"11", "14"})
      EXPECT_EQ(xml.find("<PPTVersion>" + other) != std::string::npos, other == version) << other;
  }
}

TEST_F(CliExport, TraceSwitchPrintsTheLibrarysLinesOnStderr) {
  ExpectWritten({"--trace", "--no-images", "presentation", SampleDeck().string(), "-o", Out().string()});
  // Each slide's writer says when it starts and ends, by the slide's id, in the deck's order.
  std::vector<std::string> slideLines;
  for (const std::string& line : Lines(lastErr_)) {
    if (line.rfind("Slide Properties: ", 0) == 0) slideLines.push_back(line.substr(0, line.find(" - ")));
  }
  EXPECT_EQ(slideLines, (std::vector<std::string>{"Slide Properties: 256 Enter", "Slide Properties: 256 Exit",
                                                  "Slide Properties: 257 Enter", "Slide Properties: 257 Exit",
                                                  "Slide Properties: 258 Enter", "Slide Properties: 258 Exit",
                                                  "Slide Properties: 259 Enter", "Slide Properties: 259 Exit"}))
      << lastErr_;
}

TEST_F(CliExport, ProgressBarIsDrawnOnATerminalAndEndsItsLine) {
  ChildOptions options;
  options.stderrOnTerminal = true;
  ExpectWritten({"presentation", SampleDeck().string(), "-o", Out().string()}, options);
  EXPECT_EQ(lastErr_.rfind("\r[", 0), 0u) << lastErr_;
  EXPECT_NE(lastErr_.find("] "), std::string::npos) << lastErr_;
  const std::size_t lastDraw = lastErr_.rfind('\r');
  ASSERT_NE(lastDraw, std::string::npos);
  // The final drawing is complete, and a newline hands the line back.
  const std::string last = lastErr_.substr(lastDraw);
  testing::ExpectHas(last, {"[##############################] ", " 100%"});
  EXPECT_EQ(lastErr_.back(), '\n');
  EXPECT_EQ(Lines(lastErr_).size(), 1u) << "only the bar's line: " << lastErr_;
}

}  // namespace
}  // namespace quillmere::clitest
