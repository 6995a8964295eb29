#include "engine/model/format/ColorResolution.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/format/PresetColors.h"

namespace quillmere::engine {
namespace {

// MsoThemeColorIndex - 1 of each a:schemeClr value.
constexpr std::array<std::string_view, 16> kSchemeValues = {
    "dk1", "lt1", "dk2", "lt2", "accent1", "accent2", "accent3", "accent4",
    "accent5", "accent6", "hlink", "folHlink", "tx1", "bg1", "tx2", "bg2"};

struct Rgb {
  double r = 0, g = 0, b = 0;  // sRGB, 0..1
};
struct Hsl {
  double h = 0, s = 0, l = 0;  // h in degrees 0..360, s and l 0..1
};

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// DrawingML percentages: 1000ths of a percent ("75000"), or "75%" in strict files.
double Fraction(std::string_view text) {
  bool percent = !text.empty() && text.back() == '%';
  if (percent) text.remove_suffix(1);
  double v = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc()) return 0;
  return percent ? v / 100.0 : v / 100000.0;
}
double FractionOf(const pugi::xml_node& node, const char* attr = "val") {
  return Fraction(node.attribute(attr).value());
}
// Angles in 60000ths of a degree.
double Degrees(const pugi::xml_node& node, const char* attr = "val") {
  return node.attribute(attr).as_double() / 60000.0;
}

Rgb FromPacked(std::uint32_t packed) {  // red in the low byte
  return {(packed & 0xFF) / 255.0, ((packed >> 8) & 0xFF) / 255.0, ((packed >> 16) & 0xFF) / 255.0};
}
Rgb FromHex(std::uint32_t hex) {  // 0xRRGGBB
  return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}
std::uint32_t Packed(const Rgb& c) {
  auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(Clamp01(v) * 255.0)); };
  return byte(c.r) | byte(c.g) << 8 | byte(c.b) << 16;
}
std::uint32_t HexValue(std::string_view hex) {
  std::uint32_t v = 0;
  auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
  return error == std::errc() && hex.size() == 6 ? v : 0;
}

// sRGB transfer curve, both ways.
double ToLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double ToGamma(double c) {
  c = Clamp01(c);
  return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

Hsl ToHsl(const Rgb& c) {
  double hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b});
  Hsl out;
  out.l = (hi + lo) / 2;
  double d = hi - lo;
  if (d <= 0) return out;
  out.s = out.l <= 0.5 ? d / (hi + lo) : d / (2 - hi - lo);
  if (hi == c.r)
    out.h = 60 * std::fmod((c.g - c.b) / d + 6, 6.0);
  else if (hi == c.g)
    out.h = 60 * ((c.b - c.r) / d + 2);
  else
    out.h = 60 * ((c.r - c.g) / d + 4);
  return out;
}

Rgb FromHsl(Hsl c) {
  c.s = Clamp01(c.s);
  c.l = Clamp01(c.l);
  c.h = std::fmod(std::fmod(c.h, 360.0) + 360.0, 360.0);
  double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
  double p = 2 * c.l - q;
  auto channel = [p, q](double t) {
    t = std::fmod(t + 1.0, 1.0);
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
  };
  double h = c.h / 360.0;
  return {channel(h + 1.0 / 3), channel(h), channel(h - 1.0 / 3)};
}

struct Working {
  Rgb rgb;
  double alpha = 1.0;
  int themeColor = 0;
  double brightness = 0.0;
  double tintAndShade = 0.0;
};

// The base colour of the element; false for an element that is not a colour.
bool Base(const pugi::xml_node& e, const ColorContext& ctx, Working& w, int depth);

// Changes the colour by one transform child.
void Apply(const pugi::xml_node& t, Working& w) {
  std::string_view name = LocalName(t);
  double v = FractionOf(t);
  auto linear = [&w](auto&& f) {
    w.rgb = {ToGamma(f(ToLinear(w.rgb.r))), ToGamma(f(ToLinear(w.rgb.g))), ToGamma(f(ToLinear(w.rgb.b)))};
  };
  auto hsl = [&w](auto&& f) {
    Hsl h = ToHsl(w.rgb);
    f(h);
    w.rgb = FromHsl(h);
  };
  // Tint and shade mix with white or black in linear light, unlike the
  // luminance transforms, which work on the HSL of the sRGB values:
  // PowerPoint shows FF99FF with a 25% shade as 895089, not 402640.
  if (name == "tint") {
    linear([v](double c) { return c * v + (1 - v); });
    w.tintAndShade = 1 - v;
  } else if (name == "shade") {
    linear([v](double c) { return c * v; });
    w.tintAndShade = -(1 - v);
  } else if (name == "lumMod") {
    hsl([v](Hsl& h) { h.l *= v; });
    if (w.brightness == 0) w.brightness = v - 1;
  } else if (name == "lumOff") {
    hsl([v](Hsl& h) { h.l += v; });
    w.brightness = v;
  } else if (name == "lum") {
    hsl([v](Hsl& h) { h.l = v; });
  } else if (name == "satMod") {
    hsl([v](Hsl& h) { h.s *= v; });
  } else if (name == "satOff") {
    hsl([v](Hsl& h) { h.s += v; });
  } else if (name == "sat") {
    hsl([v](Hsl& h) { h.s = v; });
  } else if (name == "hueMod") {
    hsl([v](Hsl& h) { h.h *= v; });
  } else if (name == "hueOff") {
    double d = Degrees(t);
    hsl([d](Hsl& h) { h.h += d; });
  } else if (name == "hue") {
    double d = Degrees(t);
    hsl([d](Hsl& h) { h.h = d; });
  } else if (name == "alpha") {
    w.alpha = Clamp01(v);
  } else if (name == "alphaMod") {
    w.alpha = Clamp01(w.alpha * v);
  } else if (name == "alphaOff") {
    w.alpha = Clamp01(w.alpha + v);
  } else if (name == "comp") {
    hsl([](Hsl& h) { h.h += 180; });
  } else if (name == "inv") {
    w.rgb = {1 - w.rgb.r, 1 - w.rgb.g, 1 - w.rgb.b};
  } else if (name == "gray") {
    double y = 0.2126 * ToLinear(w.rgb.r) + 0.7152 * ToLinear(w.rgb.g) + 0.0722 * ToLinear(w.rgb.b);
    double g = ToGamma(y);
    w.rgb = {g, g, g};
  } else if (name == "gamma") {
    w.rgb = {ToGamma(w.rgb.r), ToGamma(w.rgb.g), ToGamma(w.rgb.b)};
  } else if (name == "invGamma") {
    w.rgb = {ToLinear(w.rgb.r), ToLinear(w.rgb.g), ToLinear(w.rgb.b)};
  } else {
    // Channel transforms (red, redMod, redOff, green..., blue...) work on linear values.
    double* channel = nullptr;
    std::string_view op;
    for (auto [prefix, target] : {std::pair<std::string_view, double*>{"red", &w.rgb.r},
                                  {"green", &w.rgb.g},
                                  {"blue", &w.rgb.b}})
      if (name.starts_with(prefix)) {
        channel = target;
        op = name.substr(prefix.size());
      }
    if (!channel) return;  // a:extLst and anything unknown change nothing
    double lin = ToLinear(*channel);
    if (op.empty())
      lin = v;
    else if (op == "Mod")
      lin *= v;
    else if (op == "Off")
      lin += v;
    else
      return;
    *channel = ToGamma(lin);
  }
}

