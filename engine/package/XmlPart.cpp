#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

// parse_ws_pcdata_single keeps a text node that is only whitespace when it is
// the sole child of its element, so <a:t> </a:t> keeps its space, while the
// indentation between elements of pretty-printed parts is still dropped
// instead of doubling the node count. parse_declaration keeps the part's
// declaration so it is written back as it was. DOCTYPEs are skipped and
// pugixml never expands entities beyond the predefined ones.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_declaration;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
};

pugi::xml_node Declaration(const pugi::xml_document& doc) {
  for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling())
    if (n.type() == pugi::node_declaration) return n;
  return {};
}

}  // namespace

std::string_view XmlLocalName(const pugi::xml_node& node) {
  std::string_view name = node.name();
  size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::unique_ptr<pugi::xml_document> ParseXml(std::string_view bytes) {
  auto doc = std::make_unique<pugi::xml_document>();
  pugi::xml_parse_result result = doc->load_buffer(bytes.data(), bytes.size(), kParseFlags, pugi::encoding_auto);
  if (!result || !doc->document_element()) return nullptr;
  return doc;
}

std::string SerializeXml(pugi::xml_document& doc) {
  StringWriter writer;
  if (pugi::xml_node declaration = Declaration(doc)) {
    // A part read as UTF-16 is written as UTF-8.
    if (pugi::xml_attribute encoding = declaration.attribute("encoding")) encoding.set_value("UTF-8");
  } else {
    writer.out = kDeclaration;
  }
  doc.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return writer.out;
}

}  // namespace quillmere::engine
