// The symbol-font repair of the text writer against a scripted PowerPoint
// that puts rich text on the clipboard when characters are copied.

#include "shapes/SymbolFonts.h"
#include "shapes/TextProperties.h"
#include "support/platform/Clipboard.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

// "a", a right quote (other ANSI code), "é" (same code) and a Wingdings symbol.
const std::string kText = "a\u2019\u00e9\uF0E0";

class SymbolFontsTest : public ShapeWriterTest {
 protected:
  // A shape whose text range copies characters as PowerPoint does: the symbol
  // character (position 4) comes with a SYMBOL field naming its font.
  FakePtr TextShape(int major, int language) {
    Use(major);
    auto range = Props(Make("TextRange"), "LanguageID", language, "Text", kText);
    range->On("Characters", [this](Args a) {
      int position = a[0].AsLong();
      copied.push_back(position);
      auto font = fonts.emplace_back(Props(Make("Font"), "Name", "Calibri"));
      auto character = Props(Make("TextRange"), "Font", Dispatched(font));
      character->On("Copy", [this, position](Args) {
        if (position == 2 && busyCopies-- > 0) throw ComError(hr::kCallRejected, "Call was rejected by callee.");
        CustomClipboard clipboard;
        clipboard.ClipboardOpen();
        clipboard.ClearClipboard();
        std::string rtf = position == 4 ? R"({\rtf1{\field{\*\fldinst SYMBOL 224 \\f "Wingdings" \\s 18}{\fldrslt x}}})"
                                        : R"({\rtf1{\f0 \u8217?}})";
        clipboard.SetTextData(clipboard.AddFormat(kRichTextFormat), rtf);
        return Value();
      });
      return Dispatched(character);
    });
    const char* frame = major >= 12 ? "TextFrame2" : "TextFrame";
    return Props(Shape(1, 1, "Text"), frame, Dispatched(Props(Make(frame), "TextRange", Dispatched(range))));
  }
  std::vector<std::string> NamesPut() {
    std::vector<std::string> names;
    for (const FakePtr& font : fonts)
      for (const Value& v : font->Puts("Name")) names.push_back(v.AsString());
    return names;
  }
  int busyCopies = 1;
  std::vector<int> copied;
  std::vector<FakePtr> fonts;
  pugi::xml_document doc;
};

TEST_F(SymbolFontsTest, OnlyCharactersWithAnotherAnsiCodeAreCopiedAndOnlyNamedSymbolFontsSet) {
  for (int major : {11, 14}) {
    copied.clear();
    fonts.clear();
    busyCopies = 1;
    FakePtr shape = TextShape(major, 1033);
    TextRangeProperties(context, Object(shape), doc.append_child("Shape"), "TextRange");
    EXPECT_EQ(copied, (std::vector<int>{2, 2, 4})) << major;  // the quote's copy was busy once and retried
    EXPECT_EQ(sleeper->waits, std::vector<long long>{1500}) << major;
    EXPECT_EQ(NamesPut(), std::vector<std::string>{"Wingdings"}) << major;
    CustomClipboard clipboard;
    EXPECT_FALSE(clipboard.IsDataAvailableForFormat(clipboard.AddFormat(kRichTextFormat))) << "left on the clipboard";
  }
  // Japanese text is left as it is.
  copied.clear();
  TextRangeProperties(context, Object(TextShape(14, 1041)), doc.append_child("Shape"), "TextRange");
  EXPECT_TRUE(copied.empty());
}

TEST_F(SymbolFontsTest, TheFontNameNeedsTheFieldTheSwitchAndBothQuotes) {
  auto onClipboard = [](const std::string& rtf) {
    CustomClipboard clipboard;
    clipboard.ClipboardOpen();
    clipboard.SetTextData(clipboard.AddFormat(kRichTextFormat), rtf);
    clipboard.ClipboardClose();
    return SymbolFontFromClipboard();
  };
  EXPECT_EQ(onClipboard(R"({\*\fldinst SYMBOL 183 \\f "Symbol" \\s 12})"), "Symbol");
  EXPECT_EQ(onClipboard(R"({\*\fldinst HYPERLINK "x" \\f "Symbol"})"), "");
  EXPECT_EQ(onClipboard(R"({\*\fldinst SYMBOL 183 \f "Symbol"})"), "");
  EXPECT_EQ(onClipboard(R"({\*\fldinst SYMBOL 183 \\f "Symbol})"), "");
  // A second holder cannot open the clipboard while the first has it.
  CustomClipboard first, second;
  ASSERT_TRUE(first.ClipboardOpen());
  EXPECT_FALSE(second.ClipboardOpen());
  first.ClipboardClose();
  EXPECT_TRUE(second.ClipboardOpen());
}

}  // namespace
}  // namespace quillmere::testing
