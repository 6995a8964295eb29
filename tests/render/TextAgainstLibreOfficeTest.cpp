// The engine's text, read through the object model as the writers read it,
// against LibreOffice's own reading of decks from several tools: each shape's
// and cell's text, and the size, font and bullet of each paragraph's first run.
// The renderer's "text" reply survives its trip through one protocol line.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <sstream>

#include "engine/EngineRuntime.h"
#include "engine/render/PageTextWords.h"
#include "engine/render/RenderProtocol.h"
#include "engine/render/SlideRenderer.h"
#include "objectmodel/automation/ComError.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

using engine::renderprotocol::ShapeText;

constexpr const char* kDecks[] = {
    "poi__stress021.pptx",              // Hebrew right-to-left text, CJK, tables, numbering
    "poi__stress022.pptx",              // French and CJK, tabs, autofit
    "poi__with_japanese.pptx",          // Japanese with theme fonts, a table
    "poi__ececapstonespring2012.pptx",  // written by LibreOffice: bullets in every shape
    "poi__pptx2svg.pptx",               // Mac PowerPoint: bullets, autofit
    "pptx__txt-font-props.pptx",        // mixed fonts and sizes in runs
    "pptx__tbl-cell.pptx",              // table cells with their own formatting
    "poi__45541_Footer.pptx",           // an older PowerPoint: tabs, footers
    "poi__bug62513.pptx",               // numbered lists, autofit
    "poi__aptia.pptx",                  // numbered and bulleted lists, a table
    "poi__customGeo.pptx",              // hyperlinks, a built-in table style, theme fonts
};

constexpr int kUnnumbered = 1, kNumbered = 2, kPicture = 3;  // MsoBulletType
constexpr int kGroup = 6, kPlaceholder = 14;                 // MsoShapeType
constexpr int kSlideNumber = 13, kFooter = 15, kDate = 16;   // PpPlaceholderType

struct EngineParagraph {
  std::optional<double> size;  // of the first run; none without runs
  std::string font;            // of the first run
  bool empty = true;           // nothing but spaces and line breaks
  int bulletType = 0;
  int character = 0;
  std::string bulletFont;
};

struct EngineText {
  std::string name;
  int row = -1, column = -1;
  std::string text;
  std::vector<EngineParagraph> paragraphs;
};

