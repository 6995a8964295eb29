#include "engine/objects/shapes/CalloutFormatObjects.h"

#include "engine/model/shapes/ShapeKind.h"

namespace quillmere::engine {
namespace {

std::string_view Preset(const CalloutFormatObject& o) { return PresetGeometryOf(o.callout->element); }

}  // namespace

const MemberTable<CalloutFormatObject>& CalloutFormatObject::Members() {
  static const MemberTable<CalloutFormatObject> table{
      // The digit ending the preset counts segments; a one-segment line that
      // turns freely is msoCalloutTwo, each further segment one more.
      {.name = "Type", .get = [](CalloutFormatObject& o, Args) { return Value(Preset(o).back() - '0' + 1); }},
      {.name = "Accent", .get = [](CalloutFormatObject& o, Args) { return MsoBool(Preset(o).starts_with("accent")); }},
      {.name = "Border",
       .get =
           [](CalloutFormatObject& o, Args) {
             std::string_view preset = Preset(o);
             return MsoBool(preset.starts_with("border") || preset.starts_with("accentBorder"));
           }},
      {.name = "Parent", .get = [](CalloutFormatObject& o, Args) { return Value(o.callout); }},
  };
  return table;
}

}  // namespace quillmere::engine
