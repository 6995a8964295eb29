#include "engine/model/text/PresentationFonts.h"

#include <algorithm>

#include "engine/model/document/XmlNames.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/text/ThemeFonts.h"

namespace quillmere::engine {
namespace {

void AddOnce(std::vector<std::string>& fonts, std::string name) {
  if (!name.empty() && std::find(fonts.begin(), fonts.end(), name) == fonts.end()) fonts.push_back(std::move(name));
}

}  // namespace

std::vector<std::string> PresentationFonts(PresentationDocument& doc) {
  std::vector<std::string> fonts;
  for (const std::string& master : doc.Masters()) {
    ThemeFonts theme = ReadThemeFonts(ThemeRootOf(doc, master));
    AddOnce(fonts, theme.major[0]);
    AddOnce(fonts, theme.minor[0]);
  }
  for (const SlideEntry& slide : doc.Slides()) {
    ForEachElementBelow(ShapeTreeOf(doc.PartRoot(slide.part)), [&](const pugi::xml_node& n) {
      if (LocalName(n) == "latin" || LocalName(n) == "buFont") AddOnce(fonts, ResolvedTypeface(doc, slide.part, n.attribute("typeface").value()));
    });
  }
  return fonts;
}

}  // namespace quillmere::engine
