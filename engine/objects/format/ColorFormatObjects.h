#pragma once
// ColorFormat: one colour of a fill, line, gradient stop, shadow or font.
// The colour element is found again on every read, so that edits made
// through any object are seen.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <pugixml.hpp>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"
#include "engine/model/format/ColorResolution.h"

namespace quillmere::engine {

struct ColorSource {
  pugi::xml_node color;             // a colour element, or empty when the owner sets none
  pugi::xml_node placeholderColor;  // what phClr stands for (a style reference's colour)
  std::uint32_t fallbackRgb = 0;    // what RGB reads when there is no colour element
};

struct ColorBinding {
  std::function<ColorSource()> locate;
  // Applies an edit to the element that holds the colour (a:solidFill,
  // a:gs, a:fgClr, ...), creating it when needed, in every variant of the
  // owner; empty when the colour cannot be changed.
  std::function<void(const std::function<void(pugi::xml_node holder)>&)> edit;
};

class ColorFormatObject final : public EngineObject<ColorFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "ColorFormat";
  static const MemberTable<ColorFormatObject>& Members();
  // owner: the slide, layout or master part whose colour map applies.
  ColorFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string owner,
                    ColorBinding b)
      : EngineObject(std::move(s)), doc(std::move(d)), ownerPart(std::move(owner)), binding(std::move(b)) {}
  ResolvedColor Resolve() const;
  std::shared_ptr<PresentationDocument> doc;
  std::string ownerPart;
  ColorBinding binding;
};

// Replaces the colour element of a holder by a new one of that name (with
// the holder's prefix) and returns it.
pugi::xml_node ReplaceColorElement(pugi::xml_node holder, std::string_view localName);

}  // namespace quillmere::engine
