#include "engine/objects/format/FillFormatObjects.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/PartColors.h"
#include "engine/model/format/ShapeFill.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/objects/format/ColorFormatObjects.h"

namespace quillmere::engine {
namespace {

constexpr int kMixed = -2;
constexpr std::string_view kFillKey = "fill";
constexpr std::string_view kLineKey = "line";

// MsoFillType.
enum FillType { kSolid = 1, kPatterned = 2, kGradient = 3, kTextured = 4, kBackground = 5, kPicture = 6 };

// MsoPatternType 1..54 in order, by a:pattFill prst.
constexpr std::array<std::string_view, 54> kPatterns{
    "pct5",      "pct10",     "pct20",      "pct25",     "pct30",      "pct40",     "pct50",     "pct60",
    "pct70",     "pct75",     "pct80",      "pct90",     "dkHorz",     "dkVert",    "dkDnDiag",  "dkUpDiag",
    "smCheck",   "trellis",   "ltHorz",     "ltVert",    "ltDnDiag",   "ltUpDiag",  "smGrid",    "dotDmnd",
    "wdDnDiag",  "wdUpDiag",  "dashUpDiag", "dashDnDiag", "narVert",   "narHorz",   "dashVert",  "dashHorz",
    "lgConfetti", "lgGrid",   "horzBrick",  "lgCheck",   "smConfetti", "zigZag",    "solidDmnd", "diagBrick",
    "openDmnd",  "plaid",     "sphere",     "weave",     "dotGrid",    "divot",     "shingle",   "wave",
    "horz",      "vert",      "cross",      "dnDiag",    "upDiag",     "diagCross"};

// MsoTextureAlignment 0..8 by a:tile algn.
constexpr std::array<std::string_view, 9> kTileAlignments{"tl", "t", "tr", "l", "ctr", "r", "bl", "b", "br"};

template <std::size_t N>
int IndexIn(const std::array<std::string_view, N>& names, std::string_view name, int base, int missing) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == name) return static_cast<int>(i) + base;
  return missing;
}

float Single(double v) { return static_cast<float>(v); }

// ---- the fill in effect ----

StyledNode FillOf(const ShapeObject& s) { return EffectiveFill(*s.doc, s.part, s.element); }

bool UsesBackground(const pugi::xml_node& shape) { return shape.attribute("useBgFill").as_bool(); }

int TypeOf(const ShapeObject& s) {
  if (UsesBackground(s.element)) return kBackground;
  pugi::xml_node fill = FillOf(s).node;
  std::string_view name = LocalName(fill);
  if (name == "pattFill") return kPatterned;
  if (name == "gradFill") return kGradient;
  if (name == "blipFill") return ChildNamed(fill, "tile") ? kTextured : kPicture;
  return kSolid;
}

bool FillVisible(const ShapeObject& s) {
  if (UsesBackground(s.element)) return true;
  pugi::xml_node fill = FillOf(s).node;
  return fill && LocalName(fill) != "noFill";
}

std::vector<pugi::xml_node> Stops(const pugi::xml_node& gradient) {
  std::vector<pugi::xml_node> stops;
  ForEachChildNamed(ChildNamed(gradient, "gsLst"), "gs", [&](const pugi::xml_node& gs) { stops.push_back(gs); });
  return stops;
}

double Alpha(const pugi::xml_node& color) {
  ResolvedColor c = ResolveColor(color, ColorContext{});
  return c.present ? c.alpha : 1.0;
}

// The colour holders of a fill: fore and back (a pattern's fgClr/bgClr, a
// gradient's first and last stop, a solid fill itself).
pugi::xml_node Holder(const pugi::xml_node& fill, bool back) {
  std::string_view name = LocalName(fill);
  if (name == "solidFill") return back ? pugi::xml_node() : fill;
  if (name == "pattFill") return ChildNamed(fill, back ? "bgClr" : "fgClr");
  if (name == "gradFill") {
    std::vector<pugi::xml_node> stops = Stops(fill);
    if (stops.empty()) return {};
    return back ? stops.back() : stops.front();
  }
  return {};
}

// ---- edits ----

