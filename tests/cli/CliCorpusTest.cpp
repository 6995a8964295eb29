// Every deck of the shared corpus through `quillmere presentation`, without
// images (other tests draw them on a few decks): none may crash or hang, every
// readable package must export, and its slides must name designs and layouts
// that the file describes. All failures are collected and reported together.

#include <gtest/gtest.h>
#include <zip.h>

#include <pugixml.hpp>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
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

// Empty when every slide's DesignId and LayoutId name a Design and one of its
// CustomLayouts of the file, and every design has a colour scheme, a font
// theme and a master; otherwise what is wrong.
std::string CheckDesigns(const fs::path& xml) {
  pugi::xml_document doc;
  if (!doc.load_file(xml.c_str())) return "presentationinfo.xml does not parse";
  pugi::xml_node presentation = doc.child("Presentation");
  std::map<std::string, std::set<std::string>> layouts;  // by design id
  for (pugi::xml_node design : presentation.child("Designs").children("Design")) {
    std::string id = design.attribute("id").value();
    pugi::xml_node master = design.child("SlideMaster");
    if (!design.child("ColorScheme").child("Dark1") || !design.child("FontTheme").child("MajorFont") || !master ||
        !master.child("Background") || !master.child("BackgroundStyle") || !master.child("Shapes"))
      return "design " + id + " lacks its colours, fonts or master";
    auto& ids = layouts[id];
    for (pugi::xml_node layout : master.children("CustomLayout")) ids.insert(layout.attribute("id").value());
  }
  for (pugi::xml_node slide : presentation.child("Slides").children("Slide")) {
    std::string design = slide.child_value("DesignId"), layout = slide.child_value("LayoutId");
    auto found = layouts.find(design);
    if (found == layouts.end() || !found->second.contains(layout))
      return "slide " + std::string(slide.attribute("index").value()) + " names design " + design + " layout " +
             layout + ", which the file does not describe";
  }
  return {};
}

// Empty when the run is as expected, otherwise why not.
std::string CheckDeck(const CorpusDeck& deck) {
  Sandbox sandbox;
  const fs::path out = sandbox.Root() / "out";
  ChildOptions options;
  // Far beyond the slowest deck on a loaded machine; a hang still ends here.
  options.timeout = std::chrono::seconds(120);
  ChildResult r =
      RunCli(sandbox, {"--no-images", "presentation", (CorpusDir() / deck.file).string(), "-o", out.string()}, options);
  if (r.timedOut || r.signal != 0 || r.exitCode < 0 || r.exitCode > 11) return Describe(r) + "\n" + r.err;
  if (r.exitCode != 0) {
    if (deck.mustExport) return "status " + std::to_string(r.exitCode) + ": " + r.err;
    if (Lines(r.err).size() != 1) return "status " + std::to_string(r.exitCode) + " without exactly one line:\n" + r.err;
    return {};
  }
  std::vector<std::string> lines = Lines(r.out);
  if (lines.empty() || !fs::is_regular_file(lines.back()) || fs::path(lines.back()) != out / "presentationinfo.xml")
    return "status 0 but no presentationinfo.xml named; stdout:\n" + r.out;
  return CheckDesigns(lines.back());
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
