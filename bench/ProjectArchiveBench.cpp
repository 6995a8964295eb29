// Project archives: packing a folder, extracting it through cProjectFileHandler
// and listing it; bytes per second over a course-sized archive (200 small
// files of 64 KB, a 20 MB video, and 50 narration tracks under long names).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "support/ProjectArchiveContents.h"
#include "support/ProjectArchivePacking.h"
#include "support/ProjectFileHandler.h"

namespace {

namespace fs = std::filesystem;

struct Course {
  fs::path root = fs::temp_directory_path() / "quillmere-archive-bench";
  fs::path folder = root / "course";
  fs::path archive = root / "course.qpk";
  std::uint64_t bytes = 0;

  Course() {
    fs::remove_all(root);
    std::mt19937 engine(5);
    auto write = [&](const fs::path& file, std::size_t size) {
      fs::create_directories(file.parent_path());
      std::string data(size, '\0');
      for (char& c : data) c = static_cast<char>(engine());
      std::ofstream(file, std::ios::binary) << data;
      bytes += size;
    };
    for (int i = 0; i < 200; ++i)
      write(folder / "webobjects" / "site" / ("page" + std::to_string(i) + ".bin"), 64 * 1024);
    write(folder / "videos" / "lecture.flv", 20 * 1024 * 1024);
    for (int i = 0; i < 50; ++i)
      write(folder / "narration" / ("Narration for slide " + std::to_string(i) + " of the course.mp3"), 32 * 1024);
    quillmere::PackFolder(folder.string(), archive.string());
  }
};

const Course& TheCourse() {
  static Course course;
  return course;
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
    quillmere::cProjectFileHandler handler;
    handler.SetExtractToFolder(out.string());
    std::string archive = course.archive.string(), folder = "site";
    handler.SetProjectFilename(archive);
    handler.ExtractWO(folder);
    if (handler.ExitCode() != "0") state.SkipWithError("not extracted");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * course.bytes));
}
BENCHMARK(BM_ExtractThroughTheHandler)->Unit(benchmark::kMillisecond);

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