// A copy of an inherited element for the shape's own properties, phClr
// replaced by the reference's colour with the transforms written on phClr.
void SubstitutePlaceholderColor(pugi::xml_node copy, const pugi::xml_node& placeholderColor) {
  std::vector<pugi::xml_node> found;
  for (pugi::xpath_node n : copy.select_nodes(".//*[@val='phClr']")) found.push_back(n.node());
  for (pugi::xml_node ph : found) {
    if (!placeholderColor) {
      ph.attribute("val").set_value("accent1");
      continue;
    }
    pugi::xml_node made = ph.parent().insert_copy_before(placeholderColor, ph);
    made.set_name(NameLike(ph, LocalName(placeholderColor)).c_str());
    for (pugi::xml_node t = ph.first_child(); t; t = t.next_sibling()) made.append_copy(t);
    ph.parent().remove_child(ph);
  }
}

// The shape's own fill, copied from the one in effect when it has none.
pugi::xml_node OwnFill(ShapeObject& s, const pugi::xml_node& shape) {
  pugi::xml_node props = ShapePropertiesOf(shape);
  if (!props) return {};
  if (pugi::xml_node own = FillChildOf(props); own && LocalName(own) != "grpFill") return own;
  StyledNode inherited = EffectiveFill(*s.doc, s.part, shape);
  if (!inherited.node) return ReplaceFill(props, "noFill");
  pugi::xml_node made = ReplaceFill(props, LocalName(inherited.node));
  for (pugi::xml_attribute a = inherited.node.first_attribute(); a; a = a.next_attribute())
    made.append_copy(a);
  for (pugi::xml_node c = inherited.node.first_child(); c; c = c.next_sibling()) made.append_copy(c);
  SubstitutePlaceholderColor(made, inherited.placeholderColor);
  return made;
}

// Puts a kept element back in place of the holder's fill.
void PutBack(pugi::xml_node holder, const pugi::xml_node& kept) {
  pugi::xml_node placeholder = ReplaceFill(holder, LocalName(kept));
  holder.insert_copy_before(kept, placeholder);
  holder.remove_child(placeholder);
}

void SetFillVisible(FillFormatObject& f, bool show) {
  ShapeObject& s = *f.shape;
  // Already so: nothing changes, so putting back what was read leaves the shape as it was.
  if (FillVisible(s) == show) return;
  s.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node props = ShapePropertiesOf(shape);
    if (!props) return;
    EditStash& stash = s.doc->Stash();
    if (!show) {
      if (!stash.Kept(props, kFillKey)) {
        pugi::xml_node kept = stash.Keep(props, kFillKey);
        if (pugi::xml_node own = FillChildOf(props)) kept.append_copy(own);
      }
      ReplaceFill(props, "noFill");
      return;
    }
    if (pugi::xml_node kept = stash.Kept(props, kFillKey)) {
      if (pugi::xml_node was = kept.first_child())
        PutBack(props, was);
      else if (pugi::xml_node own = FillChildOf(props))
        props.remove_child(own);
      stash.Forget(props, kFillKey);
    } else if (pugi::xml_node own = FillChildOf(props); own && LocalName(own) == "noFill") {
      props.remove_child(own);
    }
    StyledNode now = EffectiveFill(*s.doc, s.part, shape);
    if (now.node && LocalName(now.node) != "noFill") return;
    // PowerPoint's own fill for a shape that had none.
    pugi::xml_node solid = ReplaceFill(props, "solidFill");
    solid.append_child(DrawingName(solid, "schemeClr").c_str()).append_attribute("val") = "accent1";
  });
}

// Sets the opacity of a colour element (no a:alpha for an opaque one).
void SetAlpha(pugi::xml_node color, double transparency) {
  if (!color) return;
  while (pugi::xml_node a = ChildNamed(color, "alpha")) color.remove_child(a);
  if (transparency <= 0) return;
  long long alpha = std::llround((1 - std::min(transparency, 1.0)) * kFractionUnit);
  color.append_child(DrawingName(color, "alpha").c_str()).append_attribute("val") = alpha;
}

void SetFillTransparency(FillFormatObject& f, double transparency) {
  ShapeObject& s = *f.shape;
  s.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node fill = OwnFill(s, shape);
    std::string_view name = LocalName(fill);
    if (name == "solidFill") SetAlpha(ColorChildOf(fill), transparency);
    if (name == "pattFill") SetAlpha(ColorChildOf(ChildNamed(fill, "fgClr")), transparency);
    if (name == "gradFill")
      for (pugi::xml_node gs : Stops(fill)) SetAlpha(ColorChildOf(gs), transparency);
    if (name == "blipFill") {
      pugi::xml_node blip = ChildNamed(fill, "blip");
      while (pugi::xml_node a = ChildNamed(blip, "alphaModFix")) blip.remove_child(a);
      if (transparency > 0)
        blip.prepend_child(DrawingName(blip, "alphaModFix").c_str()).append_attribute("amt") =
            std::llround((1 - std::min(transparency, 1.0)) * kFractionUnit);
    }
  });
}

