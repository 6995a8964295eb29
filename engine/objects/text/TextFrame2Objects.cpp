#include "engine/objects/text/TextFrame2Objects.h"

#include <algorithm>
#include <string>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/format/ColorResolution.h"
#include "engine/model/format/EffectFormatting.h"
#include "engine/model/format/EffectPresets.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/text/LanguageIds.h"
#include "engine/model/text/ShapeText.h"
#include "engine/model/text/TextRuns.h"
#include "engine/model/text/TextStyles.h"
#include "engine/objects/format/ColorFormatObjects.h"
#include "engine/objects/format/FillFormatObjects.h"
#include "engine/objects/media/ActionSettingObjects.h"
#include "engine/objects/text/ClassicFontObjects.h"
#include "engine/objects/text/TextCharactersObjects.h"
#include "engine/objects/text/TextFrameLayoutMembers.h"
#include "support/text/Utf16Units.h"

namespace quillmere::engine {
namespace {

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

const TextStyleChain& Styles(const ShapeObject& s) { return s.doc->TextStylesOf(s.part, s.element); }

template <class RunFormat>
pugi::xml_attribute RunAttributeOf(const RunFormat& f, const char* name) {
  return RunAttribute(Styles(*f.shape), f.node, name);
}
template <class RunFormat>
pugi::xml_node RunElementOf(const RunFormat& f, std::initializer_list<std::string_view> names) {
  return RunElement(Styles(*f.shape), f.node, names);
}
template <class RunFormat>
pugi::xml_node RunEffect(const RunFormat& f, std::string_view name) {
  return ChildNamed(RunElementOf(f, {"effectLst"}), name);
}

using Span = TextRange2Object::Span;
using Counts = TextRange2Object::Counts;

std::vector<pugi::xml_node> ParagraphsOf(const pugi::xml_node& txBody) {
  std::vector<pugi::xml_node> paragraphs;
  ForEachChildNamed(txBody, "p", [&](const pugi::xml_node& p) { paragraphs.push_back(p); });
  return paragraphs;
}

// Another range of the same text, of the same flavour.
Value Derived(const TextRange2Object& r, std::vector<pugi::xml_node> paragraphs, std::vector<pugi::xml_node> runs,
              Span span, Counts counts) {
  return Value(std::make_shared<TextRange2Object>(r.Session(), r.shape, std::move(paragraphs), std::move(runs), span,
                                                  counts, r.flavour));
}

// Item i (1-based) of the paragraphs or runs of the range.
Value Item(const TextRange2Object& r, Counts counting, const Value& index) {
  bool paragraphs = counting == Counts::Paragraphs;
  int count = static_cast<int>(paragraphs ? r.paragraphs.size() : r.runs.size());
  auto i = static_cast<std::size_t>(CollectionIndex(index, count, paragraphs ? "TextRange2.Paragraphs" : "TextRange2.Runs") - 1);
  if (paragraphs) return Derived(r, {r.paragraphs[i]}, RunsOf({r.paragraphs[i]}), Span::Paragraph, Counts::Itself);
  return Derived(r, {r.runs[i].parent()}, {r.runs[i]}, Span::Run, Counts::Itself);
}

// Lines as the file knows them: the runs between the breaks of each paragraph.
// Where text wraps depends on drawing it, so a wrapped line counts as one.
std::vector<std::vector<pugi::xml_node>> LinesOf(const std::vector<pugi::xml_node>& paragraphs) {
  std::vector<std::vector<pugi::xml_node>> lines;
  for (const pugi::xml_node& paragraph : paragraphs) {
    lines.emplace_back();
    for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling()) {
      if (LocalName(c) == "br") lines.emplace_back();
      else if (IsTextRun(c)) lines.back().push_back(c);
    }
  }
  return lines;
}

// As for PowerPoint, a line past the last is the last line, and text without
// paragraphs has one empty line.
Value Line(TextRange2Object& r, const Value& index) {
  auto lines = LinesOf(r.paragraphs);
  if (lines.empty()) return Derived(r, {}, {}, Span::Line, Counts::Itself);
  int count = static_cast<int>(lines.size());
  auto i = static_cast<std::size_t>(CollectionIndex(Value(std::min(index.AsLong(), count)), count, "TextRange2.Lines") - 1);
  pugi::xml_node paragraph = lines[i].empty() ? r.paragraphs.front() : lines[i].front().parent();
  return Derived(r, {paragraph}, lines[i], Span::Line, Counts::Itself);
}

bool LastParagraph(const pugi::xml_node& paragraph) {
  for (pugi::xml_node next = paragraph.next_sibling(); next; next = next.next_sibling())
    if (LocalName(next) == "p") return false;
  return true;
}

// As PowerPoint shows it: a paragraph keeps its mark unless it ends the text.
std::string RangeText(const TextRange2Object& r) {
  if (r.span == Span::Run) return TextOfRun(r.runs.front());
  if (r.span == Span::Line) {
    std::string text;
    for (const pugi::xml_node& run : r.runs) text += TextOfRun(run);
    return text;
  }
  std::string text;
  for (std::size_t i = 0; i < r.paragraphs.size(); ++i) {
    if (i > 0) text += '\r';
    text += TextOfParagraph(r.paragraphs[i]);
  }
  if (r.span == Span::Paragraph && !LastParagraph(r.paragraphs.front())) text += '\r';
  return text;
}

// Where the range starts in its shape's whole text (1-based), counted as
// Characters counts: a run's range at its first run, a paragraph's where the
// end of the one before it leaves off.
int RangeStart(const TextRange2Object& r) {
  if (r.span == Span::WholeText || r.paragraphs.empty()) return 1;
  std::vector<pugi::xml_node> all = ParagraphsOf(Body(*r.shape));
  TextPieces text = PiecesOfParagraphs(all, false);
  bool byRun = r.span != Span::Paragraph && !r.runs.empty();
  std::ptrdiff_t paragraph = std::find(all.begin(), all.end(), r.paragraphs.front()) - all.begin(), ends = 0;
  for (std::size_t i = 0; i < text.pieces.size(); ++i) {
    if (byRun ? text.pieces[i].run == r.runs.front() : ends == paragraph) return static_cast<int>(text.starts[i]) + 1;
    if (!text.pieces[i].run && text.pieces[i].text == "\r") ++ends;
  }
  return static_cast<int>(text.starts.back()) + 1;
}

// An autoshape without text has no p:txBody until text is put in it; the
// body goes after the shape's properties and style, before its extension list.
pugi::xml_node TextBodyToFill(pugi::xml_node shape) {
  if (pugi::xml_node body = ChildNamed(shape, "txBody")) return body;
  const std::string name = NameLike(shape, "txBody");
  pugi::xml_node extLst = ChildNamed(shape, "extLst");
  pugi::xml_node body = extLst ? shape.insert_child_before(name.c_str(), extLst) : shape.append_child(name.c_str());
  body.append_child(DrawingName(body, "bodyPr").c_str());
  body.append_child(DrawingName(body, "lstStyle").c_str());
  return body;
}

void PutText(TextRange2Object& r, const Value& text) {
  if (r.span != Span::WholeText)
    throw ComError(hr::kInvalidArgument, std::string(r.TypeName()) + ".Text : Only the whole text can be replaced.");
  ReplaceBodyText(TextBodyToFill(r.shape->element), text.AsString());
  r.shape->doc->ShapesChanged(r.shape->part, NamesStay);
  r.paragraphs = ParagraphsOf(Body(*r.shape));
  r.runs = RunsOf(r.paragraphs);
}

// Characters(start, length), 1-based; an omitted start is the first
// character and an omitted length one character.
Value Characters(TextRange2Object& r, Args a) {
  int start = ArgAt(a, 0).IsEmpty() ? 1 : ArgAt(a, 0).AsLong();
  int length = ArgAt(a, 1).IsEmpty() ? 1 : ArgAt(a, 1).AsLong();
  if (start < 1 || length < 0) throw ComError(hr::kInvalidArgument, "TextRange2.Characters : Invalid request.");
  unsigned revision = r.shape->doc->TextRevision();
  if (!r.pieces || r.piecesRevision != revision) {
    bool wholeParagraphs = r.span == Span::WholeText || r.span == Span::Paragraph;
    r.pieces = wholeParagraphs ? PiecesOfParagraphs(r.paragraphs, r.span == Span::Paragraph && !LastParagraph(r.paragraphs.front()))
                               : PiecesOfRuns(r.runs);
    r.piecesRevision = revision;
  }
  return Value(std::make_shared<TextCharactersObject>(
      r.Session(), r.shape, CharactersOf(*r.pieces, static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length))));
}

