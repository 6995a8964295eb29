// Original-picture extraction, one picture at a time, on the corpus deck with
// the most pictures: each picture copied alone into a new windowless
// presentation, stripped of its effects and saved as a web page, as the
// picture writer does for every picture of an export. The time per picture
// must not grow with the pictures extracted before it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "bench/WriterDeck.h"
#include "engine/objects/document/WebPageSave.h"
#include "tests/engine/ScratchCopies.h"

namespace {

constexpr int kMsoPicture = 13;

std::vector<quillmere::Object> PicturesOf(const quillmere::Object& pres) {
  std::vector<quillmere::Object> pictures;
  quillmere::Object slides = pres.Child("Slides");
  for (int s = 1, n = slides.Count(); s <= n; ++s) {
    quillmere::Object shapes = slides.Item(s).Child("Shapes");
    for (int i = 1, count = shapes.Count(); i <= count; ++i)
      if (shapes.Item(i).Get("Type").AsLong() == kMsoPicture) pictures.push_back(shapes.Item(i));
  }
  return pictures;
}

void ExtractOriginalPicture(benchmark::State& state) {
  WriterDeck deck("poi__at.ecodesign.www_downloads_Vertiefungsvortrag_elektronik.pptx");
  std::vector<quillmere::Object> pictures = PicturesOf(deck.pres);
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillmere-original-pictures";
  std::filesystem::create_directories(folder);
  std::size_t next = 0;
  for (auto _ : state) {
    const quillmere::Object& picture = pictures[next++ % pictures.size()];
    quillmere::Object scratch = quillmere::testing::ScratchWithCopyOf(deck.app, picture);
    quillmere::testing::StripEffects(scratch.Child("Slides").Item(1).Child("Shapes").Item(1));
    std::filesystem::path files = quillmere::testing::SaveAsWebPage(scratch, folder, "page",
                                                                    quillmere::engine::kSupportingFilesSuffix);
    if (std::filesystem::is_empty(files)) state.SkipWithError("a picture came out without its file");
  }
  state.counters["pictures"] = static_cast<double>(pictures.size());
  std::filesystem::remove_all(folder);
}

BENCHMARK(ExtractOriginalPicture)->Unit(benchmark::kMillisecond);

}  // namespace
