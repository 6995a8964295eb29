// Every deck of the shared corpus through `quillmere presentation`: none may
// crash or hang, and every readable package must export. All failures are
// collected and reported together.

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "tests/cli/CliHarness.h"

namespace quillmere::clitest {
namespace {

namespace fs = std::filesystem;

struct CorpusDeck {
  std::string file;
  bool mustExport;
};

// Some packages the manifest does not flag are cut short; no reader has to take those.
bool ZipIntact(const fs::path& file) {
  int error = 0;
  zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) return false;
  zip_discard(archive);
  return true;
}

// MANIFEST.tsv: file, source, path, licence, bytes, sha256, container, notes.
std::vector<CorpusDeck> ReadManifest() {
  std::ifstream in(CorpusDir() / "MANIFEST.tsv");
  std::vector<CorpusDeck> decks;
  std::string line;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream row(line);
    for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
    if (fields.empty() || fields[0].empty()) continue;
    fields.resize(8);
    const std::string& container = fields[6];
    const std::string& notes = fields[7];
    // Damaged, fuzzed, protected and very old files only have to give a status.
    const bool readable =
        (container == "zip" && (notes.empty() || notes == "digitally signed" || notes == "no slides") &&
         ZipIntact(CorpusDir() / fields[0])) ||
        (container == "cfb" && notes == "binary .ppt");
    decks.push_back({fields[0], readable});
  }
  return decks;
}

// Empty when the run is as expected, otherwise why not.
std::string CheckDeck(const CorpusDeck& deck) {
  Sandbox sandbox;
  const fs::path out = sandbox.Root() / "out";
  ChildOptions options;
  // Long enough for the heaviest deck, which draws some 1,300 shape images,
  // on a loaded machine; a hang still ends here.
  options.timeout = std::chrono::seconds(480);
  ChildResult r = RunCli(sandbox, {"presentation", (CorpusDir() / deck.file).string(), "-o", out.string()}, options);
  if (r.timedOut || r.signal != 0 || r.exitCode < 0 || r.exitCode > 11) return Describe(r) + "\n" + r.err;
  if (r.exitCode != 0) {
    if (deck.mustExport) return "status " + std::to_string(r.exitCode) + ": " + r.err;
    if (Lines(r.err).size() != 1) return "status " + std::to_string(r.exitCode) + " without exactly one line:\n" + r.err;
    return {};
  }
  std::vector<std::string> lines = Lines(r.out);
  if (lines.empty() || !fs::is_regular_file(lines.back()) || fs::path(lines.back()) != out / "presentationinfo.xml")
    return "status 0 but no presentationinfo.xml named; stdout:\n" + r.out;
  return {};
}

TEST(CliCorpus, EveryDeckGivesAStatusAndReadableOnesExport) {
  const std::vector<CorpusDeck> decks = ReadManifest();
  ASSERT_GT(decks.size(), 100u) << "corpus not found in " << CorpusDir();
  const auto mustExport = std::count_if(decks.begin(), decks.end(), [](const CorpusDeck& d) { return d.mustExport; });
  ASSERT_GT(mustExport, static_cast<std::ptrdiff_t>(decks.size() / 2)) << "the manifest's columns were misread";

  std::atomic<std::size_t> next{0};
  std::mutex lock;
  std::vector<std::string> failures;
  auto worker = [&] {
    for (std::size_t i; (i = next++) < decks.size();) {
      std::string problem = CheckDeck(decks[i]);
      if (problem.empty()) continue;
      std::lock_guard guard(lock);
      failures.push_back(decks[i].file + ": " + problem);
    }
  };
  // Each run is mostly one process waiting on another; two per core keeps the machine busy.
  const unsigned workers = std::clamp(2 * std::thread::hardware_concurrency(), 2u, 8u);
  std::vector<std::thread> pool;
  for (unsigned i = 0; i < workers; ++i) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();

  std::sort(failures.begin(), failures.end());
  std::string report;
  for (const std::string& failure : failures) report += failure + "\n";
  EXPECT_TRUE(failures.empty()) << failures.size() << " of " << decks.size() << " decks failed:\n" << report;
}

}  // namespace
}  // namespace quillmere::clitest
