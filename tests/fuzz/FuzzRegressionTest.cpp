// The fuzz targets' entry functions, run by the normal suite under the
// sanitizers: on real input they reach the export and the archive reader, and
// every input a fuzzer once found (tests/fuzz-regressions/<target>/) runs
// through them again without a fault and in bounded time.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "component/StatusCode.h"
#include "engine/EngineRuntime.h"
#include "fuzz/PresentationExportInput.h"
#include "fuzz/ProjectArchiveInput.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ProjectArchiveFixtures.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::testing {
namespace {

namespace fs = std::filesystem;

// Far above what any found input takes now, far below a hang.
constexpr std::chrono::seconds kInputTimeLimit{20};

std::vector<fs::path> FoundInputs(const char* target) {
  std::vector<fs::path> inputs;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::path(QUILLMERE_FUZZ_REGRESSIONS_DIR) / target, ec))
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
  std::string bytes = ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

class FuzzRegressionTest : public IsolatedUserFolders {
 protected:
  void SetUp() override {
    IsolatedUserFolders::SetUp();
    engine::RegisterEngine();
    fs::create_directories(Work());
  }
  fs::path Work() const { return Folder("work"); }

  // Runs the entry function on every found input of the target.
  template <class Entry>
  void RunFoundInputs(const char* target, Entry entry) {
    for (const fs::path& input : FoundInputs(target)) {
      SCOPED_TRACE(input.string());
      const std::vector<std::uint8_t> bytes = Bytes(input);
      const auto started = std::chrono::steady_clock::now();
      entry(bytes, Work());
      EXPECT_LT(std::chrono::steady_clock::now() - started, kInputTimeLimit);
      EXPECT_TRUE(fs::is_empty(Work()));
    }
  }
};

TEST_F(FuzzRegressionTest, PresentationExportReachesTheExportAndEndsOnEveryFoundInput) {
  const std::string corpus = QUILLMERE_CORPUS_DIR;
  EXPECT_EQ(fuzz::ExportPresentationBytes(Bytes(corpus + "/pptx__shp-groupshape.pptx"), Work()), ERR_SUCCESS);
  EXPECT_TRUE(fs::is_empty(Work()));
  // Binary decks would go to LibreOffice's converter: left alone.
  EXPECT_EQ(fuzz::ExportPresentationBytes(Bytes(corpus + "/poi__42486.ppt"), Work()), -1);
  EXPECT_EQ(fuzz::ExportPresentationBytes({}, Work()), -1);

  RunFoundInputs("presentation-export", [](const std::vector<std::uint8_t>& bytes, const fs::path& work) {
    fuzz::ExportPresentationBytes(bytes, work);
  });
}

TEST_F(FuzzRegressionTest, ProjectArchiveEndsOnEveryFoundInput) {
  const fs::path archive = Folder("made.qpk");
  WriteArchive(archive, [](ProjectArchiveWriter& writer) {
    writer.BeginFolder("narration");
    writer.AddFile("narration.wav", "RIFF");
    writer.EndFolder();
  });
  fuzz::ReadProjectArchiveBytes(Bytes(archive), Work());
  EXPECT_TRUE(fs::is_empty(Work()));

  RunFoundInputs("project-archive", fuzz::ReadProjectArchiveBytes);
}

}  // namespace
}  // namespace quillmere::testing
