#pragma once
// The theme colours a slide or custom layout shows.

#include <cstdint>
#include <memory>

#include "engine/core/EngineObject.h"
#include "engine/model/ThemeColors.h"

namespace quillmere::engine {

class ThemeColorObject final : public EngineObject<ThemeColorObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeColor";
  static const MemberTable<ThemeColorObject>& Members();
  ThemeColorObject(std::shared_ptr<EngineSession> s, std::uint32_t c) : EngineObject(std::move(s)), rgb(c) {}
  std::uint32_t rgb;
};

class ThemeColorSchemeObject final : public EngineObject<ThemeColorSchemeObject> {
 public:
  static constexpr std::string_view kTypeName = "ThemeColorScheme";
  static const MemberTable<ThemeColorSchemeObject>& Members();
  ThemeColorSchemeObject(std::shared_ptr<EngineSession> s, const SchemeColors& c)
      : EngineObject(std::move(s)), colors(c) {}
  SchemeColors colors;
};

}  // namespace quillmere::engine