void SetTextureTile(FillFormatObject& f, bool tile) {
  ShapeObject& s = *f.shape;
  s.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node fill = OwnFill(s, shape);
    if (LocalName(fill) != "blipFill") return;
    for (const char* mode : {"tile", "stretch"})
      while (pugi::xml_node m = ChildNamed(fill, mode)) fill.remove_child(m);
    pugi::xml_node made = fill.insert_child_after(DrawingName(fill, tile ? "tile" : "stretch").c_str(),
                                                  ChildNamed(fill, "srcRect") ? ChildNamed(fill, "srcRect")
                                                                              : ChildNamed(fill, "blip"));
    if (!tile) made.append_child(DrawingName(fill, "fillRect").c_str());
  });
}

// Where a fill or a line's fill is read and edited: the one in effect, the
// shape variant's own (made when missing) and where a replacement goes.
struct FillAccess {
  std::function<StyledNode(const ShapeObject&)> inEffect;
  std::function<pugi::xml_node(ShapeObject&, const pugi::xml_node&)> own;
  std::function<pugi::xml_node(const pugi::xml_node&)> container;
};

// A fore or back colour of a fill or of a line's fill: the holder is found in
// the one in effect for each read, and made in the shape's own for each edit,
// a solid fill standing in for one without colours.
Value HolderColor(const std::shared_ptr<EngineSession>& session, std::shared_ptr<ShapeObject> s, bool back,
                  FillAccess access) {
  ColorBinding binding{
      .locate =
          [s, back, inEffect = access.inEffect] {
            StyledNode fill = inEffect(*s);
            return ColorSource{.color = ColorChildOf(Holder(fill.node, back)),
                               .placeholderColor = fill.placeholderColor,
                               .fallbackRgb = back ? 0xFFFFFFu : 0u};
          },
      .edit =
          [s, back, own = access.own, container = access.container](const std::function<void(pugi::xml_node)>& edit) {
            s->EditEachVariant([&](const pugi::xml_node& shape) {
              pugi::xml_node fill = own(*s, shape);
              std::string_view name = LocalName(fill);
              if (!back && name != "solidFill" && name != "pattFill" && name != "gradFill")
                fill = ReplaceFill(container(shape), "solidFill");
              if (name == "pattFill" && !ChildNamed(fill, back ? "bgClr" : "fgClr"))
                fill.append_child(DrawingName(fill, back ? "bgClr" : "fgClr").c_str());
              if (pugi::xml_node holder = Holder(fill, back)) edit(holder);
            });
          }};
  return Value(std::make_shared<ColorFormatObject>(session, s->doc, s->part, std::move(binding)));
}

Value FillColor(FillFormatObject& f, bool back) {
  return HolderColor(f.Session(), f.shape, back, {FillOf, OwnFill, ShapePropertiesOf});
}

pugi::xml_node Gradient(const ShapeObject& s) {
  pugi::xml_node fill = FillOf(s).node;
  return LocalName(fill) == "gradFill" ? fill : pugi::xml_node();
}

// MsoGradientStyle and variant from the direction a gradient runs.
std::pair<int, int> GradientStyleAndVariant(const pugi::xml_node& gradient) {
  if (!gradient) return {kMixed, kMixed};
  if (pugi::xml_node path = ChildNamed(gradient, "path")) {
    pugi::xml_node to = ChildNamed(path, "fillToRect");
    double l = to.attribute("l").as_double(), t = to.attribute("t").as_double();
    double r = to.attribute("r").as_double(), b = to.attribute("b").as_double();
    if (std::abs(l - r) < 1 && std::abs(t - b) < 1) return {7, 1};  // from the centre
    int variant = (t > b ? 2 : 0) + (l > r ? 1 : 0) + 1;          // the corner it starts from
    return {5, variant};
  }
  double angle = std::fmod(ChildNamed(gradient, "lin").attribute("ang").as_double() / kAngleUnit, 360.0);
  // Colour bands across the direction of travel: 0° runs left to right (vertical bands).
  int octant = static_cast<int>(std::lround(angle / 45.0)) % 8;
  static constexpr std::array<std::pair<int, int>, 8> kByOctant{
      {{2, 1}, {4, 1}, {1, 1}, {3, 1}, {2, 2}, {4, 2}, {1, 2}, {3, 2}}};
  return kByOctant[static_cast<std::size_t>(octant)];
}

