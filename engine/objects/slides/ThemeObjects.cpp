#include "engine/objects/slides/ThemeObjects.h"

#include "engine/model/format/ThemeColors.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/objects/slides/ThemeColorObjects.h"
#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

[[noreturn]] void OutOfBounds(std::string_view member) {
  throw ComError(hr::kInvalidArgument,
                 std::string(member) + " : The index into the specified collection is out of bounds.");
}

}  // namespace

const MemberTable<ThemeObject>& ThemeObject::Members() {
  static const MemberTable<ThemeObject> table{
      // The theme part's own twelve colours, before any colour map; ThemeColorScheme(i) is colour i.
      {.name = "ThemeColorScheme",
       .get =
           [](ThemeObject& o, Args a) {
             SchemeColors colors = ReadThemeColors(ThemeRootOf(*o.doc, o.part));
             auto scheme = std::make_shared<ThemeColorSchemeObject>(o.Session(), colors);
             return ArgAt(a, 0).IsEmpty() ? Value(scheme) : ThemeColorAt(*scheme, ArgAt(a, 0));
           }},
      {.name = "ThemeFontScheme",
       .get =
           [](ThemeObject& o, Args) {
             return Value(std::make_shared<ThemeFontSchemeObject>(o.Session(), ReadThemeFonts(ThemeRootOf(*o.doc, o.part))));
           }},
  };
  return table;
}

namespace {

// MajorFont(1) reaches the collection's default member, as automation
// applies the arguments of a property that takes none to what it returns.
Value FontsOrFont(const std::shared_ptr<EngineSession>& session, const ThemeFontNames& names, Args a) {
  auto fonts = std::make_shared<ThemeFontsObject>(session, names);
  if (a.empty()) return Value(fonts);
  return fonts->Invoke(InvokeKind::Get, "Item", a);
}

}  // namespace

const MemberTable<ThemeFontSchemeObject>& ThemeFontSchemeObject::Members() {
  static const MemberTable<ThemeFontSchemeObject> table{
      {.name = "MajorFont",
       .get = [](ThemeFontSchemeObject& o, Args a) { return FontsOrFont(o.Session(), o.fonts.major, a); }},
      {.name = "MinorFont",
       .get = [](ThemeFontSchemeObject& o, Args a) { return FontsOrFont(o.Session(), o.fonts.minor, a); }},
  };
  return table;
}

const MemberTable<ThemeFontsObject>& ThemeFontsObject::Members() {
  static const auto item = [](ThemeFontsObject& o, Args a) {
    int index = ArgAt(a, 0).AsLong();  // MsoFontLanguageIndex
    if (index < 1 || index > kThemeFontLanguages) OutOfBounds("ThemeFonts.Item");
    return Value(std::make_shared<ThemeFontObject>(o.Session(), o.names[index - 1]));
  };
  static const MemberTable<ThemeFontsObject> table{
      {.name = "Count", .get = [](ThemeFontsObject&, Args) { return Value(kThemeFontLanguages); }},
      {.name = "Item", .get = item},
      // The default member: MajorFont(1).
      {.name = "", .get = item},
  };
  return table;
}

const MemberTable<ThemeFontObject>& ThemeFontObject::Members() {
  static const auto name = [](ThemeFontObject& o, Args) { return Value(o.name); };
  static const MemberTable<ThemeFontObject> table{
      {.name = "Name", .get = name},
      {.name = "", .get = name},
  };
  return table;
}

const MemberTable<FontsObject>& FontsObject::Members() {
  static const auto item = [](FontsObject& o, Args a) {
    const Value& which = ArgAt(a, 0);
    if (which.IsText()) {
      for (const std::string& n : o.names)
        if (LowerAscii(n) == LowerAscii(which.AsString())) return Value(std::make_shared<FontObject>(o.Session(), n));
      throw ComError(hr::kInvalidArgument, "Fonts.Item : The item was not found.");
    }
    int i = CollectionIndex(which, static_cast<int>(o.names.size()), "Fonts");
    return Value(std::make_shared<FontObject>(o.Session(), o.names[i - 1]));
  };
  static const MemberTable<FontsObject> table{
      {.name = "Count", .get = [](FontsObject& o, Args) { return Value(static_cast<int>(o.names.size())); }},
      {.name = "Item", .get = item},
      {.name = "", .get = item},
  };
  return table;
}

const MemberTable<FontObject>& FontObject::Members() {
  static const auto name = [](FontObject& o, Args) { return Value(o.name); };
  static const MemberTable<FontObject> table{
      {.name = "Name", .get = name},
      {.name = "", .get = name},
  };
  return table;
}

}  // namespace quillmere::engine
