#include <array>
#include <string_view>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/text/TextRuns.h"
#include "engine/model/text/TextStyles.h"
#include "engine/objects/format/ColorFormatObjects.h"
#include "engine/objects/text/ClassicFontObjects.h"
#include "engine/objects/text/TextFrame2Objects.h"
#include "support/text/Utf16Units.h"

namespace quillmere::engine {
namespace {

constexpr double kDefaultTabSpacing = 72.0;  // points, a:defTabSz's schema default

// MsoParagraphAlignment from 1, MsoBaselineAlignment from 1, MsoTabStopType from 1.
constexpr std::array<std::string_view, 7> kParagraphAlignments{"l", "ctr", "r", "just", "dist", "thaiDist", "justLow"};
constexpr std::array<std::string_view, 5> kBaselines{"base", "t", "ctr", "b", "auto"};
constexpr std::array<std::string_view, 4> kTabTypes{"l", "ctr", "r", "dec"};
// MsoNumberedBulletStyle from 0: the a:buAutoNum schemes in PowerPoint's order.
constexpr std::array<std::string_view, 41> kNumberingSchemes{
    "alphaLcPeriod",      "alphaUcPeriod",        "arabicParenR",         "arabicPeriod",     "romanLcParenBoth",
    "romanLcParenR",      "romanLcPeriod",        "romanUcPeriod",        "alphaLcParenBoth", "alphaLcParenR",
    "alphaUcParenBoth",   "alphaUcParenR",        "arabicParenBoth",      "arabicPlain",      "romanUcParenBoth",
    "romanUcParenR",      "ea1ChsPlain",          "ea1ChsPeriod",         "circleNumDbPlain", "circleNumWdWhitePlain",
    "circleNumWdBlackPlain", "ea1ChtPlain",       "ea1ChtPeriod",         "arabic1Minus",     "arabic2Minus",
    "hebrew2Minus",       "ea1JpnKorPlain",       "ea1JpnKorPeriod",      "arabicDbPlain",    "arabicDbPeriod",
    "thaiAlphaPeriod",    "thaiAlphaParenR",      "thaiAlphaParenBoth",   "thaiNumPeriod",    "thaiNumParenR",
    "thaiNumParenBoth",   "hindiAlphaPeriod",     "hindiNumPeriod",       "ea1JpnChsDbPeriod", "hindiNumParenR",
    "hindiAlpha1Period"};

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& tokens, std::string_view token, int first, int absent) {
  for (std::size_t i = 0; i < N; ++i)
    if (tokens[i] == token) return static_cast<int>(i) + first;
  return absent;
}

template <class Format>
const TextStyleChain& Styles(const Format& f) {
  return f.shape->doc->TextStylesOf(f.shape->part, f.shape->element);
}
template <class Format>
pugi::xml_attribute Attribute(const Format& f, const char* name) {
  return ParagraphAttribute(Styles(f), f.node, name);
}
template <class Format>
pugi::xml_node Element(const Format& f, std::initializer_list<std::string_view> names) {
  return ParagraphElement(Styles(f), f.node, names);
}

template <class Format, class Made>
Value Part(Format& f, pugi::xml_node node = {}) {
  return Value(std::make_shared<Made>(f.Session(), f.shape, node ? node : f.node));
}

Value Points(const pugi::xml_attribute& emu) { return Value(static_cast<float>(emu.as_double() / kEmuPerPoint)); }

// a:lnSpc, a:spcBef or a:spcAft: lines (a:spcPct) or points (a:spcPts).
struct Spacing {
  float value;
  bool inLines;
};
Spacing SpacingOf(const pugi::xml_node& spacing, Spacing absent) {
  if (pugi::xml_node lines = ChildNamed(spacing, "spcPct"))
    return {static_cast<float>(lines.attribute("val").as_double() / 100000.0), true};
  if (pugi::xml_node points = ChildNamed(spacing, "spcPts"))
    return {static_cast<float>(points.attribute("val").as_double() / 100.0), false};
  return absent;
}

constexpr Spacing kSingleLine{1.0f, true};
constexpr Spacing kNoSpace{0.0f, false};

pugi::xml_node BulletKind(const BulletFormat2Object& b) { return Element(b, {"buNone", "buChar", "buAutoNum", "buBlip"}); }

// msoBulletNone 0, msoBulletUnnumbered 1, msoBulletNumbered 2, msoBulletPicture 3.
int BulletType(const BulletFormat2Object& b) {
  std::string_view kind = LocalName(BulletKind(b));
  if (kind == "buChar") return 1;
  if (kind == "buAutoNum") return 2;
  if (kind == "buBlip") return 3;
  return 0;
}

// What the paragraph's text shows: the font of its first run, or of the
// paragraph itself when it has none.
Value TextFont(const BulletFontObject& b, std::string_view member) {
  std::vector<pugi::xml_node> runs = RunsOf({b.node});
  auto font = std::make_shared<ClassicFontObject>(b.Session(), b.shape, runs.empty() ? pugi::xml_node() : runs.front());
  return font->Invoke(InvokeKind::Get, member, {});
}

// A bullet font of its own serves every script; else each script takes the text's.
Value BulletTypeface(const BulletFontObject& b, std::string_view member) {
  pugi::xml_node font = Element(b, {"buFont", "buFontTx"});
  if (LocalName(font) != "buFont") return TextFont(b, member);
  return Value(ResolvedTypeface(*b.shape->doc, b.shape->part, font.attribute("typeface").value()));
}

std::vector<pugi::xml_node> TabsOf(const TabStops2Object& t) {
  std::vector<pugi::xml_node> tabs;
  ForEachChildNamed(Element(t, {"tabLst"}), "tab", [&](const pugi::xml_node& tab) { tabs.push_back(tab); });
  return tabs;
}

}  // namespace