pugi::xml_node TileOf(const ShapeObject& s) { return ChildNamed(FillOf(s).node, "tile"); }

}  // namespace

const MemberTable<FillFormatObject>& FillFormatObject::Members() {
  static const MemberTable<FillFormatObject> table{
      {.name = "Visible",
       .get = [](FillFormatObject& f, Args) { return MsoBool(FillVisible(*f.shape)); },
       .put = [](FillFormatObject& f, Args, const Value& v) { SetFillVisible(f, v.AsLong() != kMsoFalse); }},
      {.name = "Type", .get = [](FillFormatObject& f, Args) { return Value(TypeOf(*f.shape)); }},
      {.name = "ForeColor", .get = [](FillFormatObject& f, Args) { return FillColor(f, false); }},
      {.name = "BackColor", .get = [](FillFormatObject& f, Args) { return FillColor(f, true); }},
      {.name = "Transparency",
       .get =
           [](FillFormatObject& f, Args) {
             pugi::xml_node fill = FillOf(*f.shape).node;
             if (LocalName(fill) == "blipFill") {
               pugi::xml_node mod = ChildNamed(ChildNamed(fill, "blip"), "alphaModFix");
               return Value(Single(mod ? 1 - mod.attribute("amt").as_double(kFractionUnit) / kFractionUnit : 0.0));
             }
             return Value(Single(1 - Alpha(ColorChildOf(Holder(fill, false)))));
           },
       .put = [](FillFormatObject& f, Args, const Value& v) { SetFillTransparency(f, v.AsDouble()); }},
      {.name = "RotateWithObject",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             return MsoBool(FillOf(*f.shape).node.attribute("rotWithShape").as_bool(true));
           }},
      {.name = "GradientColorType",
       .get =
           [](FillFormatObject& f, Args) {
             pugi::xml_node g = Gradient(*f.shape);
             if (!g) return Value(kMixed);
             // msoGradientTwoColors 2, msoGradientMultiColor 4.
             return Value(Stops(g).size() == 2 ? 2 : 4);
           }},
      {.name = "GradientStyle",
       .get = [](FillFormatObject& f, Args) { return Value(GradientStyleAndVariant(Gradient(*f.shape)).first); }},
      {.name = "GradientVariant",
       .get = [](FillFormatObject& f, Args) { return Value(GradientStyleAndVariant(Gradient(*f.shape)).second); }},
      {.name = "GradientAngle",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             double a = ChildNamed(Gradient(*f.shape), "lin").attribute("ang").as_double() / kAngleUnit;
             return Value(Single(std::fmod(a, 360.0)));
           }},
      // Only the gradients PowerPoint 2003 offered by name are presets; none in a file says so.
      {.name = "PresetGradientType", .get = [](FillFormatObject&, Args) { return Value(kMixed); }},
      {.name = "GradientStops",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             std::shared_ptr<ShapeObject> s = f.shape;
             auto source = std::make_shared<GradientSource>(GradientSource{
                 .shape = s,
                 .gradient = [s] { return Gradient(*s); },
                 .placeholderColor = [s] { return FillOf(*s).placeholderColor; },
                 .editStop =
                     [s](int index, const std::function<void(pugi::xml_node)>& edit) {
                       s->EditEachVariant([&](const pugi::xml_node& shape) {
                         std::vector<pugi::xml_node> stops = Stops(OwnFill(*s, shape));
                         if (index < static_cast<int>(stops.size())) edit(stops[static_cast<std::size_t>(index)]);
                       });
                     }});
             return Value(std::make_shared<GradientStopsObject>(f.Session(), std::move(source)));
           }},
      {.name = "Pattern",
       .get =
           [](FillFormatObject& f, Args) {
             pugi::xml_node fill = FillOf(*f.shape).node;
             if (LocalName(fill) != "pattFill") return Value(kMixed);
             return Value(IndexIn(kPatterns, fill.attribute("prst").value(), 1, kMixed));
           }},
      {.name = "TextureTile",
       .sinceVersion = 12,
       .get = [](FillFormatObject& f, Args) { return MsoBool(static_cast<bool>(TileOf(*f.shape))); },
       .put = [](FillFormatObject& f, Args, const Value& v) { SetTextureTile(f, v.AsLong() != kMsoFalse); }},
      // A file keeps a texture's picture, not the name it was chosen by.
      {.name = "TextureName", .get = [](FillFormatObject&, Args) { return Value(std::string()); }},
      {.name = "TextureType",
       .get =
           [](FillFormatObject& f, Args) {
             return Value(TypeOf(*f.shape) == kTextured ? 2 : kMixed);  // msoTextureUserDefined
           }},
      {.name = "TextureAlignment",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             pugi::xml_node tile = TileOf(*f.shape);
             return Value(IndexIn(kTileAlignments, tile.attribute("algn").value(), 0, 0));
           }},
      {.name = "TextureHorizontalScale",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             return Value(Single(TileOf(*f.shape).attribute("sx").as_double(kFractionUnit) / kFractionUnit));
           }},
      {.name = "TextureVerticalScale",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             return Value(Single(TileOf(*f.shape).attribute("sy").as_double(kFractionUnit) / kFractionUnit));
           }},
      {.name = "TextureOffsetX",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             return Value(Single(TileOf(*f.shape).attribute("tx").as_double() / kEmuPerPoint));
           }},
      {.name = "TextureOffsetY",
       .sinceVersion = 12,
       .get =
           [](FillFormatObject& f, Args) {
             return Value(Single(TileOf(*f.shape).attribute("ty").as_double() / kEmuPerPoint));
           }},
      {.name = "Parent", .get = [](FillFormatObject& f, Args) { return Value(f.shape); }},
  };
  return table;
}

