#include "engine/objects/ThemeColorObjects.h"

namespace quillmere::engine {

const MemberTable<ThemeColorObject>& ThemeColorObject::Members() {
  static const auto rgb = [](ThemeColorObject& o, Args) { return Value(static_cast<int>(o.rgb)); };
  static const MemberTable<ThemeColorObject> table{
      {.name = "RGB", .get = rgb},
      // The default member, reached by a call without a member name.
      {.name = "", .get = rgb},
  };
  return table;
}

const MemberTable<ThemeColorSchemeObject>& ThemeColorSchemeObject::Members() {
  static const MemberTable<ThemeColorSchemeObject> table{
      {.name = "Colors",
       .call =
           [](ThemeColorSchemeObject& o, Args a) {
             int index = ArgAt(a, 0).AsLong();  // MsoThemeColorSchemeIndex
             if (index < 1 || index > kThemeColorCount)
               throw ComError(hr::kInvalidArgument,
                              "ThemeColorScheme.Colors : The index into the specified collection is out of bounds.");
             return Value(std::make_shared<ThemeColorObject>(o.Session(), o.colors[index - 1]));
           }},
  };
  return table;
}

}  // namespace quillmere::engine
