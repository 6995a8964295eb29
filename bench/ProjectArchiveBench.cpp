// Project archives: packing a folder, extracting it through cProjectFileHandler
// and listing it; bytes per second over a course-sized archive (200 small
// files of 64 KB, a 20 MB video, and 50 narration tracks under long names),
// and the memory an extraction of 500 files in 50 MB takes beyond what the
// process held before (streams are copied in chunks, so it stays flat).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "utilities/archive/ProjectArchiveContents.h"
#include "utilities/archive/ProjectArchivePacking.h"
#include "utilities/archive/ProjectFileHandler.h"

namespace {

namespace fs = std::filesystem;

using WriteFile = std::function<void(const fs::path& relative, std::size_t size)>;

// A folder of random files, packed into an archive beside it.
struct Course {
  fs::path root;
  fs::path folder = root / "course";
  fs::path archive = root / "course.qpk";
  std::uint64_t bytes = 0;

  Course(const std::string& name, const std::function<void(const WriteFile&)>& fill)
      : root(fs::temp_directory_path() / name) {
    fs::remove_all(root);
    std::mt19937 engine(5);
    fill([&](const fs::path& relative, std::size_t size) {
      fs::path file = folder / relative;
      fs::create_directories(file.parent_path());
      std::string data(size, '\0');
      for (char& c : data) c = static_cast<char>(engine());
      std::ofstream(file, std::ios::binary) << data;
      bytes += size;
    });
    quillmere::PackFolder(folder.string(), archive.string());
  }
};

const Course& TheCourse() {
  static Course course("quillmere-archive-bench", [](const WriteFile& write) {
    for (int i = 0; i < 200; ++i)
      write(fs::path("webobjects") / "site" / ("page" + std::to_string(i) + ".bin"), 64 * 1024);
    write(fs::path("videos") / "lecture.flv", 20 * 1024 * 1024);
    for (int i = 0; i < 50; ++i)
      write(fs::path("narration") / ("Narration for slide " + std::to_string(i) + " of the course.mp3"), 32 * 1024);
  });
  return course;
}

// 500 files of 100 KB: 400 web pages and 100 narration tracks, 50 MB in all.
const Course& ManyFiles() {
  static Course course("quillmere-archive-bench-many", [](const WriteFile& write) {
    for (int i = 0; i < 400; ++i)
      write(fs::path("webobjects") / "site" / ("page" + std::to_string(i) + ".bin"), 100000);
    for (int i = 0; i < 100; ++i) write(fs::path("narration") / ("track" + std::to_string(256 + i) + ".mp3"), 100000);
  });
  return course;
}

// A kB figure of /proc/self/status ("VmRSS", "VmHWM"); -1 when it cannot be read.
long StatusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

// Lets the peak resident size start again from the current one.
bool ResetPeakResidentSize() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}

bool ExtractThroughTheHandler(const Course& course, const fs::path& out) {
  quillmere::cProjectFileHandler handler;
  handler.SetExtractToFolder(out.string());
  std::string archive = course.archive.string(), folder = "site";
  handler.SetProjectFilename(archive);
  handler.ExtractWO(folder);
  return handler.ExitCode() == "0";
}

void BM_PackFolder(benchmark::State& state) {
  const Course& course = TheCourse();
  fs::path archive = course.root / "packed.qpk";
  for (auto _ : state)
    if (!quillmere::PackFolder(course.folder.string(), archive.string()).written) state.SkipWithError("not packed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * course.bytes));
}
BENCHMARK(BM_PackFolder)->Unit(benchmark::kMillisecond);

// ExtractWO enters every folder after the first one it enters: the whole archive.
void BM_ExtractThroughTheHandler(benchmark::State& state) {
  const Course& course = TheCourse();
  fs::path out = course.root / "out";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(out);
    state.ResumeTiming();
    if (!ExtractThroughTheHandler(course, out)) state.SkipWithError("not extracted");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * course.bytes));
}
BENCHMARK(BM_ExtractThroughTheHandler)->Unit(benchmark::kMillisecond);

// Peak resident growth: the most the process held during an extraction beyond
// what it held before it; and the peak itself, against the archive's size.
void BM_ExtractManyFilesInFlatMemory(benchmark::State& state) {
  const Course& course = ManyFiles();
  fs::path out = course.root / "out";
  long growth = 0, peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(out);
    long before = StatusKilobytes("VmRSS");
    if (!ResetPeakResidentSize() || before < 0) state.SkipWithError("the peak resident size cannot be measured");
    state.ResumeTiming();
    if (!ExtractThroughTheHandler(course, out)) state.SkipWithError("not extracted");
    state.PauseTiming();
    long highWater = StatusKilobytes("VmHWM");
    growth = std::max(growth, highWater - before);
    peak = std::max(peak, highWater);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * course.bytes));
  state.counters["peak_rss_growth_kB"] = static_cast<double>(growth);
  state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1000;
  state.counters["archive_MB"] = static_cast<double>(fs::file_size(course.archive)) / 1e6;
}
BENCHMARK(BM_ExtractManyFilesInFlatMemory)->Unit(benchmark::kMillisecond);

void BM_ListArchive(benchmark::State& state) {
  const Course& course = TheCourse();
  auto sleeper = quillmere::MakeRealSleeper();
  for (auto _ : state) {
    quillmere::ArchiveContents contents = quillmere::ListProjectArchive(course.archive.string(), *sleeper);
    benchmark::DoNotOptimize(contents.entries.size());
  }
}
BENCHMARK(BM_ListArchive)->Unit(benchmark::kMillisecond);

}  // namespace