const MemberTable<GradientStopsObject>& GradientStopsObject::Members() {
  static const auto count = [](GradientStopsObject& g) {
    return static_cast<int>(Stops(g.source->gradient()).size());
  };
  static const MemberTable<GradientStopsObject> table{
      {.name = "Count", .get = [](GradientStopsObject& g, Args) { return Value(count(g)); }},
      {.name = "Item",
       .call =
           [](GradientStopsObject& g, Args a) {
             int i = CollectionIndex(ArgAt(a, 0), count(g), "GradientStops");
             return Value(std::make_shared<GradientStopObject>(g.Session(), g.source, i - 1));
           }},
  };
  return table;
}

namespace {

pugi::xml_node StopAt(const GradientSource& g, int index) {
  std::vector<pugi::xml_node> stops = Stops(g.gradient());
  return index < static_cast<int>(stops.size()) ? stops[static_cast<std::size_t>(index)] : pugi::xml_node();
}

}  // namespace

const MemberTable<GradientStopObject>& GradientStopObject::Members() {
  static const MemberTable<GradientStopObject> table{
      {.name = "Position",
       .get =
           [](GradientStopObject& g, Args) {
             return Value(Single(StopAt(*g.source, g.index).attribute("pos").as_double() / kFractionUnit));
           }},
      {.name = "Transparency",
       .get =
           [](GradientStopObject& g, Args) {
             return Value(Single(1 - Alpha(ColorChildOf(StopAt(*g.source, g.index)))));
           }},
      {.name = "Color",
       .get =
           [](GradientStopObject& g, Args) {
             std::shared_ptr<const GradientSource> source = g.source;
             int index = g.index;
             ColorBinding binding;
             binding.locate = [source, index] {
               return ColorSource{.color = ColorChildOf(StopAt(*source, index)),
                                  .placeholderColor = source->placeholderColor(),
                                  .fallbackRgb = 0};
             };
             if (source->editStop)
               binding.edit = [source, index](const std::function<void(pugi::xml_node)>& edit) {
                 source->editStop(index, edit);
               };
             const ShapeObject& s = *source->shape;
             return Value(std::make_shared<ColorFormatObject>(g.Session(), s.doc, s.part, std::move(binding)));
           }},
  };
  return table;
}

