#include "slides/ThemeTables.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quillmere {
namespace {

struct ColorRow {
  std::string_view name;
  // Dark1, Light1, Dark2, Light2, Accent1..6, Hyperlink, FollowedHyperlink
  std::array<std::int32_t, 12> colors;
};

// The built-in themes, tested in this order; packed colours, red in the low byte.
constexpr ColorRow kColorRows[] = {
    {"Office", {0x000000, 0xFFFFFF, 0x7D491F, 0xE1ECEE, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7, 0xFF0000, 0x800080}},
    {"Grayscale", {0x000000, 0xFFFFFF, 0x000000, 0xF8F8F8, 0xDDDDDD, 0xB2B2B2, 0x969696, 0x808080, 0x5F5F5F, 0x4D4D4D, 0x5F5F5F, 0x919191}},
    {"Adjacency", {0x202B2F, 0xFFFFFF, 0x475E67, 0xB7DCDF, 0x7CA5A9, 0xBDBE9C, 0x6CCBD2, 0x9DA395, 0x5D9FC8, 0x89A0B1, 0x1458D2, 0x0A9A84}},
    {"Angles", {0x000000, 0xFFFFFF, 0x424343, 0xD9D7CD, 0x7E7B79, 0x1B6AF9, 0xD9A108, 0x4A987C, 0x8DADC2, 0x946E50, 0x5F5F5F, 0x969696}},
    {"Apex", {0x000000, 0xFFFFFF, 0x6D6769, 0xD1C2C9, 0x66B9CE, 0x84B09C, 0xC9B16B, 0xCF8565, 0xC96B7E, 0xBB79A3, 0x820041, 0x682993}},
    {"Apothecary", {0x000000, 0xFFFFFF, 0x3C4B56, 0xD1EDEC, 0x99A293, 0x3F54CF, 0x53AEB5, 0x588084, 0x4DB5E8, 0x716C78, 0x00CCCC, 0xB2B2B2}},
    {"Aspect", {0x000000, 0xFFFFFF, 0x323232, 0xD1DEE3, 0x097FF0, 0x36299F, 0x7C581B, 0x42854E, 0x784860, 0x5998C1, 0x259F6B, 0x026BB2}},
    {"Austin", {0x000000, 0xFFFFFF, 0x2D3D3E, 0x78F2CA, 0x00C694, 0x5A6871, 0x0067FF, 0x659490, 0x436B95, 0x22A0FE, 0x0082E6, 0x4AA9FF}},
    {"Pushpin", {0x000000, 0xFFFFFF, 0x9C5E46, 0xEADDCC, 0x23A0FD, 0x1E2BAA, 0x5C6871, 0x3BA764, 0x0556EB, 0x1ACAB9, 0x2C3ED8, 0x277DED}},
    {"Perspective", {0x000000, 0xFFFFFF, 0x383128, 0x0086FF, 0x9B8D83, 0x0C61D2, 0x6A7180, 0x7C1494, 0xD25A5D, 0x7D6C6F, 0xE38761, 0xB88E7B}},
    {"Paper", {0x000000, 0xFFFFFF, 0x264D44, 0xC9FAFE, 0x92B5A5, 0x47A4F3, 0x29BCE7, 0xA792D0, 0xC0859C, 0xC29E80, 0xB6588E, 0x6F6F7F}},
    {"Origin", {0x000000, 0xFFFFFF, 0x534646, 0xECE9DD, 0xA37C72, 0xCDB89F, 0x7ADAD2, 0x7ADAFA, 0x7284B8, 0x6A738E, 0xCA92B2, 0x80566B}},
    {"Oriel", {0x000000, 0xFFFFFF, 0x6D5F57, 0x9DF3FF, 0x3786FE, 0xD99875, 0x162CB3, 0x2DCDF5, 0xD5BAAE, 0x847C77, 0x1C61D2, 0x5B433B}},
    {"Opulent", {0x000000, 0xFFFFFF, 0x9A3FB1, 0xEDE7F4, 0x683DB8, 0xBB66AC, 0x366CDE, 0x39B6F9, 0xA46DCF, 0x3D8DFA, 0x66DEFF, 0xC590D4}},
    {"Newsprint", {0x000000, 0xFFFFFF, 0x303030, 0xE0DEDE, 0x0101AD, 0x566072, 0x6E95AC, 0xA98D80, 0x5B4E42, 0x000E73, 0x0069D2, 0x4392D8}},
    {"Module", {0x000000, 0xFFFFFF, 0x78635A, 0xD6D4D4, 0x00ADF0, 0xCCB560, 0x7D6CE6, 0x6DB76B, 0x5186E8, 0x4748C6, 0xBA8B16, 0x000068}},
    {"Metro", {0x000000, 0xFFFFFF, 0x6F5B4E, 0xFFECD6, 0x3BD17F, 0x7A15EA, 0x0AB8FE, 0xDCAD00, 0xC88A73, 0x9FB31A, 0x0388EB, 0x91775F}},
    {"Median", {0x000000, 0xFFFFFF, 0x555F77, 0xC3DDEB, 0xD2B694, 0x4780DD, 0x81ABA5, 0x5CB2D8, 0x9DA77B, 0x8C8C96, 0x15B6F7, 0x044470}},
    {"Horizon", {0x000000, 0xFFFFFF, 0x23211F, 0x1F9EDC, 0xAD977E, 0x608ECC, 0x606A7A, 0x6D93B4, 0x7B7867, 0x6F939D, 0x646464, 0x969696}},
    {"Hardcover", {0x000000, 0xFFFFFF, 0x1D5D89, 0xC6E9EC, 0x243687, 0x2D86D6, 0x40BED0, 0x6C7F87, 0x092197, 0x95B7AE, 0x0099CC, 0xB2B2B2}},
    {"Grid", {0x000000, 0xFFFFFF, 0x494953, 0xB9D1CC, 0x5169C6, 0x4D97BF, 0x708B92, 0x6B7087, 0x4E7394, 0x7D776F, 0x0099CC, 0xC0C0C0}},
    {"Foundry", {0x000000, 0xFFFFFF, 0x556A67, 0xDEEBEA, 0x76A372, 0xB0CCB0, 0xD7CDA8, 0xAFBEC0, 0x97C5CE, 0xB7B7E8, 0x5353DB, 0x383690}},
    {"Flow", {0x000000, 0xFFFFFF, 0x7B6104, 0xF9F5DB, 0xC66F0F, 0xD99D00, 0xD9D00B, 0x9BCF10, 0x62CA7C, 0x49C2A5, 0x0091F4, 0xD0DF85}},
    {"Executive", {0x000000, 0xFFFFFF, 0x97582F, 0xEFE9E4, 0xB47660, 0x52529C, 0x2284E6, 0x486684, 0x1F8963, 0x858075, 0xFF9933, 0xB2B2B2}},
    {"Essential", {0x000000, 0xFFFFFF, 0x2E28D1, 0xB1C8C8, 0x7A7A7A, 0x01C2F5, 0xB06D52, 0xAC9A98, 0x2459DC, 0x92B3B4, 0x0099CC, 0x969696}},
    {"Equity", {0x000000, 0xFFFFFF, 0x646469, 0xDCE5E9, 0x1748D3, 0x1F2D9B, 0x6A8EA2, 0x516295, 0x858491, 0x5D5D85, 0x0099CC, 0xA9A996}},
    {"Elemental", {0x000000, 0xFFFFFF, 0x522824, 0xF9CBAC, 0xD19D62, 0xD57F29, 0xA98F7F, 0xAC664A, 0xAEA25A, 0xA0909D, 0xC35494, 0xF0BB3E}},
    {"Couture", {0x000000, 0xFFFFFF, 0x2A3037, 0xB9CCD0, 0x5C8E9E, 0x8197A0, 0x6D7785, 0xA9AFAE, 0x8B878D, 0x49616B, 0x72A2B6, 0x4F788A}},
    {"Concourse", {0x000000, 0xFFFFFF, 0x464646, 0xFAF5DE, 0xBFA22D, 0x281FDA, 0x1B64EB, 0x9D6339, 0x784B47, 0x4A3C7D, 0x1981FF, 0xE8B944}},
    {"Composite", {0x000000, 0xFFFFFF, 0x73695B, 0xEDECE7, 0x23C798, 0xB9B059, 0x00AEDE, 0xB47BB7, 0x3C77E0, 0x638DA9, 0xECCB26, 0x8C8C59}},
    {"Clarity", {0x342929, 0xFFFFFF, 0x3C53D2, 0xDCF2F3, 0x99A293, 0x678FAD, 0x566072, 0x6A5A4C, 0xA08D80, 0x3D4679, 0xFF0000, 0x800080}},
    {"Civic", {0x000000, 0xFFFFFF, 0x866B64, 0xD7D1C5, 0x4963D1, 0x00B4CC, 0xAEAD8C, 0x707B8C, 0x8CB08F, 0x4990D1, 0xD6A300, 0x074F69}},
    {"Black Tie", {0x000000, 0xFFFFFF, 0x4A4646, 0xCFDCE3, 0x746F6F, 0x89B7A7, 0x98AEBE, 0xB9A992, 0x65829C, 0x74698D, 0xBFAA67, 0xABB5B1}},
    {"Waveform", {0x000000, 0xFFFFFF, 0x873E07, 0xFCE7C6, 0xFDB631, 0xD38445, 0x78D05B, 0x28D0A5, 0x40C0F5, 0xDBE005, 0xFF8000, 0xFFAE5E}},
    {"Verve", {0x000000, 0xFFFFFF, 0x666666, 0xD2D2D2, 0x8C38FF, 0x5900E4, 0x7F009C, 0x7F0068, 0xD35B00, 0x9E3400, 0xFDBB17, 0xC279FF}},
    {"Urban", {0x000000, 0xFFFFFF, 0x564442, 0xDEDEDE, 0x8A5453, 0x868043, 0xA34DA0, 0x2D65C4, 0x3D5D8B, 0xB5925C, 0xBDAF67, 0x74A8C2}},
    {"Trek", {0x000000, 0xFFFFFF, 0x303B4E, 0xC9EEFB, 0x2EA2F0, 0x4E64A5, 0x808BB5, 0x6D98C3, 0x7495A1, 0x2975C1, 0x1F1FAD, 0x2FC4FF}},
    {"Thatch", {0x000000, 0xFFFFFF, 0x41361D, 0xD0E6DF, 0xA59A75, 0x0DC6CF, 0x7F9899, 0x97AC90, 0x1CADFF, 0x6FABB9, 0xCDAA66, 0xB39D80}},
    {"Technic", {0x000000, 0xFFFFFF, 0x3B3B3B, 0xD0D2D4, 0xB0A06E, 0x0AAFCC, 0xA4898D, 0x608574, 0x73929E, 0x8D847E, 0xC3C800, 0xE016A1}},
    {"Solstice", {0x000000, 0xFFFFFF, 0x1C274F, 0xC9DEE7, 0xA79138, 0x0AB8FE, 0x2E2DC3, 0x33AA84, 0x054396, 0x8D5A47, 0x65C78D, 0x148AAA}},
    {"Slipstream", {0x000000, 0xFFFFFF, 0x452721, 0xFADCB4, 0xC8674E, 0xF3CC5E, 0x52EAA7, 0xAFCE5D, 0x2180FF, 0x2441F1, 0xAAC756, 0xD1A859}},
};

struct FontRow {
  std::string_view name;
  std::string_view heading;  // the major font
  std::string_view body;     // the minor font
};

// Tested in this order; several themes share a pair, and the earlier one wins.
constexpr FontRow kFontRows[] = {
    {"Office", "Calibri", "Calibri"},
    {"Office Classic", "Arial", "Times New Roman"},
    {"Office 2", "Calibri", "Cambria"},
    {"Office Classic 2", "Arial", "Arial"},
    {"Adjacency", "Cambria", "Calibri"},
    {"Angles", "Franklin Gothic Medium", "Franklin Gothic Book"},
    {"Apex", "Lucida Sans", "Book Antiqua"},
    {"Apothecary", "Book Antiqua", "Century Gothic"},
    {"Aspect", "Verdana", "Verdana"},
    {"Austin", "Century Gothic", "Century Gothic"},
    {"Black Tie", "Garamond", "Garamond"},
    {"Civic", "Georgia", "Georgia"},
    {"Clarity", "Arial", "Arial"},
    {"Composite", "Calibri", "Calibri"},
    {"Concourse", "Lucida Sans Unicode", "Lucida Sans Unicode"},
    {"Couture", "Garamond", "Garamond"},
    {"Elemental", "Palatino Linotype", "Palatino Linotype"},
    {"Equity", "Franklin Gothic Book", "Perpetua"},
    {"Essential", "Arial Black", "Arial"},
    {"Executive", "Century Gothic", "Palatino Linotype"},
    {"Flow", "Calibri", "Constantia"},
    {"Foundry", "Rockwell", "Rockwell"},
    {"Grid", "Franklin Gothic Medium", "Franklin Gothic Medium"},
    {"Hardcover", "Book Antiqua", "Book Antiqua"},
    {"Horizon", "Arial Narrow", "Arial Narrow"},
    {"Median", "Tw Cen MT", "Tw Cen MT"},
    {"Metro", "Consolas", "Corbel"},
    {"Module", "Corbel", "Corbel"},
    {"Newsprint", "Impact", "Times New Roman"},
    {"Opulent", "Trebuchet MS", "Trebuchet MS"},
    {"Oriel", "Century Schoolbook", "Century Schoolbook"},
    {"Origin", "Bookman Old Style", "Gill Sans MT"},
    {"Paper", "Constantia", "Constantia"},
    {"Perspective", "Arial", "Arial"},
    {"Pushpin", "Constantia", "Franklin Gothic Book"},
    {"Slipstream", "Trebuchet MS", "Trebuchet MS"},
    {"Solstice", "Gill Sans MT", "Gill Sans MT"},
    {"Technic", "Franklin Gothic Book", "Arial"},
    {"Thatch", "Tw Cen MT", "Tw Cen MT"},
    {"Trek", "Franklin Gothic Medium", "Franklin Gothic Book"},
    {"Urban", "Trebuchet MS", "Georgia"},
    {"Verve", "Century Gothic", "Century Gothic"},
    {"Waveform", "Candara", "Candara"},
};

// Reads the scheme's Latin heading font, then its body font, only as far as
// a row needs them.
class FontPair {
 public:
  explicit FontPair(const Object& scheme) : scheme_(scheme) {}
  bool Matches(const FontRow& row) {
    if (!major_) major_ = scheme_.Child("MajorFont", kLatinScript).Get("Name").AsString();
    if (*major_ != row.heading) return false;
    if (!minor_) minor_ = scheme_.Child("MinorFont", kLatinScript).Get("Name").AsString();
    return *minor_ == row.body;
  }

