#pragma once
// The element and attribute helpers every writer uses. Layout whitespace is
// made of real text nodes, so the saved file is laid out by them alone.

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quillmere {

inline constexpr std::string_view kLineBreak = "\r\n";

// Appends indent spaces, the element with its text (none when text is empty)
// and a line break to parent; returns the element.
pugi::xml_node AddElement(int indent, pugi::xml_node parent, std::string_view name, std::string_view text);

// Appends indent spaces to the element itself and sets the attribute.
void AddAttribute(int indent, pugi::xml_node element, std::string_view name, std::string_view value);

// A container appended directly, with no layout text.
pugi::xml_node AppendContainer(pugi::xml_node parent, std::string_view name);
void AppendLineBreak(pugi::xml_node parent);

// A value rounded to a whole number, halves to even.
std::string RoundedText(double value);
inline std::string BoolText(bool value) { return value ? "True" : "False"; }
inline std::string LowerBoolText(bool value) { return value ? "true" : "false"; }

// How the files are written: raw, the writers' own text nodes being the
// layout; UTF-8 is the XML default, so no declaration is needed.
inline constexpr unsigned kSaveFormat = pugi::format_raw | pugi::format_no_declaration;

// Writes the document once, as built. Returns false when the file cannot be written.
bool SaveDocument(const pugi::xml_document& document, const std::string& path);

}  // namespace quillmere