namespace {

// ---- the outline ----

// MsoLineDashStyle by a:prstDash val.
constexpr std::array<std::pair<std::string_view, int>, 11> kDashes{{{"solid", 1},
                                                                    {"sysDash", 2},
                                                                    {"sysDot", 3},
                                                                    {"dash", 4},
                                                                    {"dashDot", 5},
                                                                    {"lgDashDotDot", 6},
                                                                    {"sysDashDotDot", 6},
                                                                    {"lgDash", 7},
                                                                    {"lgDashDot", 8},
                                                                    {"sysDashDot", 5},
                                                                    {"", 1}}};
// MsoLineStyle by a:ln cmpd.
constexpr std::array<std::string_view, 5> kCompounds{"sng", "dbl", "thinThick", "thickThin", "tri"};
// MsoArrowheadStyle 1..6 by a:headEnd / a:tailEnd type.
constexpr std::array<std::string_view, 6> kArrowheads{"none", "triangle", "arrow", "stealth", "diamond", "oval"};
// MsoArrowheadLength / MsoArrowheadWidth 1..3 by len / w.
constexpr std::array<std::string_view, 3> kArrowSizes{"sm", "med", "lg"};
constexpr double kDefaultLineWidth = 9525;  // EMU: PowerPoint's 0.75 pt

std::vector<StyledNode> Levels(const ShapeObject& s, std::string_view line) {
  return LineLevels(*s.doc, s.part, s.element, line);
}

// The first level that has the attribute.
pugi::xml_attribute LineAttribute(const LineFormatObject& l, const char* name) {
  for (const StyledNode& level : Levels(*l.shape, l.line))
    if (pugi::xml_attribute a = level.node.attribute(name)) return a;
  return {};
}

// The first level that has a child of that name.
pugi::xml_node LineChild(const LineFormatObject& l, std::string_view name) {
  for (const StyledNode& level : Levels(*l.shape, l.line))
    if (pugi::xml_node c = ChildNamed(level.node, name)) return c;
  return {};
}

// The fill of the first level that has one.
StyledNode FirstFill(const std::vector<StyledNode>& levels) {
  for (const StyledNode& level : levels)
    if (pugi::xml_node fill = FillChildOf(level.node)) return {fill, level.placeholderColor};
  return {};
}

StyledNode LineFill(const ShapeObject& s, std::string_view line) { return FirstFill(Levels(s, line)); }

bool Shows(const StyledNode& fill) { return fill.node && LocalName(fill.node) != "noFill"; }

// The fill of the shape's own line, copied from the one in effect when it has none.
pugi::xml_node OwnLineFill(ShapeObject& s, const pugi::xml_node& shape, std::string_view line) {
  pugi::xml_node ln = OwnLine(shape, line);
  if (!ln) return {};
  if (pugi::xml_node own = FillChildOf(ln)) return own;
  StyledNode inherited = FirstFill(LineLevels(*s.doc, s.part, shape, line));
  if (!inherited.node) return ReplaceFill(ln, "noFill");
  pugi::xml_node made = ReplaceFill(ln, LocalName(inherited.node));
  for (pugi::xml_node c = inherited.node.first_child(); c; c = c.next_sibling()) made.append_copy(c);
  SubstitutePlaceholderColor(made, inherited.placeholderColor);
  return made;
}

void SetLineVisible(LineFormatObject& l, bool show) {
  ShapeObject& s = *l.shape;
  const std::string& line = l.line;
  if (Shows(LineFill(s, line)) == show) return;
  // A cell keeps what each of its sides hid apart from the others.
  std::string key = std::string(kLineKey) + line;
  s.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node props = ShapePropertiesOf(shape);
    if (!props) return;
    EditStash& stash = s.doc->Stash();
    if (!show) {
      bool hadLine = static_cast<bool>(ChildNamed(props, line));
      pugi::xml_node ln = OwnLine(shape, line);
      if (!stash.Kept(props, key)) {
        pugi::xml_node kept = stash.Keep(props, key);
        kept.append_attribute("made") = !hadLine;
        if (pugi::xml_node own = FillChildOf(ln)) kept.append_copy(own);
      }
      ReplaceFill(ln, "noFill");
      return;
    }
    pugi::xml_node ln = ChildNamed(props, line);
    if (pugi::xml_node kept = stash.Kept(props, key); kept && ln) {
      if (pugi::xml_node was = kept.first_child())
        PutBack(ln, was);
      else if (pugi::xml_node own = FillChildOf(ln))
        ln.remove_child(own);
      if (kept.attribute("made").as_bool() && !ln.first_child() && !ln.first_attribute()) props.remove_child(ln);
      stash.Forget(props, key);
    } else if (pugi::xml_node own = FillChildOf(ln); own && LocalName(own) == "noFill") {
      ln.remove_child(own);
    }
    if (Shows(FirstFill(LineLevels(*s.doc, s.part, shape, line)))) return;
    // PowerPoint's own outline for a shape that had none.
    pugi::xml_node solid = ReplaceFill(OwnLine(shape, line), "solidFill");
    solid.append_child(DrawingName(solid, "schemeClr").c_str()).append_attribute("val") = "tx1";
  });
}

