#pragma once
// The Font of PowerPoint 2003's text range: what the run's Font2 says, told
// in the older object's terms (an underline flag, a shadow flag, a colour).

#include <memory>
#include <pugixml.hpp>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class ClassicFontObject final : public EngineObject<ClassicFontObject> {
 public:
  static constexpr std::string_view kTypeName = "Font";
  static const MemberTable<ClassicFontObject>& Members();
  ClassicFontObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, pugi::xml_node r)
      : EngineObject(std::move(s)), shape(std::move(sh)), run(r) {}
  std::shared_ptr<ShapeObject> shape;
  pugi::xml_node run;  // a:r or a:fld; empty for a range of several, which answers with the defaults
};

}  // namespace quillmere::engine