// Runs of spaces, tabs, paragraph marks and line breaks as one space, trimmed.
std::string Normalised(std::string_view text) {
  std::string out;
  bool space = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v') {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

// LibreOffice makes a field of hyperlinked text and shows its own value for
// a field (the slide number it counts, today's date) where the engine answers
// the text the file keeps; a field matches any text.
bool MatchesWithFields(const std::string& engineText, const std::string& office) {
  std::vector<std::string> pieces;
  for (std::size_t start = 0;;) {
    std::size_t mark = office.find(engine::renderprotocol::kFieldMark, start);
    pieces.push_back(Normalised(office.substr(start, mark - start)));
    if (mark == std::string::npos) break;
    start = mark + engine::renderprotocol::kFieldMark.size();
  }
  if (pieces.size() == 1) return engineText == pieces[0];
  if (!engineText.starts_with(pieces.front()) || !engineText.ends_with(pieces.back())) return false;
  std::size_t at = pieces.front().size();
  for (std::size_t i = 1; i + 1 < pieces.size(); ++i) {
    at = engineText.find(pieces[i], at);
    if (at == std::string::npos) return false;
    at += pieces[i].size();
  }
  return at + pieces.back().size() <= engineText.size();
}

bool SymbolFont(const std::string& font) {
  for (const char* name : {"Wingdings", "Symbol", "Webdings"})
    if (font.starts_with(name)) return true;
  return false;
}

// A symbol font's bullet is the character the file names, which
// Bullet.Character answers; LibreOffice moves it to the private-use code
// point where symbol fonts keep their glyphs: U+F000 plus the character
// below 256, else the font's own code for that glyph.
bool SameSymbolBullet(int character, int office) {
  constexpr int kSymbolCodes = 0xF000;
  if (character < 0x100) return office == kSymbolCodes + character;
  return office >= kSymbolCodes && office < kSymbolCodes + 0x100;
}

EngineText ReadFrame(const Object& holder, std::string name, int row, int column) {
  EngineText out{std::move(name), row, column, holder.Child("TextFrame").Child("TextRange").Get("Text").AsString(), {}};
  Object range = holder.Child("TextFrame2").Child("TextRange");
  for (int i = 1, n = range.Child("Paragraphs").Count(); i <= n; ++i) {
    Object paragraph = range.Child("Paragraphs", i);
    EngineParagraph look;
    look.empty = Normalised(paragraph.Get("Text").AsString()).empty();
    if (paragraph.Child("Runs").Count() > 0) {
      Object font = paragraph.Child("Runs", 1).Child("Font");
      look.size = font.Get("Size").AsDouble();
      look.font = font.Get("Name").AsString();
    }
    Object bullet = paragraph.Child("ParagraphFormat").Child("Bullet");
    look.bulletType = bullet.Get("Type").AsLong();
    look.character = bullet.Get("Character").AsLong();
    look.bulletFont = bullet.Child("Font").Get("Name").AsString();
    out.paragraphs.push_back(look);
  }
  return out;
}

// LibreOffice turns a slide's date, footer and slide number placeholders
// into settings of the page rather than shapes of it.
bool PageSetting(const Object& shape) {
  if (shape.Get("Type").AsLong() != kPlaceholder) return false;
  int type = shape.Child("PlaceholderFormat").Get("Type").AsLong();
  return type == kSlideNumber || type == kFooter || type == kDate;
}

void CollectTexts(const Object& shape, std::vector<EngineText>& out) {
  std::string name = shape.Get("Name").AsString();
  if (PageSetting(shape)) return;
  if (shape.Get("Type").AsLong() == kGroup) {
    Object items = shape.Child("GroupItems");
    for (int i = 1; i <= items.Count(); ++i) CollectTexts(items.Item(i), out);
  } else if (shape.Get("HasTable").AsBool()) {
    Object table = shape.Child("Table");
    for (int r = 1, rows = table.Child("Rows").Count(); r <= rows; ++r)
      for (int c = 1, columns = table.Child("Columns").Count(); c <= columns; ++c)
        out.push_back(ReadFrame(table.Child("Cell", r, c).Child("Shape"), name, r - 1, c - 1));
  } else if (shape.Get("HasTextFrame").AsBool()) {
    out.push_back(ReadFrame(shape, name, -1, -1));
  }
}

class TextAgainstLibreOfficeTest : public RendererTest {
 protected:
  void Disagree(const std::string& where, const std::string& what) { disagreements_.push_back(where + ": " + what); }

  void CompareParagraph(const std::string& where, const EngineParagraph& p,
                        const engine::renderprotocol::ParagraphLook& office) {
    ++paragraphs_;
    // LibreOffice drops empty runs and sizes a paragraph without text by its
    // end mark; PowerPoint's first run there is what the file's first run
    // (or line break) sets, as the engine answers.
    bool sizeMatches = !p.size || p.empty || std::abs(*p.size - office.size) < 0.05;
    if (!sizeMatches) Disagree(where, "size " + std::to_string(*p.size) + " vs " + std::to_string(office.size));
    if (p.size && !p.empty && p.font != office.font) Disagree(where, "font " + p.font + " vs " + office.font);
    int expected = p.bulletType == kUnnumbered ? p.character
                   : p.bulletType == kNumbered ? engine::renderprotocol::kNumbered
                   : p.bulletType == kPicture  ? engine::renderprotocol::kPictureBullet
                                               : 0;
    // No bullet is drawn before an empty paragraph; PowerPoint still answers
    // the bullet format it has, LibreOffice takes the bullet away.
    if (p.empty && office.bullet == 0) return;
    if (p.bulletType == kUnnumbered && SymbolFont(p.bulletFont) && SameSymbolBullet(p.character, office.bullet)) return;
    if (expected != office.bullet)
      Disagree(where, "bullet type " + std::to_string(p.bulletType) + " char " + std::to_string(expected) + " vs " +
                          std::to_string(office.bullet));
  }

  void Compare(const std::string& where, const EngineText& mine, const ShapeText& office) {
    ++shapes_;
    std::string text = Normalised(mine.text);
    if (!MatchesWithFields(text, Normalised(office.text)))
      Disagree(where, "text [" + text + "] vs [" + office.text + "]");
    // A shape without a text body has no paragraphs; LibreOffice gives
    // every shape that can hold text one empty paragraph.
    if (mine.paragraphs.empty() && office.paragraphs.size() == 1 && office.text.empty()) return;
    if (mine.paragraphs.size() != office.paragraphs.size()) {
      Disagree(where,
               std::to_string(mine.paragraphs.size()) + " paragraphs vs " + std::to_string(office.paragraphs.size()));
      return;
    }
    for (std::size_t i = 0; i < mine.paragraphs.size(); ++i)
      CompareParagraph(where + " paragraph " + std::to_string(i + 1), mine.paragraphs[i], office.paragraphs[i]);
  }

  void CompareSlide(const std::string& where, const Object& slide, const std::vector<ShapeText>& office) {
    std::vector<EngineText> mine;
    Object shapes = slide.Child("Shapes");
    for (int i = 1; i <= shapes.Count(); ++i) CollectTexts(shapes.Item(i), mine);
    // Shapes are matched by name, and shapes of one name in z-order: the
    // two readers need not count a page's shapes alike.
    std::map<std::string, int> seen;
    for (const EngineText& text : mine) {
      std::string at = where + " \"" + text.name + "\"" +
                       (text.row < 0 ? "" : " cell " + std::to_string(text.row) + "," + std::to_string(text.column));
      int wanted = seen[at]++;
      const ShapeText* match = nullptr;
      for (const ShapeText& candidate : office)
        if (candidate.name == text.name && candidate.row == text.row && candidate.column == text.column &&
            wanted-- == 0) {
          match = &candidate;
          break;
        }
      if (!match) {
        unmatched_.push_back(at);
        continue;
      }
      Compare(at, text, *match);
    }
  }

  std::vector<std::string> disagreements_, unmatched_;
  int shapes_ = 0, paragraphs_ = 0;
};

TEST_F(TextAgainstLibreOfficeTest, EngineTextFontsAndBulletsMatchLibreOffice) {
  engine::SlideRenderer renderer;
  Object app = engine::EngineRuntime(engine::EngineOptions{14}).CreateObject("PowerPoint.Application");
  for (const char* deck : kDecks) {
    std::string file = std::string(QUILLMERE_CORPUS_DIR) + "/" + deck;
    renderer.Load(file, "1");
    Object pres = app.Child("Presentations").Call("Open", file, -1, -1, 0);
    Object slides = pres.Child("Slides");
    ASSERT_EQ(renderer.PageCount(), slides.Count()) << deck;
    for (int s = 1; s <= slides.Count(); ++s)
      CompareSlide(std::string(deck) + " slide " + std::to_string(s), slides.Item(s), renderer.PageText(s - 1));
    pres.Call("Close");
  }
  renderer.Shutdown();
  std::ostringstream report;
  for (const std::string& d : disagreements_) report << d << "\n";
  EXPECT_TRUE(disagreements_.empty()) << disagreements_.size() << " disagreements:\n" << report.str();
  std::ostringstream missing;
  for (const std::string& u : unmatched_) missing << u << "\n";
  EXPECT_TRUE(unmatched_.empty()) << missing.str();
  EXPECT_GT(shapes_, 300);
  EXPECT_GT(paragraphs_, 1000);
}

TEST(PageTextWordsTest, ShapesSurviveOneReplyLineAndBrokenRepliesAreRefused) {
  using namespace engine::renderprotocol;
  std::vector<ShapeText> shapes{
      {{3, 0},
       -1,
       -1,
       "Title \"quoted\"",
       "first\nsecond\twith tab\n",
       {{18, "Arial", 8226}, {10.5, "MS PGothic", kNumbered}, {24, "", 0}}},
      {{5}, 2, 1, "Table 1", "", {}},
      {{7}, -1, -1, "", std::string("page ") + std::string(kFieldMark), {{12, "Calibri", kPictureBullet}}}};
  std::string line = JoinWords(PageTextWords(shapes));
  EXPECT_EQ(line.find('\n'), std::string::npos);
  std::optional<std::vector<std::string>> words = SplitWords(line);
  ASSERT_TRUE(words);
  EXPECT_EQ(PageTextFromWords(*words), shapes);
  EXPECT_EQ(PageTextFromWords({}), std::vector<ShapeText>{});

  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text"}));                           // a word short
  EXPECT_FALSE(PageTextFromWords({"1.x", "-", "name", "text", "0"}));                    // a path that is no number
  EXPECT_FALSE(PageTextFromWords({"1", "2", "name", "text", "0"}));                      // a cell without its column
  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text", "2", "18", "Arial", "0"}));  // a paragraph short
  EXPECT_FALSE(PageTextFromWords({"1", "-", "name", "text", "1", "18", "Arial", "•"}));  // a bullet not as a number
}

}  // namespace
}  // namespace quillmere::testing
