#pragma once
// A master's theme (Master.Theme, PowerPoint's OfficeTheme) with its colour
// and font schemes, and the fonts a presentation uses (Presentation.Fonts).

#include <memory>
#include <string>
#include <vector>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/text/ThemeFonts.h"

namespace quillmere::engine {

// The theme of the master a part shows (read when its members are).
class ThemeObject final : public EngineObject<ThemeObject> {
 public:
  static constexpr std::string_view kTypeName = "OfficeTheme";
  static const MemberTable<ThemeObject>& Members();
  ThemeObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p)
      : EngineObject(std::move(s)), doc(std::move(d)), part(std::move(p)) {}
  std::shared_ptr<PresentationDocument> doc;
  std::string part;  // a master, or a layout (a title master)
};

class ThemeFontSchemeObject final : public EngineObject<ThemeFontSchemeObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeFontScheme";
  static const MemberTable<ThemeFontSchemeObject>& Members();
  ThemeFontSchemeObject(std::shared_ptr<EngineSession> s, ThemeFonts f)
      : EngineObject(std::move(s)), fonts(std::move(f)) {}
  ThemeFonts fonts;
};

// MajorFont or MinorFont: one typeface per MsoFontLanguageIndex.
class ThemeFontsObject final : public EngineObject<ThemeFontsObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeFonts";
  static const MemberTable<ThemeFontsObject>& Members();
  ThemeFontsObject(std::shared_ptr<EngineSession> s, ThemeFontNames n) : EngineObject(std::move(s)), names(std::move(n)) {}
  ThemeFontNames names;
};

class ThemeFontObject final : public EngineObject<ThemeFontObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeFont";
  static const MemberTable<ThemeFontObject>& Members();
  ThemeFontObject(std::shared_ptr<EngineSession> s, std::string n) : EngineObject(std::move(s)), name(std::move(n)) {}
  std::string name;
};

// Presentation.Fonts: the list PresentationFonts (engine/model/text/PresentationFonts.h) makes.
class FontsObject final : public EngineObject<FontsObject> {
 public:
  static constexpr std::string_view kTypeName = "Fonts";
  static const MemberTable<FontsObject>& Members();
  FontsObject(std::shared_ptr<EngineSession> s, std::vector<std::string> n)
      : EngineObject(std::move(s)), names(std::move(n)) {}
  std::vector<std::string> names;
};

class FontObject final : public EngineObject<FontObject> {
 public:
  static constexpr std::string_view kTypeName = "Font";
  static const MemberTable<FontObject>& Members();
  FontObject(std::shared_ptr<EngineSession> s, std::string n) : EngineObject(std::move(s)), name(std::move(n)) {}
  std::string name;
};

}  // namespace quillmere::engine
