#include "engine/model/text/TextBody.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/Inheritance.h"

namespace quillmere::engine {
namespace {

// a:bodyPr vert values as MsoTextOrientation.
constexpr std::array<std::pair<std::string_view, int>, 7> kOrientations{{{"horz", 1},
                                                                         {"vert270", 2},
                                                                         {"vert", 3},
                                                                         {"eaVert", 4},
                                                                         {"mongolianVert", 4},
                                                                         {"wordArtVert", 5},
                                                                         {"wordArtVertRtl", 5}}};

int VerticalAnchor(std::string_view anchor) {
  if (anchor == "ctr") return 3;
  if (anchor == "b") return 4;
  return 1;  // top; justified and distributed text start there too
}

int Orientation(std::string_view vert) {
  for (const auto& [token, value] : kOrientations)
    if (token == vert) return value;
  return 1;
}

// A table cell keeps its insets and anchoring in its own properties.
TextBodyLayout CellLayout(const pugi::xml_node& tcPr) {
  TextBodyLayout layout;
  auto inset = [&](const char* name, double fallback) {
    pugi::xml_attribute a = tcPr.attribute(name);
    return a ? a.as_double() / kEmuPerPoint : fallback;
  };
  layout.marginLeft = inset("marL", layout.marginLeft);
  layout.marginTop = inset("marT", layout.marginTop);
  layout.marginRight = inset("marR", layout.marginRight);
  layout.marginBottom = inset("marB", layout.marginBottom);
  layout.verticalAnchor = VerticalAnchor(tcPr.attribute("anchor").value());
  layout.centred = tcPr.attribute("anchorCtr").as_bool();
  layout.orientation = Orientation(tcPr.attribute("vert").value());
  return layout;
}

}  // namespace

TextBodyLayout ReadTextBodyLayout(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  if (LocalName(shape) == "tc") return CellLayout(ChildNamed(shape, "tcPr"));
  std::vector<pugi::xml_node> bodies;
  ForEachInheritedLevel(doc, part, shape, [&](const std::string&, const pugi::xml_node& s) {
    bodies.push_back(ChildNamed(ChildNamed(s, "txBody"), "bodyPr"));
  });
  auto attribute = [&](const char* name) {
    for (const pugi::xml_node& body : bodies)
      if (pugi::xml_attribute a = body.attribute(name)) return a;
    return pugi::xml_attribute();
  };
  auto inset = [&](const char* name, double fallback) {
    pugi::xml_attribute a = attribute(name);
    return a ? a.as_double() / kEmuPerPoint : fallback;
  };
  TextBodyLayout layout;
  layout.marginLeft = inset("lIns", layout.marginLeft);
  layout.marginTop = inset("tIns", layout.marginTop);
  layout.marginRight = inset("rIns", layout.marginRight);
  layout.marginBottom = inset("bIns", layout.marginBottom);
  layout.verticalAnchor = VerticalAnchor(attribute("anchor").value());
  layout.centred = attribute("anchorCtr").as_bool();
  layout.orientation = Orientation(attribute("vert").value());
  layout.wordWrap = std::string_view(attribute("wrap").value()) != "none";
  for (const pugi::xml_node& body : bodies) {
    if (ChildNamed(body, "spAutoFit")) layout.autoFit = AutoFit::ShapeToFitText;
    else if (ChildNamed(body, "normAutofit")) layout.autoFit = AutoFit::TextToFitShape;
    else if (!ChildNamed(body, "noAutofit")) continue;
    break;
  }
  return layout;
}

}  // namespace quillmere::engine
