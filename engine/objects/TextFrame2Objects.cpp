#include "engine/objects/TextFrame2Objects.h"

#include <string>

#include "engine/model/EffectFormatting.h"
#include "engine/model/EffectPresets.h"
#include "engine/model/ShapeText.h"
#include "engine/model/TextRuns.h"
#include "engine/model/XmlNames.h"

namespace quillmere::engine {
namespace {

constexpr double kEmuPerPoint = 12700.0;
constexpr double kAngleUnit = 60000.0;

// MsoFillType values a run's characters can have.
constexpr int kSolidFill = 1;
constexpr int kPatternFill = 2;
constexpr int kGradientFill = 3;
constexpr int kTextureFill = 4;
constexpr int kPictureFill = 6;

// MsoTextUnderlineType, in order from 0 (the OOXML u values).
constexpr std::array<std::string_view, 18> kUnderlines{
    "none",   "words",         "sng",      "dbl",         "heavy",         "dotted",
    "dottedHeavy", "dash",     "dashHeavy", "dashLong",   "dashLongHeavy", "dotDash",
    "dotDashHeavy", "dotDotDash", "dotDotDashHeavy", "wavy", "wavyHeavy",   "wavyDbl"};

pugi::xml_node Body(const ShapeObject& s) { return ChildNamed(s.element, "txBody"); }
pugi::xml_node Properties(const pugi::xml_node& run) { return ChildNamed(run, "rPr"); }
pugi::xml_node RunEffect(const pugi::xml_node& run, std::string_view name) {
  return ChildNamed(ChildNamed(Properties(run), "effectLst"), name);
}

std::string RunText(const pugi::xml_node& run) { return ChildNamed(run, "t").text().get(); }

Value RangeOf(TextRange2Object& r, std::vector<pugi::xml_node> runs) {
  return Value(std::make_shared<TextRange2Object>(r.Session(), r.shape, std::move(runs), false));
}

template <class Format>
Value FormatOf(Font2Object& f) {
  return Value(std::make_shared<Format>(f.Session(), f.shape, f.node));
}

int FillType(const pugi::xml_node& run) {
  for (pugi::xml_node c = Properties(run).first_child(); c; c = c.next_sibling()) {
    std::string_view kind = LocalName(c);
    if (kind == "pattFill") return kPatternFill;
    if (kind == "gradFill") return kGradientFill;
    if (kind == "blipFill") return ChildNamed(c, "tile") ? kTextureFill : kPictureFill;
  }
  // Solid whether set here or inherited from the text styles, as text is unless told otherwise.
  return kSolidFill;
}

bool Outlined(const pugi::xml_node& run) {
  pugi::xml_node line = ChildNamed(Properties(run), "ln");
  return ChildNamed(line, "solidFill") || ChildNamed(line, "gradFill") || ChildNamed(line, "pattFill");
}

int UnderlineStyle(const pugi::xml_node& run) {
  std::string_view u = Properties(run).attribute("u").value();
  for (std::size_t i = 0; i < kUnderlines.size(); ++i)
    if (kUnderlines[i] == u) return static_cast<int>(i);
  return 0;
}

Value Flag(const Font2Object& f, const char* attribute, std::string_view value) {
  return MsoBool(std::string_view(Properties(f.node).attribute(attribute).value()) == value);
}

pugi::xml_node TextCameraRotation(const pugi::xml_node& bodyPr) {
  return ChildNamed(ChildNamed(ChildNamed(bodyPr, "scene3d"), "camera"), "rot");
}

Value TextRotation(const TextThreeDObject& t, const char* attribute) {
  return Value(static_cast<float>(TextCameraRotation(t.node).attribute(attribute).as_double() / kAngleUnit));
}

}  // namespace

const MemberTable<TextFrame2Object>& TextFrame2Object::Members() {
  static const MemberTable<TextFrame2Object> table{
      {.name = "TextRange",
       .get =
           [](TextFrame2Object& t, Args) {
             return Value(std::make_shared<TextRange2Object>(t.Session(), t.shape, RunsOf(Body(*t.shape)), true));
           }},
      {.name = "HasText", .get = [](TextFrame2Object& t, Args) { return MsoBool(!TextOfBody(Body(*t.shape)).empty()); }},
      {.name = "ThreeD",
       .get =
           [](TextFrame2Object& t, Args) {
             return Value(std::make_shared<TextThreeDObject>(t.Session(), t.shape, ChildNamed(Body(*t.shape), "bodyPr")));
           }},
      {.name = "Parent", .get = [](TextFrame2Object& t, Args) { return Value(t.shape); }},
  };
  return table;
}

const MemberTable<TextRange2Object>& TextRange2Object::Members() {
  static const MemberTable<TextRange2Object> table{
      {.name = "Text",
       .get =
           [](TextRange2Object& r, Args) {
             if (r.wholeText) return Value(TextOfBody(Body(*r.shape)));
             std::string text;
             for (const pugi::xml_node& run : r.runs) text += RunText(run);
             return Value(text);
           }},
      {.name = "Count", .get = [](TextRange2Object& r, Args) { return Value(static_cast<int>(r.runs.size())); }},
      {.name = "Runs",
       .get =
           [](TextRange2Object& r, Args a) {
             if (ArgAt(a, 0).IsEmpty()) return RangeOf(r, r.runs);
             int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(r.runs.size()), "TextRange2.Runs");
             return RangeOf(r, {r.runs[static_cast<std::size_t>(i - 1)]});
           }},
      {.name = "Item",
       .get =
           [](TextRange2Object& r, Args a) {
             int i = CollectionIndex(ArgAt(a, 0), static_cast<int>(r.runs.size()), "TextRange2.Item");
             return RangeOf(r, {r.runs[static_cast<std::size_t>(i - 1)]});
           }},
      {.name = "Font",
       .get =
           [](TextRange2Object& r, Args) {
             pugi::xml_node run = r.runs.size() == 1 ? r.runs.front() : pugi::xml_node();
             return Value(std::make_shared<Font2Object>(r.Session(), r.shape, run));
           }},
  };
  return table;
}