template <>
const MemberTable<ParagraphFormat2Object>& ParagraphFormat2Object::Members() {
  static const MemberTable<ParagraphFormat2Object> table{
      {.name = "Alignment",
       .get = [](ParagraphFormat2Object& p, Args) { return Value(IndexOf(kParagraphAlignments, Attribute(p, "algn").value(), 1, 1)); }},
      // msoTextDirectionLeftToRight 1, msoTextDirectionRightToLeft 2.
      {.name = "TextDirection",
       .get = [](ParagraphFormat2Object& p, Args) { return Value(Attribute(p, "rtl").as_bool() ? 2 : 1); }},
      {.name = "BaselineAlignment",
       .get =
           [](ParagraphFormat2Object& p, Args) {
             return Value(IndexOf(kBaselines, Attribute(p, "fontAlgn").value(), 1, 5));
           }},
      {.name = "IndentLevel", .get = [](ParagraphFormat2Object& p, Args) { return Value(OutlineLevel(p.node) + 1); }},
      {.name = "LeftIndent", .get = [](ParagraphFormat2Object& p, Args) { return Points(Attribute(p, "marL")); }},
      {.name = "FirstLineIndent", .get = [](ParagraphFormat2Object& p, Args) { return Points(Attribute(p, "indent")); }},
      {.name = "SpaceWithin",
       .get = [](ParagraphFormat2Object& p, Args) { return Value(SpacingOf(Element(p, {"lnSpc"}), kSingleLine).value); }},
      {.name = "LineRuleWithin",
       .get = [](ParagraphFormat2Object& p, Args) { return MsoBool(SpacingOf(Element(p, {"lnSpc"}), kSingleLine).inLines); }},
      {.name = "SpaceBefore",
       .get = [](ParagraphFormat2Object& p, Args) { return Value(SpacingOf(Element(p, {"spcBef"}), kNoSpace).value); }},
      {.name = "LineRuleBefore",
       .get = [](ParagraphFormat2Object& p, Args) { return MsoBool(SpacingOf(Element(p, {"spcBef"}), kNoSpace).inLines); }},
      {.name = "SpaceAfter",
       .get = [](ParagraphFormat2Object& p, Args) { return Value(SpacingOf(Element(p, {"spcAft"}), kNoSpace).value); }},
      {.name = "LineRuleAfter",
       .get = [](ParagraphFormat2Object& p, Args) { return MsoBool(SpacingOf(Element(p, {"spcAft"}), kNoSpace).inLines); }},
      {.name = "Bullet", .get = [](ParagraphFormat2Object& p, Args) { return Part<ParagraphFormat2Object, BulletFormat2Object>(p); }},
      {.name = "TabStops", .get = [](ParagraphFormat2Object& p, Args) { return Part<ParagraphFormat2Object, TabStops2Object>(p); }},
  };
  return table;
}

