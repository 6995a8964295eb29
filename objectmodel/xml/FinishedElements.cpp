#include "objectmodel/xml/FinishedElements.h"

#include <charconv>
#include <fstream>
#include <string_view>

#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

// A processing instruction cannot come out of the writers' elements, text or
// attributes, where "<" is always escaped, so the marker is unambiguous.
constexpr char kMarkerName[] = "quillmere-finished";
constexpr std::string_view kMarkerStart = "<?quillmere-finished ";
constexpr std::string_view kMarkerEnd = "?>";

struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

}  // namespace

void FinishedElements::KeepLastElementOf(pugi::xml_node parent) {
  pugi::xml_node element = parent.last_child();
  while (element && element.type() != pugi::node_element) {
    if (element.type() == pugi::node_pi && std::string_view(element.name()) == kMarkerName) return;
    element = element.previous_sibling();
  }
  if (!element) return;
  StringWriter writer;
  element.print(writer, "", kSaveFormat, pugi::encoding_utf8);
  pugi::xml_node marker = parent.insert_child_before(pugi::node_pi, element);
  marker.set_name(kMarkerName);
  marker.set_value(std::to_string(texts_.size()).c_str());
  parent.remove_child(element);
  texts_.push_back(std::move(writer.text));
}

bool FinishedElements::Save(const pugi::xml_document& document, const std::string& path) const {
  StringWriter writer;
  document.save(writer, "", kSaveFormat, pugi::encoding_utf8);
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  std::string_view rest = writer.text;
  for (std::size_t start; (start = rest.find(kMarkerStart)) != std::string_view::npos;) {
    out.write(rest.data(), static_cast<std::streamsize>(start));
    rest.remove_prefix(start + kMarkerStart.size());
    std::size_t index = texts_.size();
    auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), index);
    if (error == std::errc() && index < texts_.size()) out << texts_[index];
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    if (rest.starts_with(kMarkerEnd)) rest.remove_prefix(kMarkerEnd.size());
  }
  out.write(rest.data(), static_cast<std::streamsize>(rest.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace quillmere
