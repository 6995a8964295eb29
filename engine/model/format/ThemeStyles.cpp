#include "engine/model/format/ThemeStyles.h"

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/Inheritance.h"

namespace quillmere::engine {
namespace {

constexpr unsigned kFirstBackgroundFill = 1001;

pugi::xml_node Reference(const pugi::xml_node& shape, std::string_view ref) {
  return ChildNamed(ChildNamed(shape, "style"), ref);
}

pugi::xml_node NthElement(const pugi::xml_node& list, unsigned n) {
  for (pugi::xml_node c = list.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && --n == 0) return c;
  return {};
}

}  // namespace

pugi::xml_node ThemeRootOf(PresentationDocument& doc, const std::string& part) {
  InheritedParts parts = InheritedPartsOf(doc, part);
  // Notes name their theme fonts and style entries unresolved, as they have
  // always been reported; only their colours come from the notes master's
  // theme (ThemeColorsOf).
  if (parts.theme.empty() || LocalName(doc.PartRoot(parts.master)) == "notesMaster") return {};
  return doc.PartRoot(parts.theme);
}

pugi::xml_node ThemeStyleEntry(PresentationDocument& doc, const std::string& part, const pugi::xml_node& reference) {
  unsigned idx = reference.attribute("idx").as_uint();
  if (idx == 0) return {};
  pugi::xml_node matrix = ChildNamed(ChildNamed(ThemeRootOf(doc, part), "themeElements"), "fmtScheme");
  std::string_view ref = LocalName(reference);
  if (ref == "effectRef") return NthElement(ChildNamed(matrix, "effectStyleLst"), idx);
  if (ref == "lnRef") return NthElement(ChildNamed(matrix, "lnStyleLst"), idx);
  if (idx >= kFirstBackgroundFill) return NthElement(ChildNamed(matrix, "bgFillStyleLst"), idx - kFirstBackgroundFill + 1);
  return NthElement(ChildNamed(matrix, "fillStyleLst"), idx);
}

pugi::xml_node StyleMatrixEntry(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape,
                                std::string_view ref) {
  return ThemeStyleEntry(doc, part, Reference(shape, ref));
}

std::string ResolvedTypeface(PresentationDocument& doc, const std::string& part, std::string_view typeface) {
  // "+mj-lt": major or minor font, then latin, east Asian or complex script.
  if (typeface.size() != 6 || typeface[0] != '+' || typeface[3] != '-') return std::string(typeface);
  std::string_view set = typeface.substr(1, 2) == "mj" ? "majorFont" : "minorFont";
  std::string_view script = typeface.substr(4, 2);
  std::string_view element = script == "ea" ? "ea" : script == "cs" ? "cs" : "latin";
  pugi::xml_node fonts = ChildNamed(ChildNamed(ChildNamed(ThemeRootOf(doc, part), "themeElements"), "fontScheme"), set);
  return ChildNamed(fonts, element).attribute("typeface").value();
}

pugi::xml_node ReferenceColor(const pugi::xml_node& reference) {
  for (pugi::xml_node c = reference.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element) return c;
  return {};
}

pugi::xml_node StyleReferenceColor(const pugi::xml_node& shape, std::string_view ref) {
  return ReferenceColor(Reference(shape, ref));
}

}  // namespace quillmere::engine