template <class Format>
Value FormatOf(Font2Object& f) {
  return Value(std::make_shared<Format>(f.Session(), f.shape, f.node));
}

template <class RunFormat>
pugi::xml_node FillElement(const RunFormat& f) {
  return RunElementOf(f, {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"});
}

int FillType(const RunFillObject& f) {
  pugi::xml_node fill = FillElement(f);
  std::string_view kind = LocalName(fill);
  if (kind == "pattFill") return kPatternFill;
  if (kind == "gradFill") return kGradientFill;
  if (kind == "blipFill") return ChildNamed(fill, "tile") ? kTextureFill : kPictureFill;
  // Text is solid unless told otherwise.
  return kSolidFill;
}

// The stops of the characters' gradient, read where Type finds the fill;
// phClr in it stands for the shape style's font colour.
Value RunGradientStops(const RunFillObject& f) {
  std::shared_ptr<const RunFillObject> run = f.shared_from_this();
  auto source = std::make_shared<GradientSource>(GradientSource{
      .shape = f.shape,
      .gradient =
          [run] {
            pugi::xml_node fill = FillElement(*run);
            return LocalName(fill) == "gradFill" ? fill : pugi::xml_node();
          },
      .placeholderColor = [run] { return StyleReferenceColor(run->shape->element, "fontRef"); },
      .editStop = {}});
  return Value(std::make_shared<GradientStopsObject>(f.Session(), std::move(source)));
}

bool Outlined(const RunLineObject& f) {
  pugi::xml_node line = RunElementOf(f, {"ln"});
  return ChildNamed(line, "solidFill") || ChildNamed(line, "gradFill") || ChildNamed(line, "pattFill");
}

int UnderlineStyle(const Font2Object& f) {
  std::string_view u = RunAttributeOf(f, "u").value();
  for (std::size_t i = 0; i < kUnderlines.size(); ++i)
    if (kUnderlines[i] == u) return static_cast<int>(i);
  return 0;
}

Value Flag(const Font2Object& f, const char* attribute, std::string_view value) {
  return MsoBool(std::string_view(RunAttributeOf(f, attribute).value()) == value);
}

// What a shape style's font reference gives text that sets nothing itself,
// ahead of what the text inherits from its placeholder, master and defaults.
template <class RunFormat>
pugi::xml_node Styled(const RunFormat& f, std::initializer_list<std::string_view> names,
                      const std::function<pugi::xml_node()>& fromStyle) {
  const TextStyleChain& chain = Styles(*f.shape);
  if (pugi::xml_node own = RunElement(chain, f.node, names, Reach::Own)) return own;
  if (chain.fontReference)
    if (pugi::xml_node styled = fromStyle()) return styled;
  return RunElement(chain, f.node, names, Reach::Inherited);
}

// The typeface of one script ("latin", "ea", "cs") with theme fonts resolved;
// text that names none anywhere takes the theme's minor font.
std::string Typeface(const Font2Object& f, std::string_view script) {
  ShapeObject& s = *f.shape;
  std::string reference = std::string(std::string_view(Styles(s).fontReference.attribute("idx").value()) == "major"
                                           ? "+mj-"
                                           : "+mn-") +
                          std::string(script == "latin" ? "lt" : script);
  pugi::xml_document referenced;
  pugi::xml_node element = Styled(f, {script}, [&] {
    pugi::xml_node made = referenced.append_child("font");
    made.append_attribute("typeface") = reference.c_str();
    return made;
  });
  std::string_view typeface = element.attribute("typeface").value();
  return ResolvedTypeface(*s.doc, s.part, typeface.empty() ? std::string_view("+mn-lt") : typeface);
}

// The colour element of the text's fill: a solid fill's colour, a gradient's first stop.
pugi::xml_node FillColor(const pugi::xml_node& fill) {
  if (LocalName(fill) == "gradFill") return ColorChildOf(ChildNamed(ChildNamed(fill, "gsLst"), "gs"));
  return LocalName(fill) == "solidFill" ? ColorChildOf(fill) : pugi::xml_node();
}

template <class RunFormat>
pugi::xml_node TextColor(const RunFormat& f) {
  pugi::xml_node fill = Styled(f, {"noFill", "solidFill", "gradFill", "blipFill", "pattFill", "grpFill"},
                               [&] { return StyleReferenceColor(f.shape->element, "fontRef"); });
  return IsColorElement(fill) ? fill : FillColor(fill);
}

template <class RunFormat>
Value ColorOf(RunFormat& f, std::function<pugi::xml_node()> locate) {
  ShapeObject& s = *f.shape;
  ColorBinding binding;
  binding.locate = [locate = std::move(locate)] {
    ColorSource source;
    source.color = locate();
    return source;
  };
  return Value(std::make_shared<ColorFormatObject>(f.Session(), s.doc, s.part, std::move(binding)));
}

// Hundredths of a point (sz, kern, spc) in points.
Value Points(const Font2Object& f, const char* attribute, double absent) {
  pugi::xml_attribute a = RunAttributeOf(f, attribute);
  return Value(static_cast<float>(a ? a.as_double() / 100.0 : absent));
}

double Baseline(const Font2Object& f) { return RunAttributeOf(f, "baseline").as_double() / 100000.0; }

// Position of a token in a list of OOXML values: the PowerPoint enumeration value.
template <std::size_t N>
int Position(const std::array<std::string_view, N>& values, std::string_view token) {
  for (std::size_t i = 0; i < N; ++i)
    if (values[i] == token) return static_cast<int>(i);
  return 0;
}

constexpr double kDefaultSize = 18.0;
constexpr std::array<std::string_view, 3> kCaps{"none", "small", "all"};            // MsoTextCaps
constexpr std::array<std::string_view, 3> kStrikes{"noStrike", "sngStrike", "dblStrike"};  // MsoTextStrike

pugi::xml_node TextCameraRotation(const pugi::xml_node& bodyPr) {
  return ChildNamed(ChildNamed(ChildNamed(bodyPr, "scene3d"), "camera"), "rot");
}

Value TextRotation(const TextThreeDObject& t, const char* attribute) {
  return Value(static_cast<float>(TextCameraRotation(t.node).attribute(attribute).as_double() / kAngleUnit));
}

}  // namespace

const MemberTable<TextFrame2Object>& TextFrame2Object::Members() {
  static const MemberTable<TextFrame2Object> table = MemberTable<TextFrame2Object>{
      {.name = "TextRange",
       .get =
           [](TextFrame2Object& t, Args) { return Value(WholeTextOf(t.Session(), t.shape, TextFlavour::Modern)); }},
      {.name = "HasText", .get = [](TextFrame2Object& t, Args) { return MsoBool(!TextOfBody(Body(*t.shape)).empty()); }},
      {.name = "ThreeD",
       .get =
           [](TextFrame2Object& t, Args) {
             return Value(std::make_shared<TextThreeDObject>(t.Session(), t.shape, ChildNamed(Body(*t.shape), "bodyPr")));
           }},
      {.name = "Parent", .get = [](TextFrame2Object& t, Args) { return Value(t.shape); }},
  }.With(TextFrameLayoutMembers<TextFrame2Object>(true));
  return table;
}

namespace {

// PowerPoint 2003's TextFrame.TextRange is the same object under its older name.
[[maybe_unused]] const bool kClassicRangeRegistered = RegisterAlsoAnswers("TextRange", TextRange2Object::kTypeName);

}  // namespace

const MemberTable<TextRange2Object>& TextRange2Object::Members() {
  static const MemberTable<TextRange2Object> table{
      {.name = "Text",
       .get = [](TextRange2Object& r, Args) { return Value(RangeText(r)); },
       .put = [](TextRange2Object& r, Args, const Value& v) { PutText(r, v); }},
      {.name = "TrimText", .get = [](TextRange2Object& r, Args) { return Value(std::string(TrimmedText(RangeText(r)))); }},
      {.name = "Count",
       .get =
           [](TextRange2Object& r, Args) {
             if (r.counts == Counts::Itself) return Value(1);
             return Value(static_cast<int>(r.counts == Counts::Paragraphs ? r.paragraphs.size() : r.runs.size()));
           }},
      {.name = "Paragraphs",
       .get =
           [](TextRange2Object& r, Args a) {
             if (!ArgAt(a, 0).IsEmpty()) return Item(r, Counts::Paragraphs, ArgAt(a, 0));
             return Derived(r, r.paragraphs, r.runs, r.span, Counts::Paragraphs);
           }},
      {.name = "Runs",
       .get =
           [](TextRange2Object& r, Args a) {
             if (!ArgAt(a, 0).IsEmpty()) return Item(r, Counts::Runs, ArgAt(a, 0));
             return Derived(r, r.paragraphs, r.runs, r.span, Counts::Runs);
           }},
      {.name = "Item", .get = [](TextRange2Object& r, Args a) { return Item(r, r.counts, ArgAt(a, 0)); }},
      {.name = "Characters", .get = [](TextRange2Object& r, Args a) { return Characters(r, a); }},
      {.name = "Start", .get = [](TextRange2Object& r, Args) { return Value(RangeStart(r)); }},
      {.name = "Length",
       .get = [](TextRange2Object& r, Args) { return Value(static_cast<int>(Utf16Length(RangeText(r)))); }},
      {.name = "ActionSettings", .get = [](TextRange2Object& r, Args a) { return ActionSettingsOf(r, a); }},
      {.name = "Parent",
       .get =
           [](TextRange2Object& r, Args) {
             if (r.flavour == TextFlavour::Classic) return Value(std::make_shared<TextFrameObject>(r.Session(), r.shape));
             return Value(std::make_shared<TextFrame2Object>(r.Session(), r.shape));
           }},
      {.name = "Lines",
       .get =
           [](TextRange2Object& r, Args a) {
             return ArgAt(a, 0).IsEmpty() ? Value(r.shared_from_this()) : Line(r, ArgAt(a, 0));
           }},
      {.name = "LanguageID",
       .get =
           [](TextRange2Object& r, Args) {
             pugi::xml_node run = r.runs.empty() ? pugi::xml_node() : r.runs.front();
             const TextStyleChain& chain = r.shape->doc->TextStylesOf(r.shape->part, r.shape->element);
             return Value(LanguageIdOf(RunAttribute(chain, run, "lang").value()));
           }},
      {.name = "ParagraphFormat",
       .get =
           [](TextRange2Object& r, Args) {
             pugi::xml_node paragraph = r.paragraphs.size() == 1 ? r.paragraphs.front() : pugi::xml_node();
             return Value(std::make_shared<ParagraphFormat2Object>(r.Session(), r.shape, paragraph));
           }},
      {.name = "Font",
       .get =
           [](TextRange2Object& r, Args) {
             pugi::xml_node run = r.runs.size() == 1 ? r.runs.front() : pugi::xml_node();
             if (r.flavour == TextFlavour::Classic) return Value(std::make_shared<ClassicFontObject>(r.Session(), r.shape, run));
             return Value(std::make_shared<Font2Object>(r.Session(), r.shape, run));
           }},
      // The 2003 range tells its paragraphs' outline level itself; its
      // successor leaves that to the paragraph format.
      {.name = "IndentLevel",
       .get =
           [](TextRange2Object& r, Args) {
             if (r.flavour != TextFlavour::Classic) ThrowNotSupported();
             return Value(OutlineLevel(r.paragraphs.empty() ? pugi::xml_node() : r.paragraphs.front()) + 1);
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
      {.name = "Shadow", .get = [](Font2Object& f, Args) { return FormatOf<RunShadowObject>(f); }},
      // A WordArt style is a name for a mix of fill, outline and effects that
      // the file keeps only as its parts, which the other members read.
      {.name = "WordArtFormat", .get = [](Font2Object&, Args) { return Value(kMixedPreset); }},
      {.name = "Name", .get = [](Font2Object& f, Args) { return Value(Typeface(f, "latin")); }},
      {.name = "NameFarEast", .get = [](Font2Object& f, Args) { return Value(Typeface(f, "ea")); }},
      {.name = "NameComplexScript", .get = [](Font2Object& f, Args) { return Value(Typeface(f, "cs")); }},
      {.name = "Size", .get = [](Font2Object& f, Args) { return Points(f, "sz", kDefaultSize); }},
      {.name = "Bold", .get = [](Font2Object& f, Args) { return MsoBool(RunAttributeOf(f, "b").as_bool()); }},
      {.name = "Italic", .get = [](Font2Object& f, Args) { return MsoBool(RunAttributeOf(f, "i").as_bool()); }},
      {.name = "BaselineOffset", .get = [](Font2Object& f, Args) { return Value(static_cast<float>(Baseline(f))); }},
      {.name = "Subscript", .get = [](Font2Object& f, Args) { return MsoBool(Baseline(f) < 0); }},
      {.name = "Superscript", .get = [](Font2Object& f, Args) { return MsoBool(Baseline(f) > 0); }},
      {.name = "Kerning", .get = [](Font2Object& f, Args) { return Points(f, "kern", 0); }},
      {.name = "Spacing", .get = [](Font2Object& f, Args) { return Points(f, "spc", 0); }},
      {.name = "Caps", .get = [](Font2Object& f, Args) { return Value(Position(kCaps, RunAttributeOf(f, "cap").value())); }},
      {.name = "Strike",
       .get = [](Font2Object& f, Args) { return Value(Position(kStrikes, RunAttributeOf(f, "strike").value())); }},
      {.name = "UnderlineStyle", .get = [](Font2Object& f, Args) { return Value(UnderlineStyle(f)); }},
      {.name = "UnderlineColor",
       .get =
           [](Font2Object& f, Args) {
             return ColorOf(f, [f = f.shared_from_this()] {
               pugi::xml_node own = ColorChildOf(ChildNamed(RunElementOf(*f, {"uFill"}), "solidFill"));
               return own ? own : TextColor(*f);
             });
           }},
      {.name = "Highlight",
       .get =
           [](Font2Object& f, Args) {
             return ColorOf(f, [f = f.shared_from_this()] { return ColorChildOf(RunElementOf(*f, {"highlight"})); });
           }},
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
      {.name = "Type", .get = [](RunFillObject& f, Args) { return Value(FillType(f)); }},
      {.name = "ForeColor",
       .get = [](RunFillObject& f, Args) { return ColorOf(f, [f = f.shared_from_this()] { return TextColor(*f); }); }},
      {.name = "Visible",
       .get = [](RunFillObject& f, Args) { return MsoBool(LocalName(FillElement(f)) != "noFill"); }},
      {.name = "GradientStops", .sinceVersion = 12, .get = [](RunFillObject& f, Args) { return RunGradientStops(f); }},
  };
  return table;
}

template <>
const MemberTable<RunLineObject>& RunLineObject::Members() {
  static const MemberTable<RunLineObject> table{
      {.name = "Visible", .get = [](RunLineObject& f, Args) { return MsoBool(Outlined(f)); }},
  };
  return table;
}

template <>
const MemberTable<RunGlowObject>& RunGlowObject::Members() {
  static const MemberTable<RunGlowObject> table{
      {.name = "Radius",
       .get =
           [](RunGlowObject& f, Args) {
             return Value(static_cast<float>(RunEffect(f, "glow").attribute("rad").as_double() / kEmuPerPoint));
           }},
  };
  return table;
}

template <>
const MemberTable<RunReflectionObject>& RunReflectionObject::Members() {
  static const MemberTable<RunReflectionObject> table{
      {.name = "Type",
       .get = [](RunReflectionObject& f, Args) { return Value(ReflectionType(RunEffect(f, "reflection"))); }},
  };
  return table;
}

template <>
const MemberTable<RunShadowObject>& RunShadowObject::Members() {
  static const MemberTable<RunShadowObject> table{
      {.name = "Visible",
       .get =
           [](RunShadowObject& f, Args) {
             pugi::xml_node effects = RunElementOf(f, {"effectLst"});
             return MsoBool(ChildNamed(effects, "outerShdw") || ChildNamed(effects, "innerShdw") ||
                            ChildNamed(effects, "prstShdw"));
           }},
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

std::shared_ptr<TextRange2Object> WholeTextOf(std::shared_ptr<EngineSession> session, std::shared_ptr<ShapeObject> shape,
                                              TextFlavour flavour) {
  std::vector<pugi::xml_node> paragraphs = ParagraphsOf(Body(*shape));
  std::vector<pugi::xml_node> runs = RunsOf(paragraphs);
  return std::make_shared<TextRange2Object>(std::move(session), std::move(shape), std::move(paragraphs), std::move(runs),
                                            Span::WholeText, Counts::Itself, flavour);
}

}  // namespace quillmere::engine
