#include "engine/model/format/EffectPresets.h"

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

// PowerPoint's gallery of 2007 shadows is numbered on from the 20 older ones:
// nine outer, then nine inner, each in the gallery's order of directions.
constexpr int kFirstOuterGallery = 21;
constexpr int kFirstInnerGallery = 30;
constexpr int kCentredInGallery = 4;

int GalleryPosition(const pugi::xml_node& shadow) {
  if (shadow.attribute("dist").as_llong() == 0) return kCentredInGallery;
  // By the direction in eighths of a turn (0 = right, 2 = down): bottom right, bottom, bottom left,
  // right, (centre), left, top right, top, top left.
  constexpr std::array<int, 8> kByOctant{3, 0, 1, 2, 5, 8, 7, 6};
  long octant = std::lround(shadow.attribute("dir").as_double() / kAngleUnit / 45.0) % 8;
  return kByOctant[static_cast<std::size_t>(octant)];
}

}  // namespace

int ShadowType(const pugi::xml_node& shadow) {
  std::string_view kind = LocalName(shadow);
  if (kind == "prstShdw") {
    std::string_view preset = shadow.attribute("prst").value();  // shdw1 .. shdw20
    return preset.starts_with("shdw") ? std::atoi(preset.data() + 4) : kMixedPreset;
  }
  bool perspective = shadow.attribute("kx").as_llong() != 0 || shadow.attribute("ky").as_llong() != 0 ||
                     shadow.attribute("sx").as_llong(100000) != shadow.attribute("sy").as_llong(100000);
  if (kind == "outerShdw" && perspective) return kMixedPreset;
  return (kind == "innerShdw" ? kFirstInnerGallery : kFirstOuterGallery) + GalleryPosition(shadow);
}

int SoftEdgeType(const pugi::xml_node& softEdge) {
  if (!softEdge) return 0;
  double radius = softEdge.attribute("rad").as_double() / kEmuPerPoint;
  for (std::size_t i = 0; i < kSoftEdgeRadii.size(); ++i)
    if (std::abs(radius - kSoftEdgeRadii[i]) < 0.01) return static_cast<int>(i) + 1;
  return kMixedPreset;
}

// Tight, half and full reflections (how far down they fade), touching or 4 or 8 points away.
constexpr std::array<int, 3> kReflectionEnds{35000, 55000, 90000};
constexpr std::array<int, 3> kReflectionDistances{0, 50800, 101600};

int ReflectionType(const pugi::xml_node& reflection) {
  if (!reflection) return 0;
  double end = reflection.attribute("endPos").as_double(100000);
  double distance = reflection.attribute("dist").as_double();
  int size = end <= 45000 ? 0 : end <= 72500 ? 1 : 2;
  int away = distance < 25400 ? 0 : distance < 76200 ? 1 : 2;
  return 1 + size + 3 * away;
}

void SetReflectionPreset(pugi::xml_node reflection, int type) {
  auto set = [&](const char* name, long long value) {
    reflection.remove_attribute(name);
    reflection.append_attribute(name) = value;
  };
  std::size_t size = static_cast<std::size_t>((type - 1) % 3), away = static_cast<std::size_t>((type - 1) / 3);
  set("blurRad", 6350);
  set("stA", 52000);
  set("endA", 300);
  set("endPos", kReflectionEnds[size]);
  set("dist", kReflectionDistances[away]);
  set("dir", 5400000);
  set("sy", -100000);
  reflection.remove_attribute("algn");
  reflection.append_attribute("algn") = "bl";
  set("rotWithShape", 0);
}


}  // namespace quillmere::engine
