#include "engine/objects/format/ColorFormatObjects.h"

#include <fmt/format.h>

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr int kMsoColorTypeRGB = 1;
constexpr int kMsoColorTypeScheme = 2;

std::string PrefixOf(const pugi::xml_node& node) {
  std::string_view name = node.name();
  auto colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

void Edit(ColorFormatObject& o, const std::function<void(pugi::xml_node)>& f) {
  if (!o.binding.edit) ThrowNotSupported();
  o.binding.edit(f);
}

}  // namespace

pugi::xml_node ReplaceColorElement(pugi::xml_node holder, std::string_view localName) {
  while (pugi::xml_node old = ColorChildOf(holder)) holder.remove_child(old);
  return holder.prepend_child((PrefixOf(holder) + std::string(localName)).c_str());
}

ResolvedColor ColorFormatObject::Resolve() const {
  ColorSource source = binding.locate();
  ColorContext context = doc->ColorsOf(ownerPart);
  context.placeholderColor = source.placeholderColor;
  ResolvedColor c = ResolveColor(source.color, context);
  if (!c.present) c.rgb = source.fallbackRgb;
  return c;
}

const MemberTable<ColorFormatObject>& ColorFormatObject::Members() {
  static const auto rgb = [](ColorFormatObject& o, Args) { return Value(static_cast<int>(o.Resolve().rgb)); };
  static const MemberTable<ColorFormatObject> table{
      {.name = "RGB",
       .get = rgb,
       .put =
           [](ColorFormatObject& o, Args, const Value& v) {
             auto packed = static_cast<std::uint32_t>(v.AsLong());
             std::string hex = fmt::format("{:02X}{:02X}{:02X}", packed & 0xFF, (packed >> 8) & 0xFF,
                                           (packed >> 16) & 0xFF);
             Edit(o, [&hex](pugi::xml_node holder) {
               ReplaceColorElement(holder, "srgbClr").append_attribute("val").set_value(hex.c_str());
             });
           }},
      {.name = "", .get = rgb},
      // PowerPoint reports every colour that is not a theme colour as an RGB one.
      {.name = "Type",
       .get = [](ColorFormatObject& o,
                 Args) { return Value(o.Resolve().scheme() ? kMsoColorTypeScheme : kMsoColorTypeRGB); }},
      {.name = "ObjectThemeColor",
       .sinceVersion = 12,
       .get = [](ColorFormatObject& o, Args) { return Value(o.Resolve().themeColor); },
       .put =
           [](ColorFormatObject& o, Args, const Value& v) {
             std::string_view value = SchemeValueOf(v.AsLong());
             if (value.empty()) throw ComError(hr::kInvalidArgument, "ColorFormat.ObjectThemeColor : Invalid value.");
             Edit(o, [value](pugi::xml_node holder) {
               ReplaceColorElement(holder, "schemeClr").append_attribute("val").set_value(std::string(value).c_str());
             });
           }},
      {.name = "SchemeColor", .get = [](ColorFormatObject& o, Args) {
         return Value(LegacySchemeIndexOf(o.Resolve().themeColor));
       }},
      {.name = "TintAndShade",
       .sinceVersion = 12,
       .get = [](ColorFormatObject& o, Args) { return Value(static_cast<float>(o.Resolve().tintAndShade)); }},
      {.name = "Brightness",
       .sinceVersion = 14,
       .get = [](ColorFormatObject& o, Args) { return Value(static_cast<float>(o.Resolve().brightness)); }},
  };
  return table;
}

}  // namespace quillmere::engine