 private:
  const Object& scheme_;
  std::optional<std::string> major_, minor_;
};

}  // namespace

std::string ThemeColorSchemeName(const Object& scheme) {
  try {
    // Reads stop at the first difference, so a row costs as few calls as it can.
    std::array<std::int32_t, 12> read{};
    std::size_t known = 0;
    auto color = [&](std::size_t i) {
      for (; known <= i; ++known) read[known] = scheme.Child("Colors", static_cast<std::int32_t>(known + 1)).Get("RGB").AsLong();
      return read[i];
    };
    for (const ColorRow& row : kColorRows) {
      std::size_t i = 0;
      while (i < row.colors.size() && color(i) == row.colors[i]) ++i;
      if (i == row.colors.size()) return std::string(row.name);
    }
  } catch (const std::exception&) {
    // A scheme that cannot be read has no name.
  }
  return {};
}

std::string ThemeFontSchemeName(const Object& scheme) {
  try {
    FontPair fonts(scheme);
    for (const FontRow& row : kFontRows)
      if (fonts.Matches(row)) return std::string(row.name);
  } catch (const std::exception&) {
    // A scheme that cannot be read has no name.
  }
  return {};
}

std::string DesignThemeFontName(std::string_view designName, const Object& scheme) {
  // PowerPoint names the Office design "Office Theme"; the others by the theme alone.
  std::string_view theme = designName == "Office Theme" ? "Office" : designName;
  try {
    for (const FontRow& row : kFontRows)
      if (row.name == theme) return FontPair(scheme).Matches(row) ? std::string(row.name) : std::string();
  } catch (const std::exception&) {
    // As above.
  }
  return {};
}

}  // namespace quillmere
