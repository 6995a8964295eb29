// The packages of a course's quiz slides and player tabs come from one folder
// of the project archive: 40 quiz slides whose packages (256 KB each) are not
// beside the presentation ask for it 40 times in one export. Measured: the
// 40 requests of one export, and what reading the folder again for each
// request would cost.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "media/EmbeddedPackages.h"
#include "objectmodel/ExportContext.h"
#include "utilities/archive/ProjectArchivePacking.h"

namespace {

namespace fs = std::filesystem;

constexpr int kQuizSlides = 40;

struct QuizCourse {
  fs::path root = fs::temp_directory_path() / "quillmere-quiz-bench";
  fs::path archive = root / "course.qpk";
  fs::path out = root / "out";
  quillmere::ExportContext context;

  QuizCourse() {
    fs::remove_all(root);
    std::mt19937 engine(7);
    std::string data(256 * 1024, '\0');
    for (int i = 0; i < kQuizSlides; ++i) {
      for (char& c : data) c = static_cast<char>(engine());
      fs::path file = root / "course" / "embedded content" / std::to_string(256 + i) / "check.quiz";
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << data;
    }
    quillmere::PackFolder((root / "course").string(), archive.string());
    context.outputFolder = out.string() + "/";
    context.projectArchivePath = archive.string();
  }
};

void Requests(benchmark::State& state, bool readAgainEachTime) {
  static QuizCourse course;
  quillmere::ExportContext& export_ = course.context;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(course.out);
    export_.extractedArchiveFolders.clear();
    state.ResumeTiming();
    for (int i = 0; i < kQuizSlides; ++i) {
      if (readAgainEachTime) export_.extractedArchiveFolders.clear();
      std::string path = quillmere::ArchivedPackagePath(export_, std::to_string(256 + i), "check.quiz");
      if (!fs::exists(path)) state.SkipWithError("not extracted");
    }
  }
}

void BM_QuizSlidesOfOneExport(benchmark::State& state) { Requests(state, false); }
BENCHMARK(BM_QuizSlidesOfOneExport)->Unit(benchmark::kMillisecond);

void BM_QuizSlidesReadingTheArchiveEachTime(benchmark::State& state) { Requests(state, true); }
BENCHMARK(BM_QuizSlidesReadingTheArchiveEachTime)->Unit(benchmark::kMillisecond);

}  // namespace
