#include "PackageTestFiles.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quillmere::engine::packagetest {
namespace {

std::uint32_t Crc32(const std::string& data) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// Little-endian fields of the given byte widths.
void Put(std::string& out, std::initializer_list<std::pair<int, std::uint32_t>> fields) {
  for (auto [width, value] : fields)
    for (int i = 0; i < width; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const std::string kOfficeRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const std::string kNamespaces = " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\" xmlns:a=\""
                                "http://schemas.openxmlformats.org/drawingml/2006/main\" xmlns:r=\"" + kOfficeRel + "\"";

std::string Rels(std::initializer_list<std::string> targets) {  // "id type target [External]"
  std::string xml = kDeclaration + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (const std::string& t : targets) {
    std::istringstream in(t);
    std::string id, type, target, mode;
    in >> id >> type >> target >> mode;
    xml += "<Relationship Id=\"" + id + "\" Type=\"" + kOfficeRel + type + "\" Target=\"" + target + "\"" +
           (mode.empty() ? "" : " TargetMode=\"" + mode + "\"") + "/>";
  }
  return xml + "</Relationships>";
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-package-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path CorpusFile(const std::string& name) { return std::filesystem::path(QUILLMERE_CORPUS_DIR) / name; }

std::vector<std::pair<std::string, std::string>> CorpusManifest() {
  std::ifstream in(CorpusFile("MANIFEST.tsv"));
  std::vector<std::pair<std::string, std::string>> rows;
  std::string line, cell;
  std::getline(in, line);  // the header
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    for (std::istringstream fields(line); std::getline(fields, cell, '\t');) cells.push_back(cell);
    if (cells.size() >= 7) rows.emplace_back(cells[0], cells[6]);
  }
  return rows;
}

std::string StoredZip(const std::vector<StoredEntry>& entries) {
  std::string out, directory;
  for (const StoredEntry& e : entries) {
    std::uint32_t crc = Crc32(e.data) ^ (e.badCrc ? 1u : 0u), size = static_cast<std::uint32_t>(e.data.size());
    std::uint32_t nameLength = static_cast<std::uint32_t>(e.name.size()), offset = static_cast<std::uint32_t>(out.size());
    // version, flags, method (stored), time, date, CRC, sizes, name and extra lengths
    Put(out, {{4, 0x04034b50}, {2, 20}, {2, 0}, {2, 0}, {2, 0}, {2, 0x21}, {4, crc}, {4, size}, {4, size},
              {2, nameLength}, {2, 0}});
    out += e.name + e.data;
    Put(directory, {{4, 0x02014b50}, {2, 20}, {2, 20}, {2, 0}, {2, 0}, {2, 0}, {2, 0x21}, {4, crc}, {4, size},
                    {4, size}, {2, nameLength}, {2, 0}, {2, 0}, {2, 0}, {2, 0}, {4, 0}, {4, offset}});
    directory += e.name;
  }
  auto count = static_cast<std::uint32_t>(entries.size());
  Put(directory, {{4, 0x06054b50}, {2, 0}, {2, 0}, {2, count}, {2, count},
                  {4, static_cast<std::uint32_t>(directory.size())}, {4, static_cast<std::uint32_t>(out.size())}, {2, 0}});
  return out + directory;
}

std::vector<StoredEntry> MinimalDeck() {
  const std::string types = kDeclaration +
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"PNG\" ContentType=\"image/png\"/>"
      "<Override PartName=\"/ppt/presentation.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>"
      "<Override PartName=\"/ppt/slides/slide1.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.presentationml.slide+xml\"/></Types>";
  return {
      {"[Content_Types].xml", types},
      {"_rels/.rels", Rels({"rId1 officeDocument /ppt/presentation.xml"})},
      {"ppt/presentation.xml", kDeclaration + "<p:presentation" + kNamespaces +
                                   "><p:sldIdLst><p:sldId id=\"256\" r:id=\"rId2\"/></p:sldIdLst></p:presentation>"},
      {"ppt/_rels/presentation.xml.rels", Rels({"rId2 slide ./slides/slide1.xml",
                                                "rId3 hyperlink http://example.com/a%20b External",
                                                "rId2 theme theme/duplicate-id.xml"})},
      {"ppt/slides/slide1.xml", kDeclaration + "<p:sld" + kNamespaces +
                                    "><p:cSld><p:spTree>\n  <p:sp><p:txBody><a:p><a:r><a:t> </a:t></a:r></a:p>"
                                    "</p:txBody></p:sp>\n</p:spTree></p:cSld></p:sld>"},
      {"ppt/slides/_rels/slide1.xml.rels", Rels({"rId1 image ../media/my%20image.png"})},
      {"ppt/media/my image.png", "\x89PNG not really"},
  };
}

}  // namespace quillmere::engine::packagetest