Value LineColor(LineFormatObject& l, bool back) {
  std::string line = l.line;
  return HolderColor(l.Session(), l.shape, back,
                     {[line](const ShapeObject& s) { return LineFill(s, line); },
                      [line](ShapeObject& s, const pugi::xml_node& shape) { return OwnLineFill(s, shape, line); },
                      [line](const pugi::xml_node& shape) { return OwnLine(shape, line); }});
}

int DashStyle(const LineFormatObject& l) {
  pugi::xml_node dash;
  for (const StyledNode& level : Levels(*l.shape, l.line)) {
    if ((dash = ChildNamed(level.node, "prstDash"))) break;
    if (ChildNamed(level.node, "custDash")) return kMixed;
  }
  std::string_view val = dash ? dash.attribute("val").value() : "solid";
  for (auto [name, style] : kDashes)
    if (name == val) return style;
  return 1;
}

Member<LineFormatObject> ArrowMember(std::string_view name, bool begin, const char* attribute,
                                     const std::array<std::string_view, 3>* sizes) {
  return {.name = name, .get = [begin, attribute, sizes](LineFormatObject& l, Args) {
            pugi::xml_node end = LineChild(l, begin ? "headEnd" : "tailEnd");
            std::string_view value = end.attribute(attribute).value();
            if (!sizes) return Value(IndexIn(kArrowheads, value.empty() ? "none" : value, 1, 1));
            return Value(IndexIn(*sizes, value.empty() ? "med" : value, 1, 2));
          }};
}

}  // namespace

const MemberTable<LineFormatObject>& LineFormatObject::Members() {
  static const MemberTable<LineFormatObject> table{
      {.name = "Visible",
       .get = [](LineFormatObject& l, Args) { return MsoBool(Shows(LineFill(*l.shape, l.line))); },
       .put = [](LineFormatObject& l, Args, const Value& v) { SetLineVisible(l, v.AsLong() != kMsoFalse); }},
      {.name = "Weight",
       .get =
           [](LineFormatObject& l, Args) {
             pugi::xml_attribute w = LineAttribute(l, "w");
             return Value(Single((w ? w.as_double() : kDefaultLineWidth) / kEmuPerPoint));
           }},
      {.name = "DashStyle", .get = [](LineFormatObject& l, Args) { return Value(DashStyle(l)); }},
      {.name = "Style",
       .get =
           [](LineFormatObject& l, Args) {
             return Value(IndexIn(kCompounds, LineAttribute(l, "cmpd").as_string("sng"), 1, 1));
           }},
      {.name = "Transparency",
       .get =
           [](LineFormatObject& l, Args) {
             return Value(Single(1 - Alpha(ColorChildOf(Holder(LineFill(*l.shape, l.line).node, false)))));
           }},
      {.name = "ForeColor", .get = [](LineFormatObject& l, Args) { return LineColor(l, false); }},
      {.name = "BackColor", .get = [](LineFormatObject& l, Args) { return LineColor(l, true); }},
      ArrowMember("BeginArrowheadStyle", true, "type", nullptr),
      ArrowMember("BeginArrowheadLength", true, "len", &kArrowSizes),
      ArrowMember("BeginArrowheadWidth", true, "w", &kArrowSizes),
      ArrowMember("EndArrowheadStyle", false, "type", nullptr),
      ArrowMember("EndArrowheadLength", false, "len", &kArrowSizes),
      ArrowMember("EndArrowheadWidth", false, "w", &kArrowSizes),
      {.name = "Parent", .get = [](LineFormatObject& l, Args) { return Value(l.shape); }},
  };
  return table;
}

}  // namespace quillmere::engine
