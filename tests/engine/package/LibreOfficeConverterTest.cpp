#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "PackageTestFiles.h"
#include "engine/package/LibreOfficeConverter.h"
#include "engine/package/LibreOfficeInstallation.h"
#include "engine/package/Package.h"
#include "tests/helpers/MissingTool.h"

namespace quillmere::engine {
namespace {

using namespace packagetest;
using std::chrono::seconds;

// Names in the work folder that are neither the produced deck nor its folder.
std::vector<std::string> Leftovers(const std::filesystem::path& work, const ConversionResult& result) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(work))
    if (!result.pptx || entry.path() != result.pptx->parent_path()) names.push_back(entry.path().filename());
  return names;
}

class LibreOfficeConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QUILLMERE_REQUIRE_TOOL(!FindSoffice().empty(), "LibreOffice");
  }
  TempFolder temp_;
};

TEST_F(LibreOfficeConverterTest, ConvertsABinaryDeck) {
  ConversionResult result = ConvertToPptx(CorpusFile("poi__SampleShow.ppt"), temp_ / "work", seconds(120));
  ASSERT_TRUE(result.pptx) << result.error;
  EXPECT_EQ(result.pptx->extension(), ".pptx");
  std::unique_ptr<Package> package = Package::Open(*result.pptx);
  EXPECT_EQ(package->MainPartName(), "ppt/presentation.xml");
  EXPECT_TRUE(Leftovers(temp_ / "work", result).empty());  // no profile, no output log
}

TEST_F(LibreOfficeConverterTest, FailsOnADamagedDeck) {
  std::filesystem::path damaged = CorpusFile("poi__clusterfuzz-testcase-minimized-POIFuzzer-5681320547975168.ppt");
  ConversionResult result = ConvertToPptx(damaged, temp_ / "work", seconds(120));
  EXPECT_FALSE(result.pptx);
  EXPECT_TRUE(result.error.starts_with("LibreOffice could not convert the file")) << result.error;
  EXPECT_TRUE(Leftovers(temp_ / "work", result).empty());
}

TEST(LibreOfficeConverter, ReportsAMissingInstallation) {
  TempFolder temp;
  for (const std::filesystem::path& soffice : {std::filesystem::path(), temp / "soffice", temp.Path()}) {
    ConversionResult result = ConvertToPptxWith(soffice, CorpusFile("poi__SampleShow.ppt"), temp / "work", seconds(5));
    EXPECT_FALSE(result.pptx);
    EXPECT_EQ(result.error, "LibreOffice is not installed") << soffice;
  }
}

// A fresh profile is told the installation's version and build, so that the office neither takes it for
// one just upgraded and runs its graphics self-tests nor clears its extension cache and asks for a
// restart; what cannot be read from the installation is not written.
TEST(LibreOfficeConverter, NewProfileKnowsTheInstalledVersionAndBuild) {
  TempFolder temp;
  const std::filesystem::path office = temp / "office", program = office / "program", seen = temp / "seen";
  std::filesystem::create_directories(program);
  WriteFile(program / "soffice", "#!/bin/sh\nprofile=${1#-env:UserInstallation=file://}\n"
                                      "rm -rf '" + seen.string() + "'\ncp -r \"$profile/user\" '" + seen.string() + "'\nexit 1\n");
  std::filesystem::permissions(program / "soffice", std::filesystem::perms::owner_all);
  auto convert = [&] { ConvertToPptxWith(program / "soffice", CorpusFile("poi__SampleShow.ppt"), temp / "work", seconds(20)); };

  convert();
  EXPECT_FALSE(std::filesystem::exists(seen)) << "nothing to read, yet something was written";

  std::filesystem::create_directories(office / "share" / "registry");
  WriteFile(office / "share" / "registry" / "main.xcd",
                 "<oor:data><prop oor:name=\"ooSetupVersion\" oor:type=\"xs:string\"/>\n"
                 "<node oor:name=\"Product\"><prop oor:name=\"ooSetupVersion\">\n  <value>9.3</value>\n</prop></node>");
  WriteFile(program / "versionrc", "[Version]\r\nAllLanguages=en-US\r\nbuildid=77(Build:1)\r\nVendor=Someone\r\n");
  EXPECT_EQ(InstalledOfficeVersion(program / "soffice"), "9.3");
  EXPECT_EQ(InstalledOfficeBuildId(program / "soffice"), "77(Build:1)");
  convert();
  EXPECT_NE(ReadFile(seen / "registrymodifications.xcu")
                .find("<prop oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>9.3</value>"),
            std::string::npos);
  EXPECT_EQ(ReadFile(seen / "extensions" / "buildid"), "77(Build:1)");

  std::filesystem::path installed = FindSoffice();
  if (!installed.empty()) {
    EXPECT_NE(InstalledOfficeVersion(installed), "") << installed;
    EXPECT_NE(InstalledOfficeBuildId(installed), "") << installed;
  }
}

TEST(LibreOfficeConverter, KillsTheWholeProcessGroupOnTimeout) {
  TempFolder temp;
  // The helper started in the background inherits the pipe's write end; the
  // read end sees end-of-file only once every holder is gone.
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::filesystem::path soffice = temp / "soffice";
  WriteFile(soffice, "#!/bin/sh\nsleep 60 &\nwait\n");
  std::filesystem::permissions(soffice, std::filesystem::perms::owner_all);
  auto started = std::chrono::steady_clock::now();
  ConversionResult result = ConvertToPptxWith(soffice, CorpusFile("poi__SampleShow.ppt"), temp / "work", seconds(1));
  close(fds[1]);
  EXPECT_LT(std::chrono::steady_clock::now() - started, seconds(10));
  EXPECT_FALSE(result.pptx);
  EXPECT_NE(result.error.find("timed out"), std::string::npos) << result.error;

  pollfd p{fds[0], POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 5000), 1) << "a helper outlived the time limit";
  char byte;
  EXPECT_EQ(read(fds[0], &byte, 1), 0);
  close(fds[0]);
  EXPECT_TRUE(Leftovers(temp / "work", result).empty());
}

}  // namespace
}  // namespace quillmere::engine