bool Base(const pugi::xml_node& e, const ColorContext& ctx, Working& w, int depth) {
  std::string_view name = LocalName(e);
  if (name == "srgbClr") {
    w.rgb = FromHex(HexValue(e.attribute("val").value()));
  } else if (name == "sysClr") {
    std::string_view last = e.attribute("lastClr").value();
    std::string_view val = e.attribute("val").value();
    // Without a last colour, the usual Windows defaults of the common names.
    std::uint32_t fallback = val == "window" || val == "highlightText" ? 0xFFFFFF : 0x000000;
    w.rgb = FromHex(last.size() == 6 ? HexValue(last) : fallback);
  } else if (name == "prstClr") {
    w.rgb = FromHex(PresetColor(e.attribute("val").value()).value_or(0));
  } else if (name == "scrgbClr") {
    w.rgb = {ToGamma(FractionOf(e, "r")), ToGamma(FractionOf(e, "g")), ToGamma(FractionOf(e, "b"))};
  } else if (name == "hslClr") {
    w.rgb = FromHsl({Degrees(e, "hue"), FractionOf(e, "sat"), FractionOf(e, "lum")});
  } else if (name == "schemeClr") {
    std::string_view val = e.attribute("val").value();
    if (val == "phClr") {
      // The reference's colour with its own transforms, then this element's.
      if (depth > 0 || !ctx.placeholderColor || !Base(ctx.placeholderColor, ctx, w, depth + 1)) return false;
    } else {
      int index = ThemeColorIndexOf(val);
      if (index == 0) return false;
      // tx1, bg1, tx2 and bg2 go through the colour map; dk1..folHlink are the theme's own slots.
      w.rgb = FromPacked(index > kThemeColorCount ? ctx.mapped[index - kThemeColorCount - 1] : ctx.theme[index - 1]);
      w.themeColor = index;
    }
  } else {
    return false;
  }
  for (pugi::xml_node t = e.first_child(); t; t = t.next_sibling())
    if (t.type() == pugi::node_element) Apply(t, w);
  return true;
}

}  // namespace

bool IsColorElement(const pugi::xml_node& node) {
  std::string_view n = LocalName(node);
  return n == "srgbClr" || n == "schemeClr" || n == "sysClr" || n == "prstClr" || n == "scrgbClr" ||
         n == "hslClr";
}

pugi::xml_node ColorChildOf(const pugi::xml_node& parent) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && IsColorElement(c)) return c;
  return {};
}

ResolvedColor ResolveColor(const pugi::xml_node& colorElement, const ColorContext& context) {
  Working w;
  ResolvedColor out;
  if (!colorElement || !Base(colorElement, context, w, 0)) return out;
  out.present = true;
  out.rgb = Packed(w.rgb);
  out.alpha = w.alpha;
  out.themeColor = w.themeColor;
  out.brightness = w.brightness;
  out.tintAndShade = w.tintAndShade;
  return out;
}

int ThemeColorIndexOf(std::string_view schemeValue) {
  for (std::size_t i = 0; i < kSchemeValues.size(); ++i)
    if (kSchemeValues[i] == schemeValue) return static_cast<int>(i) + 1;
  return 0;
}

std::string_view SchemeValueOf(int themeColor) {
  if (themeColor < 1 || themeColor > static_cast<int>(kSchemeValues.size())) return {};
  return kSchemeValues[themeColor - 1];
}

int LegacySchemeIndexOf(int themeColor) {
  // Background, foreground (text), shadow, title, fill, accent 1..3 of the
  // old eight-colour scheme.
  switch (themeColor) {
    case 2: case 14: return 1;   // lt1 / bg1
    case 1: case 13: return 2;   // dk1 / tx1
    case 4: case 16: return 3;   // lt2 / bg2
    case 3: case 15: return 4;   // dk2 / tx2
    case 5: return 5;
    case 6: return 6;
    case 7: return 7;
    case 8: return 8;
    default: return 0;
  }
}

}  // namespace quillmere::engine
