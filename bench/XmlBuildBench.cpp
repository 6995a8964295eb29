// Building a large document through the element and attribute helpers and
// saving it once, as the writers do.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "objectmodel/ExportContext.h"
#include "objectmodel/xml/XmlHelpers.h"

namespace {

void BuildLargeDocument(benchmark::State& state) {
  const int elements = static_cast<int>(state.range(0));
  std::string path = (std::filesystem::temp_directory_path() / "quillmere-bench.xml").string();
  const quillmere::ExportContext numbers;
  for (auto _ : state) {
    pugi::xml_document doc;
    pugi::xml_node root = quillmere::AppendContainer(doc, "Presentation");
    quillmere::AppendLineBreak(root);
    for (int i = 0; i < elements / 10; ++i) {
      pugi::xml_node shape = quillmere::AppendContainer(root, "Shape");
      quillmere::AddAttribute(2, shape, "id", std::to_string(i));
      for (int j = 0; j < 9; ++j)
        quillmere::AddElement(8, shape, "Left", numbers.DecimalText(12.5f * static_cast<float>(j), 1.3333f));
    }
    benchmark::DoNotOptimize(quillmere::SaveDocument(doc, path));
  }
  state.SetItemsProcessed(state.iterations() * elements);
  std::filesystem::remove(path);
}

BENCHMARK(BuildLargeDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
