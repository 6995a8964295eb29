// What one input of the whole-export fuzz target costs without the fuzzer's
// sanitizers: every small corpus deck (the target's seeds) exported in turn,
// reported per input, so that fixed costs per input show beside the export.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "fuzz/PresentationExportInput.h"

namespace {

constexpr std::uintmax_t kSeedSize = 65536;  // the fuzz run's largest input

std::vector<std::vector<std::uint8_t>> SeedDecks() {
  std::vector<std::vector<std::uint8_t>> decks;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLMERE_CORPUS_DIR)) {
    if (entry.path().extension() != ".pptx" || entry.file_size() > kSeedSize) continue;
    std::vector<std::uint8_t>& deck = decks.emplace_back(entry.file_size());
    std::ifstream(entry.path(), std::ios::binary).read(reinterpret_cast<char*>(deck.data()), deck.size());
  }
  return decks;
}

void FuzzInputExport(benchmark::State& state) {
  const auto decks = SeedDecks();
  std::filesystem::path work = std::filesystem::temp_directory_path() / "quillmere-fuzz-input-bench";
  std::filesystem::create_directories(work);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(quillmere::fuzz::ExportPresentationBytes(decks[next], work));
    next = (next + 1) % decks.size();
  }
  state.counters["decks"] = static_cast<double>(decks.size());
  state.counters["per_second"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
  std::filesystem::remove_all(work);
}
BENCHMARK(FuzzInputExport)->Unit(benchmark::kMillisecond);

}  // namespace
