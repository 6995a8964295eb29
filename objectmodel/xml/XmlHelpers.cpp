#include "objectmodel/xml/XmlHelpers.h"

#include <string>

#include "objectmodel/xml/NumberText.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

void AppendText(pugi::xml_node parent, std::string_view text) {
  parent.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
}

}  // namespace

pugi::xml_node AddElement(int indent, pugi::xml_node parent, std::string_view name, std::string_view text) {
  AppendText(parent, std::string(static_cast<std::size_t>(indent), ' '));
  pugi::xml_node element = parent.append_child(std::string(name).c_str());
  if (!text.empty()) AppendText(element, text);
  AppendText(parent, kLineBreak);
  return element;
}

void AddAttribute(int indent, pugi::xml_node element, std::string_view name, std::string_view value) {
  AppendText(element, std::string(static_cast<std::size_t>(indent), ' '));
  std::string key(name);
  pugi::xml_attribute attr = element.attribute(key.c_str());
  if (!attr) attr = element.append_attribute(key.c_str());
  attr.set_value(std::string(value).c_str());
}

pugi::xml_node AppendContainer(pugi::xml_node parent, std::string_view name) {
  return parent.append_child(std::string(name).c_str());
}

void AppendLineBreak(pugi::xml_node parent) { AppendText(parent, kLineBreak); }

std::string RoundedText(double value) { return std::to_string(RoundHalfEven(value)); }

bool SaveDocument(const pugi::xml_document& document, const std::string& path) {
  return document.save_file(Utf8Path(path).c_str(), "", kSaveFormat, pugi::encoding_utf8);
}

}  // namespace quillmere