template <>
const MemberTable<Font2Object>& Font2Object::Members() {
  static const MemberTable<Font2Object> table{
      {.name = "Fill", .get = [](Font2Object& f, Args) { return FormatOf<RunFillObject>(f); }},
      {.name = "Line", .get = [](Font2Object& f, Args) { return FormatOf<RunLineObject>(f); }},
      {.name = "Glow", .get = [](Font2Object& f, Args) { return FormatOf<RunGlowObject>(f); }},
      {.name = "Reflection", .get = [](Font2Object& f, Args) { return FormatOf<RunReflectionObject>(f); }},
      // A WordArt style is a name for a mix of fill, outline and effects that
      // the file keeps only as its parts, which the other members read.
      {.name = "WordArtFormat", .get = [](Font2Object&, Args) { return Value(kMixedPreset); }},
      {.name = "UnderlineStyle", .get = [](Font2Object& f, Args) { return Value(UnderlineStyle(f.node)); }},
      // Equal character heights are a WordArt option of the binary format; runs in a package have none.
      {.name = "Equalize", .get = [](Font2Object&, Args) { return MsoBool(false); }},
      {.name = "Smallcaps", .get = [](Font2Object& f, Args) { return Flag(f, "cap", "small"); }},
      {.name = "Allcaps", .get = [](Font2Object& f, Args) { return Flag(f, "cap", "all"); }},
      {.name = "Strikethrough", .get = [](Font2Object& f, Args) { return Flag(f, "strike", "sngStrike"); }},
      {.name = "DoubleStrikeThrough", .get = [](Font2Object& f, Args) { return Flag(f, "strike", "dblStrike"); }},
  };
  return table;
}

template <>
const MemberTable<RunFillObject>& RunFillObject::Members() {
  static const MemberTable<RunFillObject> table{
      {.name = "Type", .get = [](RunFillObject& f, Args) { return Value(FillType(f.node)); }},
      {.name = "Visible",
       .get = [](RunFillObject& f, Args) { return MsoBool(!ChildNamed(Properties(f.node), "noFill")); }},
  };
  return table;
}

template <>
const MemberTable<RunLineObject>& RunLineObject::Members() {
  static const MemberTable<RunLineObject> table{
      {.name = "Visible", .get = [](RunLineObject& f, Args) { return MsoBool(Outlined(f.node)); }},
  };
  return table;
}

template <>
const MemberTable<RunGlowObject>& RunGlowObject::Members() {
  static const MemberTable<RunGlowObject> table{
      {.name = "Radius",
       .get =
           [](RunGlowObject& f, Args) {
             return Value(static_cast<float>(RunEffect(f.node, "glow").attribute("rad").as_double() / kEmuPerPoint));
           }},
  };
  return table;
}

template <>
const MemberTable<RunReflectionObject>& RunReflectionObject::Members() {
  static const MemberTable<RunReflectionObject> table{
      {.name = "Type",
       .get = [](RunReflectionObject& f, Args) { return Value(ReflectionType(RunEffect(f.node, "reflection"))); }},
  };
  return table;
}

template <>
const MemberTable<TextThreeDObject>& TextThreeDObject::Members() {
  static const MemberTable<TextThreeDObject> table{
      {.name = "Visible",
       .get =
           [](TextThreeDObject& t, Args) {
             return MsoBool(Looks3D(ChildNamed(t.node, "scene3d"), ChildNamed(t.node, "sp3d")));
           }},
      {.name = "RotationX", .get = [](TextThreeDObject& t, Args) { return TextRotation(t, "lon"); }},
      {.name = "RotationY", .get = [](TextThreeDObject& t, Args) { return TextRotation(t, "lat"); }},
      {.name = "RotationZ", .get = [](TextThreeDObject& t, Args) { return TextRotation(t, "rev"); }},
  };
  return table;
}

}  // namespace quillmere::engine
