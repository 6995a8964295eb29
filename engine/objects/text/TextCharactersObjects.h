#pragma once
// Some characters of a shape's text, as TextRange2.Characters answers them:
// their text, their font (setting its name formats just those characters)
// and Copy, which puts them on the clipboard as rich text.

#include <memory>

#include "engine/model/text/TextCharacters.h"
#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

class TextCharactersObject final : public EngineObject<TextCharactersObject> {
 public:
  static constexpr std::string_view kTypeName = "TextRange2";
  static const MemberTable<TextCharactersObject>& Members();
  TextCharactersObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, CharacterSpan chars)
      : EngineObject(std::move(s)), shape(std::move(sh)), span(std::move(chars)) {}
  std::shared_ptr<ShapeObject> shape;
  CharacterSpan span;
};

}  // namespace quillmere::engine