template <>
const MemberTable<BulletFormat2Object>& BulletFormat2Object::Members() {
  static const MemberTable<BulletFormat2Object> table{
      {.name = "Type", .get = [](BulletFormat2Object& b, Args) { return Value(BulletType(b)); }},
      {.name = "Visible", .get = [](BulletFormat2Object& b, Args) { return MsoBool(BulletType(b) != 0); }},
      {.name = "Character",
       .get = [](BulletFormat2Object& b, Args) {
         return Value(static_cast<int>(FirstCodePoint(Element(b, {"buChar"}).attribute("char").value())));
       }},
      {.name = "RelativeSize",
       .get =
           [](BulletFormat2Object& b, Args) {
             pugi::xml_attribute percent = Element(b, {"buSzPct"}).attribute("val");
             return Value(static_cast<float>(percent ? percent.as_double() / 100000.0 : 1.0));
           }},
      {.name = "Style",
       .get =
           [](BulletFormat2Object& b, Args) {
             return Value(IndexOf(kNumberingSchemes, Element(b, {"buAutoNum"}).attribute("type").value(), 0, -2));
           }},
      {.name = "StartValue",
       .get = [](BulletFormat2Object& b, Args) { return Value(Element(b, {"buAutoNum"}).attribute("startAt").as_int(1)); }},
      {.name = "Number",
       .get = [](BulletFormat2Object& b, Args) { return Value(Element(b, {"buAutoNum"}).attribute("startAt").as_int(1)); }},
      {.name = "UseTextColor",
       .get = [](BulletFormat2Object& b, Args) { return MsoBool(LocalName(Element(b, {"buClr", "buClrTx"})) != "buClr"); }},
      {.name = "UseTextFont",
       .get = [](BulletFormat2Object& b, Args) { return MsoBool(LocalName(Element(b, {"buFont", "buFontTx"})) != "buFont"); }},
      {.name = "Font", .get = [](BulletFormat2Object& b, Args) { return Part<BulletFormat2Object, BulletFontObject>(b); }},
  };
  return table;
}

template <>
const MemberTable<BulletFontObject>& BulletFontObject::Members() {
  static const MemberTable<BulletFontObject> table{
      {.name = "Name", .get = [](BulletFontObject& b, Args) { return BulletTypeface(b, "Name"); }},
      {.name = "NameComplexScript",
       .get = [](BulletFontObject& b, Args) { return BulletTypeface(b, "NameComplexScript"); }},
      {.name = "NameFarEast", .get = [](BulletFontObject& b, Args) { return BulletTypeface(b, "NameFarEast"); }},
      {.name = "Size",
       .get =
           [](BulletFontObject& b, Args) {
             pugi::xml_node size = Element(b, {"buSzPct", "buSzPts", "buSzTx"});
             if (LocalName(size) == "buSzPts") return Value(static_cast<float>(size.attribute("val").as_double() / 100.0));
             double scale = LocalName(size) == "buSzPct" ? size.attribute("val").as_double() / 100000.0 : 1.0;
             return Value(static_cast<float>(TextFont(b, "Size").AsDouble() * scale));
           }},
      {.name = "Color",
       .get =
           [](BulletFontObject& b, Args) {
             pugi::xml_node color = Element(b, {"buClr", "buClrTx"});
             if (LocalName(color) != "buClr") return TextFont(b, "Color");
             ColorBinding binding{[color] { return ColorSource{color.first_child(), {}, 0}; }, {}};
             return Value(std::make_shared<ColorFormatObject>(b.Session(), b.shape->doc, b.shape->part, binding));
           }},
      {.name = "Bold", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Bold"); }},
      {.name = "Italic", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Italic"); }},
      {.name = "Subscript", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Subscript"); }},
      {.name = "Superscript", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Superscript"); }},
      {.name = "Underline", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Underline"); }},
      {.name = "Shadow", .get = [](BulletFontObject& b, Args) { return TextFont(b, "Shadow"); }},
  };
  return table;
}

template <>
const MemberTable<TabStops2Object>& TabStops2Object::Members() {
  static const MemberTable<TabStops2Object> table{
      {.name = "Count", .get = [](TabStops2Object& t, Args) { return Value(static_cast<int>(TabsOf(t).size())); }},
      {.name = "Item",
       .get =
           [](TabStops2Object& t, Args a) {
             std::vector<pugi::xml_node> tabs = TabsOf(t);
             int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(tabs.size()), "TabStops2");
             return Part<TabStops2Object, TabStop2Object>(t, tabs[static_cast<std::size_t>(i - 1)]);
           }},
      {.name = "DefaultSpacing",
       .get =
           [](TabStops2Object& t, Args) {
             pugi::xml_attribute spacing = Attribute(t, "defTabSz");
             return spacing ? Points(spacing) : Value(static_cast<float>(kDefaultTabSpacing));
           }},
  };
  return table;
}

template <>
const MemberTable<TabStop2Object>& TabStop2Object::Members() {
  static const MemberTable<TabStop2Object> table{
      {.name = "Position", .get = [](TabStop2Object& t, Args) { return Points(t.node.attribute("pos")); }},
      {.name = "Type",
       .get = [](TabStop2Object& t, Args) { return Value(IndexOf(kTabTypes, t.node.attribute("algn").value(), 1, 1)); }},
  };
  return table;
}

}  // namespace quillmere::engine
