#include "engine/objects/text/TextCharactersObjects.h"

#include "engine/model/format/ThemeStyles.h"
#include "engine/model/text/RichText.h"
#include "engine/model/text/ShapeText.h"
#include "engine/model/text/TextStyles.h"
#include "engine/objects/text/TextFrame2Objects.h"
#include "support/platform/Clipboard.h"
#include "support/text/Utf16Units.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kSymbolCharset = "2";

Value FontMember(TextCharactersObject& c, const pugi::xml_node& run, std::string_view member) {
  auto font = std::make_shared<Font2Object>(c.Session(), c.shape, run);
  return font->Invoke(InvokeKind::Get, member, {});
}

// The typeface the run's symbol characters are drawn in: its a:sym, else its
// letters' typeface when that is a symbol font.
std::string SymbolTypeface(TextCharactersObject& c, const pugi::xml_node& run) {
  ShapeObject& s = *c.shape;
  const TextStyleChain& chain = s.doc->TextStylesOf(s.part, s.element);
  if (pugi::xml_node sym = RunElement(chain, run, {"sym"}))
    return ResolvedTypeface(*s.doc, s.part, sym.attribute("typeface").value());
  pugi::xml_node latin = RunElement(chain, run, {"latin"});
  if (std::string_view(latin.attribute("charset").value()) == kSymbolCharset)
    return ResolvedTypeface(*s.doc, s.part, latin.attribute("typeface").value());
  return {};
}

const RunFonts& FontsOfRun(TextCharactersObject& c, const pugi::xml_node& run) {
  PresentationDocument& doc = *c.shape->doc;
  if (const RunFonts* kept = doc.KeptRunFonts(run)) return *kept;
  return doc.KeepRunFonts(run, {FontMember(c, run, "Name").AsString(), SymbolTypeface(c, run),
                                FontMember(c, run, "Size").AsDouble()});
}

std::string RichText(TextCharactersObject& c) {
  std::vector<RichTextRun> runs;
  for (const RunSlice& slice : c.span.slices) {
    std::string text = TextOfRun(slice.run);
    const RunFonts& fonts = FontsOfRun(c, slice.run);
    runs.push_back({std::string(Utf16Slice(text, slice.offset, slice.offset + slice.length)), fonts.name,
                    fonts.symbolTypeface, fonts.size});
  }
  return RichTextOf(runs);
}

void CopyToClipboard(TextCharactersObject& c) {
  std::string rtf = RichText(c);
  CustomClipboard clipboard;
  if (!clipboard.ClipboardOpen()) throw ComError(hr::kUnspecified, "TextRange2.Copy : The clipboard is in use.");
  clipboard.ClearClipboard();
  clipboard.SetTextData(clipboard.AddFormat(kRichTextFormat), rtf);
}

// The characters' font: it reads as the font of their first run, and a new
// name cuts the runs so that it applies to these characters alone.
class CharactersFontObject final : public Dispatch {
 public:
  explicit CharactersFontObject(std::shared_ptr<TextCharactersObject> chars) : chars_(std::move(chars)) {}
  Value Invoke(InvokeKind kind, std::string_view member, Args args) override {
    TextCharactersObject& c = *chars_;
    if (kind == InvokeKind::Put && LowerAscii(member) == "name" && !args.empty()) {
      std::string typeface = args.back().AsString();
      std::vector<RunSlice> isolated;
      for (pugi::xml_node run : IsolateSlices(c.span.slices)) {
        SetRunTypeface(run, typeface);
        isolated.push_back({run, 0, Utf16Length(TextOfRun(run))});
      }
      c.span.slices = std::move(isolated);
      c.shape->doc->TextChanged(c.shape->part);
      return {};
    }
    pugi::xml_node first = c.span.slices.empty() ? pugi::xml_node() : c.span.slices.front().run;
    return std::make_shared<Font2Object>(c.Session(), c.shape, first)->Invoke(kind, member, args);
  }
  std::string_view TypeName() const override { return "Font2"; }

 private:
  std::shared_ptr<TextCharactersObject> chars_;
};

}  // namespace

const MemberTable<TextCharactersObject>& TextCharactersObject::Members() {
  static const MemberTable<TextCharactersObject> table{
      {.name = "Text", .get = [](TextCharactersObject& c, Args) { return Value(c.span.text); }},
      {.name = "Length",
       .get = [](TextCharactersObject& c, Args) { return Value(static_cast<int>(Utf16Length(c.span.text))); }},
      {.name = "Font",
       .get = [](TextCharactersObject& c, Args) { return Value(std::make_shared<CharactersFontObject>(c.shared_from_this())); }},
      {.name = "Copy",
       .call =
           [](TextCharactersObject& c, Args) {
             CopyToClipboard(c);
             return Value();
           }},
      {.name = "Parent", .get = [](TextCharactersObject& c, Args) { return Value(c.shape); }},
  };
  return table;
}

}  // namespace quillmere::engine
