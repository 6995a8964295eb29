// Every deck of the shared corpus through `quillmere presentation`, without
// images (other tests draw them on a few decks), as PowerPoint 2010 and as
// 2003 and 2007 see it: none may crash or hang, every readable package must
// export, its slides must name designs and layouts that the file describes,
// and its export.log may hold only the lines PowerPoint itself would cause
// (kAllowedLines). Each view runs in pieces that ctest can run side by side;
// all failures of a piece are collected and reported together.

#include <gtest/gtest.h>
#include <zip.h>

#include <pugixml.hpp>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>

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

// The views the sweep exports in: their names and the options that pick them.
struct View {
  const char* name;
  std::vector<std::string> options;
};
const View kViews[] = {{"PowerPoint2010", {}},
                       {"PowerPoint2003", {"--emulate-version", "11"}},
                       {"PowerPoint2007", {"--emulate-version", "12"}}};
constexpr int kPieces = 4;

// The export.log lines that may stay, each with why; every other line fails the sweep.
struct AllowedLine {
  std::regex text;
  const char* reason;
  const char* onlyInView = nullptr;  // nullptr: in every view
  bool oncePerExport = false;
  bool onlyWhenUnreadable = false;
};
const std::vector<AllowedLine>& AllowedLines() {
  static const std::vector<AllowedLine> lines{
      {std::regex(
           R"(Shape\.ScaleHeight : The RelativeToOriginalSize argument applies only to a picture or an OLE object\.)"),
       "PowerPoint refuses this scaling of every shape that is no picture or OLE object; the shape writer asks it of "
       "every shape"},
      {std::regex(R"(\S+ : Drawing images is turned off\.)"), "the sweep draws no images; each refusal is logged once",
       nullptr, true},
      {std::regex(R"(^GetPresentationXML: )"),
       "a damaged, protected or foreign file does not open, in PowerPoint as in the engine", nullptr, false, true},
      {std::regex(R"(^Shape Properties: -2146827850: Object doesn't support this property or method in )"
                  R"(Quillmere\.bXML\.FillProperties at line 60 )"),
       "PowerPoint 2003 has no FillFormat.TextureTile, which the fill writer sets on the copy of a picture fill",
       "PowerPoint2003"},
  };
  return lines;
}

// Why a log line may not stay; empty when it may.
std::string JudgeLogLine(const std::string& line, const View& view, const CorpusDeck& deck,
                         std::set<std::string>& seenOnce) {
  for (const AllowedLine& allowed : AllowedLines()) {
    std::smatch match;
    if (!std::regex_search(line, match, allowed.text)) continue;
    if (allowed.onlyInView && std::string_view(allowed.onlyInView) != view.name) continue;
    if (allowed.onlyWhenUnreadable && deck.mustExport) return "the deck must open";
    if (allowed.oncePerExport && !seenOnce.insert(match.str(0)).second) return "logged more than once";
    return {};
  }
  return "not a line PowerPoint would cause";
}

std::string CheckLog(const fs::path& log, const View& view, const CorpusDeck& deck) {
  std::ifstream in(log);
  std::set<std::string> seenOnce;
  std::string problems;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string why = JudgeLogLine(line, view, deck, seenOnce);
    if (!why.empty()) problems += "\n  export.log (" + why + "): " + line;
  }
  return problems;
}

// Empty when the run is as expected, otherwise why not.
std::string CheckDeck(const CorpusDeck& deck, const View& view) {
  Sandbox sandbox;
  const fs::path out = sandbox.Root() / "out";
  ChildOptions options;
  // Far beyond the slowest deck on a loaded machine; a hang still ends here.
  options.timeout = std::chrono::seconds(120);
  std::vector<std::string> args = view.options;
  args.insert(args.end(), {"--no-images", "presentation", (CorpusDir() / deck.file).string(), "-o", out.string()});
  ChildResult r = RunCli(sandbox, args, options);
  if (r.timedOut || r.signal != 0 || r.exitCode < 0 || r.exitCode > 11) return Describe(r) + "\n" + r.err;
  std::string log = CheckLog(sandbox.Data() / "Corvanta" / "Narravel" / "export.log", view, deck);
  if (r.exitCode != 0) {
    if (deck.mustExport) return "status " + std::to_string(r.exitCode) + ": " + r.err;
    if (Lines(r.err).size() != 1)
      return "status " + std::to_string(r.exitCode) + " without exactly one line:\n" + r.err;
    return log;
  }
  std::vector<std::string> lines = Lines(r.out);
  if (lines.empty() || !fs::is_regular_file(lines.back()) || fs::path(lines.back()) != out / "presentationinfo.xml")
    return "status 0 but no presentationinfo.xml named; stdout:\n" + r.out;
  // The older views have no layouts of their own to name.
  std::string designs = view.options.empty() ? CheckDesigns(lines.back()) : std::string();
  return designs + log;
}

class CliCorpus : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(CliCorpus, EveryDeckGivesAStatusReadableOnesExportAndTheLogHasOnlyWhatPowerPointWouldSay) {
  const View& view = kViews[std::get<0>(GetParam())];
  const int piece = std::get<1>(GetParam());
  const std::vector<CorpusDeck> all = ReadManifest();
  ASSERT_GT(all.size(), 100u) << "corpus not found in " << CorpusDir();
  const auto mustExport = std::count_if(all.begin(), all.end(), [](const CorpusDeck& d) { return d.mustExport; });
  ASSERT_GT(mustExport, static_cast<std::ptrdiff_t>(all.size() / 2)) << "the manifest's columns were misread";
  // Every kPieces-th deck, so that the large decks spread over the pieces.
  std::vector<CorpusDeck> decks;
  for (std::size_t i = static_cast<std::size_t>(piece); i < all.size(); i += kPieces) decks.push_back(all[i]);

  std::atomic<std::size_t> next{0};
  std::mutex lock;
  std::vector<std::string> failures;
  auto worker = [&] {
    for (std::size_t i; (i = next++) < decks.size();) {
      std::string problem = CheckDeck(decks[i], view);
      if (problem.empty()) continue;
      std::lock_guard guard(lock);
      failures.push_back(decks[i].file + ": " + problem);
    }
  };
  // Each run is mostly one process waiting on another; two at once keep a core busy beside the other pieces.
  std::vector<std::thread> pool;
  for (unsigned i = 0; i < 2; ++i) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();

  std::sort(failures.begin(), failures.end());
  std::string report;
  for (const std::string& failure : failures) report += failure + "\n";
  EXPECT_TRUE(failures.empty()) << failures.size() << " of " << decks.size() << " decks failed:\n" << report;
}

INSTANTIATE_TEST_SUITE_P(Views, CliCorpus, ::testing::Combine(::testing::Range(0, 3), ::testing::Range(0, kPieces)),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
                           return std::string(kViews[std::get<0>(info.param)].name) + "_piece" +
                                  std::to_string(std::get<1>(info.param) + 1);
                         });

}  // namespace
}  // namespace quillmere::clitest
