#include <array>
#include <cmath>
#include <numbers>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/EffectFormatting.h"
#include "engine/model/format/EffectPresets.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/objects/format/ColorFormatObjects.h"
#include "engine/objects/format/ShapeFormatObjects.h"

namespace quillmere::engine {
namespace {

constexpr double kPercentUnit = 1000.0;

constexpr std::array<std::string_view, 3> kShadows{"outerShdw", "innerShdw", "prstShdw"};
constexpr std::array<std::string_view, 1> kGlow{"glow"};
constexpr std::array<std::string_view, 1> kSoftEdge{"softEdge"};
constexpr std::array<std::string_view, 1> kReflection{"reflection"};
constexpr std::string_view kShadowKey = "shadow";

template <FormatName Name>
pugi::xml_node Effect(ShapeFormatObject<Name>& f, Names names) {
  ShapeObject& s = *f.shape;
  return EffectiveEffect(*s.doc, s.part, s.element, names);
}

// The colour of the effect in effect; phClr in a theme's effect style stands
// for the colour of the shape style's effect reference.
template <FormatName Name>
Value EffectColor(ShapeFormatObject<Name>& f, Names names) {
  std::shared_ptr<ShapeObject> s = f.shape;
  ColorBinding binding;
  binding.locate = [s, names] {
    ColorSource source;
    source.color = ColorChildOf(EffectiveEffect(*s->doc, s->part, s->element, names));
    source.placeholderColor = StyleReferenceColor(s->element, "effectRef");
    return source;
  };
  return Value(std::make_shared<ColorFormatObject>(f.Session(), s->doc, s->part, std::move(binding)));
}

double Points(const pugi::xml_node& node, const char* attribute) {
  return node.attribute(attribute).as_double() / kEmuPerPoint;
}

// The a:alpha of the effect's colour as PowerPoint's Transparency (0 opaque .. 1 clear).
double Transparency(const pugi::xml_node& effect) {
  for (pugi::xml_node color = effect.first_child(); color; color = color.next_sibling())
    if (pugi::xml_node alpha = ChildNamed(color, "alpha")) return 1.0 - alpha.attribute("val").as_double() / kFractionUnit;
  return 0.0;
}

// Hides the effects, or shows them again: what was hidden comes back, else
// PowerPoint's default look for the kind is added (`add`).
template <FormatName Name, class Add>
void ShowEffects(ShapeFormatObject<Name>& f, Names names, std::string_view key, bool show, Add&& add) {
  ShapeObject& s = *f.shape;
  s.EditEachVariant([&](const pugi::xml_node& shape) {
    if (!show) {
      HideEffects(*s.doc, s.part, shape, names, key);
      return;
    }
    if (RestoreEffects(*s.doc, s.part, shape, key) || EffectiveEffect(*s.doc, s.part, shape, names)) return;
    add(shape);
  });
}

pugi::xml_node AddColoredEffect(ShapeObject& s, const pugi::xml_node& shape, std::string_view name,
                                std::string_view colorElement, std::string_view colorValue, int alpha) {
  pugi::xml_node effect = OwnEffect(*s.doc, s.part, shape, name);
  pugi::xml_node color = effect.append_child(DrawingName(effect, colorElement).c_str());
  color.append_attribute("val") = std::string(colorValue).c_str();
  color.append_child(DrawingName(effect, "alpha").c_str()).append_attribute("val") = alpha;
  return effect;
}

double Offset(const pugi::xml_node& shadow, bool vertical) {
  double angle = shadow.attribute("dir").as_double() / kAngleUnit * std::numbers::pi / 180.0;
  return Points(shadow, "dist") * (vertical ? std::sin(angle) : std::cos(angle));
}

template <FormatName Name>
void SetRadius(ShapeFormatObject<Name>& f, std::string_view name, const pugi::xml_node& shape, double points) {
  ShapeObject& s = *f.shape;
  pugi::xml_node effect = OwnEffect(*s.doc, s.part, shape, name);
  effect.remove_attribute("rad");
  effect.append_attribute("rad") = static_cast<long long>(std::llround(points * kEmuPerPoint));
}

pugi::xml_node CameraRotation(ShapeObject& s) {
  return ChildNamed(ChildNamed(EffectiveElement(*s.doc, s.part, s.element, "scene3d"), "camera"), "rot");
}

}  // namespace

template <>
const MemberTable<ShadowFormatObject>& ShadowFormatObject::Members() {
  static const MemberTable<ShadowFormatObject> table{
      {.name = "Visible",
       .get = [](ShadowFormatObject& f, Args) { return MsoBool(static_cast<bool>(Effect(f, kShadows))); },
       .put =
           [](ShadowFormatObject& f, Args, const Value& v) {
             ShowEffects(f, kShadows, kShadowKey, v.AsLong() != kMsoFalse, [&](const pugi::xml_node& shape) {
               // PowerPoint's own shadow: down and right, 40% black.
               pugi::xml_node shadow = AddColoredEffect(*f.shape, shape, "outerShdw", "prstClr", "black", 40000);
               for (auto [name, value] : {std::pair{"blurRad", "38100"}, {"dist", "38100"}, {"dir", "2700000"},
                                          {"algn", "tl"}, {"rotWithShape", "0"}})
                 shadow.append_attribute(name) = value;
             });
           }},
      {.name = "Type", .get = [](ShadowFormatObject& f, Args) {
         pugi::xml_node shadow = Effect(f, kShadows);
         return Value(shadow ? ShadowType(shadow) : kMixedPreset);
       }},
      {.name = "Style",
       .sinceVersion = 12,
       .get =
           [](ShadowFormatObject& f, Args) {
             // msoShadowStyleInnerShadow 1, msoShadowStyleOuterShadow 2.
             pugi::xml_node shadow = Effect(f, kShadows);
             if (!shadow) return Value(kMixedPreset);
             return Value(LocalName(shadow) == "innerShdw" ? 1 : 2);
           }},
      {.name = "Blur",
       .sinceVersion = 12,
       .get = [](ShadowFormatObject& f, Args) { return Value(static_cast<float>(Points(Effect(f, kShadows), "blurRad"))); }},
      {.name = "OffsetX",
       .get = [](ShadowFormatObject& f, Args) { return Value(static_cast<float>(Offset(Effect(f, kShadows), false))); }},
      {.name = "OffsetY",
       .get = [](ShadowFormatObject& f, Args) { return Value(static_cast<float>(Offset(Effect(f, kShadows), true))); }},
      {.name = "RotateWithShape",
       .sinceVersion = 12,
       .get =
           [](ShadowFormatObject& f, Args) {
             return MsoBool(Effect(f, kShadows).attribute("rotWithShape").as_bool(true));
           }},
      {.name = "Size",
       .sinceVersion = 12,
       .get =
           [](ShadowFormatObject& f, Args) {
             pugi::xml_node shadow = Effect(f, kShadows);
             return Value(static_cast<float>(shadow ? shadow.attribute("sx").as_double(100000) / kPercentUnit : 100.0));
           }},
      {.name = "ForeColor", .get = [](ShadowFormatObject& f, Args) { return EffectColor(f, kShadows); }},
      {.name = "Transparency",
       .get = [](ShadowFormatObject& f, Args) { return Value(static_cast<float>(Transparency(Effect(f, kShadows)))); }},
  };
  return table;
}

template <>
const MemberTable<GlowFormatObject>& GlowFormatObject::Members() {
  static const MemberTable<GlowFormatObject> table{
      {.name = "Radius",
       .get = [](GlowFormatObject& f, Args) { return Value(static_cast<float>(Points(Effect(f, kGlow), "rad"))); },
       .put =
           [](GlowFormatObject& f, Args, const Value& v) {
             double radius = v.AsDouble();
             ShowEffects(f, kGlow, "glow", radius > 0, [&](const pugi::xml_node& shape) {
               AddColoredEffect(*f.shape, shape, "glow", "schemeClr", "accent1", 40000);
             });
             if (radius > 0)
               f.shape->EditEachVariant([&](const pugi::xml_node& shape) { SetRadius(f, "glow", shape, radius); });
           }},
      {.name = "Color", .get = [](GlowFormatObject& f, Args) { return EffectColor(f, kGlow); }},
      {.name = "Transparency",
       .get = [](GlowFormatObject& f, Args) { return Value(static_cast<float>(Transparency(Effect(f, kGlow)))); }},
  };
  return table;
}

template <>
const MemberTable<SoftEdgeFormatObject>& SoftEdgeFormatObject::Members() {
  static const MemberTable<SoftEdgeFormatObject> table{
      {.name = "Type",
       .get = [](SoftEdgeFormatObject& f, Args) { return Value(SoftEdgeType(Effect(f, kSoftEdge))); },
       .put =
           [](SoftEdgeFormatObject& f, Args, const Value& v) {
             int type = v.AsLong();
             if (type != kMixedPreset && (type < 0 || type > static_cast<int>(kSoftEdgeRadii.size())))
               throw ComError(hr::kInvalidArgument, "SoftEdgeFormat.Type : The specified value is out of range.");
             ShowEffects(f, kSoftEdge, "softEdge", type != 0, [&](const pugi::xml_node& shape) {
               OwnEffect(*f.shape->doc, f.shape->part, shape, "softEdge");
             });
             if (type > 0)
               f.shape->EditEachVariant([&](const pugi::xml_node& shape) {
                 SetRadius(f, "softEdge", shape, kSoftEdgeRadii[static_cast<std::size_t>(type - 1)]);
               });
           }},
      {.name = "Radius",
       .get = [](SoftEdgeFormatObject& f, Args) {
         return Value(static_cast<float>(Points(Effect(f, kSoftEdge), "rad")));
       }},
  };
  return table;
}

template <>
const MemberTable<ReflectionFormatObject>& ReflectionFormatObject::Members() {
  static const MemberTable<ReflectionFormatObject> table{
      {.name = "Type",
       .get = [](ReflectionFormatObject& f, Args) { return Value(ReflectionType(Effect(f, kReflection))); },
       .put =
           [](ReflectionFormatObject& f, Args, const Value& v) {
             int type = v.AsLong();
             if (type < 0 || type > kReflectionPresets)
               throw ComError(hr::kInvalidArgument, "ReflectionFormat.Type : The specified value is out of range.");
             ShowEffects(f, kReflection, "reflection", type != 0, [&](const pugi::xml_node& shape) {
               SetReflectionPreset(OwnEffect(*f.shape->doc, f.shape->part, shape, "reflection"), type);
             });
           }},
  };
  return table;
}

template <>
const MemberTable<ThreeDFormatObject>& ThreeDFormatObject::Members() {
  static const MemberTable<ThreeDFormatObject> table{
      {.name = "Visible",
       .get = [](ThreeDFormatObject& f, Args) {
         ShapeObject& s = *f.shape;
         return MsoBool(Has3D(*s.doc, s.part, s.element));
       },
       .put =
           [](ThreeDFormatObject& f, Args, const Value& v) {
             ShapeObject& s = *f.shape;
             bool show = v.AsLong() != kMsoFalse;
             // Showing puts back a 3-D look taken away; a flat shape has none to give.
             s.EditEachVariant([&](const pugi::xml_node& shape) {
               if (show) Restore3D(*s.doc, shape);
               else Hide3D(*s.doc, s.part, shape);
             });
           }},
      // The camera's latitude turns the shape about the horizontal axis, which PowerPoint calls Y.
      {.name = "RotationX",
       .get = [](ThreeDFormatObject& f, Args) {
         return Value(static_cast<float>(CameraRotation(*f.shape).attribute("lon").as_double() / kAngleUnit));
       }},
      {.name = "RotationY",
       .get = [](ThreeDFormatObject& f, Args) {
         return Value(static_cast<float>(CameraRotation(*f.shape).attribute("lat").as_double() / kAngleUnit));
       }},
      {.name = "RotationZ",
       .get = [](ThreeDFormatObject& f, Args) {
         return Value(static_cast<float>(CameraRotation(*f.shape).attribute("rev").as_double() / kAngleUnit));
       }},
      {.name = "Depth",
       .get = [](ThreeDFormatObject& f, Args) {
         ShapeObject& s = *f.shape;
         return Value(static_cast<float>(Points(EffectiveElement(*s.doc, s.part, s.element, "sp3d"), "extrusionH")));
       }},
  };
  return table;
}

}  // namespace quillmere::engine
