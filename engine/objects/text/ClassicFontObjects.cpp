#include "engine/objects/text/ClassicFontObjects.h"

#include "engine/objects/text/TextFrame2Objects.h"

namespace quillmere::engine {
namespace {

Value Modern(ClassicFontObject& f, std::string_view member) {
  return std::make_shared<Font2Object>(f.Session(), f.shape, f.run)->Invoke(InvokeKind::Get, member, {});
}

Value ModernPart(ClassicFontObject& f, std::string_view part, std::string_view member) {
  return Modern(f, part).AsDispatch()->Invoke(InvokeKind::Get, member, {});
}

// A member both fonts have, with the same meaning.
Member<ClassicFontObject> Forwarded(std::string_view name) {
  return {.name = name, .get = [name](ClassicFontObject& f, Args) { return Modern(f, name); }};
}

}  // namespace

const MemberTable<ClassicFontObject>& ClassicFontObject::Members() {
  static const MemberTable<ClassicFontObject> table = MemberTable<ClassicFontObject>{
      // msoNoUnderline is 0; the 2003 font answers only whether there is one.
      {.name = "Underline",
       .get = [](ClassicFontObject& f, Args) { return MsoBool(Modern(f, "UnderlineStyle").AsLong() != 0); }},
      {.name = "Shadow", .get = [](ClassicFontObject& f, Args) { return ModernPart(f, "Shadow", "Visible"); }},
      {.name = "Color", .get = [](ClassicFontObject& f, Args) { return ModernPart(f, "Fill", "ForeColor"); }},
  }.With({Forwarded("Name"), Forwarded("NameComplexScript"), Forwarded("NameFarEast"), Forwarded("Size"),
          Forwarded("Bold"), Forwarded("Italic"), Forwarded("Subscript"), Forwarded("Superscript"),
          Forwarded("BaselineOffset")});
  return table;
}

}  // namespace quillmere::engine
