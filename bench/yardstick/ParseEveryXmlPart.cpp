// The floor an XML-only export is measured against: inflate every XML part of
// a package once and parse it, nothing more. Plain libzip and pugixml, none
// of our code, so the figure stays a fixed yardstick as the engine changes.
//
//   quillmere-parse-yardstick DECK.pptx   prints the parts and bytes parsed

#include <pugixml.hpp>
#include <zip.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

bool IsXmlPart(std::string_view name) { return name.ends_with(".xml") || name.ends_with(".rels"); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quillmere-parse-yardstick DECK.pptx\n");
    return 2;
  }
  int error = 0;
  zip_t* zip = zip_open(argv[1], ZIP_RDONLY, &error);
  if (!zip) {
    std::fprintf(stderr, "quillmere-parse-yardstick: %s is no zip (libzip error %d)\n", argv[1], error);
    return 1;
  }
  long long parts = 0, bytes = 0;
  for (zip_int64_t i = 0, n = zip_get_num_entries(zip, 0); i < n; ++i) {
    zip_stat_t stat;
    if (zip_stat_index(zip, i, 0, &stat) != 0 || !IsXmlPart(stat.name)) continue;
    zip_file_t* file = zip_fopen_index(zip, i, 0);
    if (!file) continue;
    std::string text(stat.size, '\0');
    zip_int64_t read = zip_fread(file, text.data(), stat.size);
    zip_fclose(file);
    if (read < 0) continue;
    text.resize(static_cast<size_t>(read));
    pugi::xml_document document;
    document.load_buffer_inplace(text.data(), text.size());
    ++parts;
    bytes += read;
  }
  zip_close(zip);
  std::printf("%lld parts, %lld bytes\n", parts, bytes);
  return 0;
}
