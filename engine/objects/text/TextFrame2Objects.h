#pragma once
// TextFrame2 and what hangs off it: the text as TextRange2 with its
// paragraphs and runs, the font of a run (Font2) with the fill, outline, glow
// and reflection of its characters, the paragraph format with bullet and tab
// stops (ParagraphFormatObjects.cpp), and the 3-D format of the text.

#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <vector>

#include "engine/model/text/TextCharacters.h"
#include "engine/objects/format/ShapeFormatObjects.h"

namespace quillmere::engine {

class TextFrame2Object final : public EngineObject<TextFrame2Object> {
 public:
  static constexpr std::string_view kTypeName = "TextFrame2";
  static const MemberTable<TextFrame2Object>& Members();
  TextFrame2Object(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

// TextFrame2.TextRange, or TextFrame.TextRange as PowerPoint 2003 had it: the
// same text, with the older Font and an IndentLevel of its own.
enum class TextFlavour { Modern, Classic };

// The whole text of a shape, one paragraph, line or run; reached through
// Paragraphs or Runs without an index it is the collection of those.
class TextRange2Object final : public EngineObject<TextRange2Object> {
 public:
  enum class Span { WholeText, Paragraph, Line, Run };
  enum class Counts { Itself, Paragraphs, Runs };
  static constexpr std::string_view kTypeName = "TextRange2";
  static const MemberTable<TextRange2Object>& Members();
  TextRange2Object(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, std::vector<pugi::xml_node> p,
                   std::vector<pugi::xml_node> r, Span what, Counts counting, TextFlavour kind)
      : EngineObject(std::move(s)), shape(std::move(sh)), paragraphs(std::move(p)), runs(std::move(r)), span(what),
        counts(counting), flavour(kind) {}
  std::string_view TypeName() const override { return flavour == TextFlavour::Classic ? "TextRange" : kTypeName; }
  std::shared_ptr<ShapeObject> shape;
  std::vector<pugi::xml_node> paragraphs;  // the a:p of the range
  std::vector<pugi::xml_node> runs;        // its a:r and a:fld
  Span span;
  Counts counts;
  TextFlavour flavour;
  // The range's text in pieces, for finding characters, while the document's text is as it was.
  std::optional<TextPieces> pieces;
  unsigned piecesRevision = 0;
};

// The whole text of the shape.
std::shared_ptr<TextRange2Object> WholeTextOf(std::shared_ptr<EngineSession> session, std::shared_ptr<ShapeObject> shape,
                                              TextFlavour flavour);

// A part of the formatting of some text: of a run's characters, of a
// paragraph, or of the whole body; its members are defined for each name.
template <FormatName Name>
class TextFormatObject final : public EngineObject<TextFormatObject<Name>> {
 public:
  static constexpr std::string_view kTypeName = Name.View();
  static const MemberTable<TextFormatObject>& Members();
  TextFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, pugi::xml_node n)
      : EngineObject<TextFormatObject<Name>>(std::move(s)), shape(std::move(sh)), node(n) {}
  std::shared_ptr<ShapeObject> shape;
  // The run (a:r, a:fld), the paragraph (a:p) or the a:bodyPr it formats;
  // empty for a range of several, which answers with the defaults.
  pugi::xml_node node;
};

using Font2Object = TextFormatObject<"Font2">;
using RunFillObject = TextFormatObject<"FillFormat">;
using RunLineObject = TextFormatObject<"LineFormat">;
using RunGlowObject = TextFormatObject<"GlowFormat">;
using RunReflectionObject = TextFormatObject<"ReflectionFormat">;
using TextThreeDObject = TextFormatObject<"ThreeDFormat">;
using RunShadowObject = TextFormatObject<"ShadowFormat">;
using ParagraphFormat2Object = TextFormatObject<"ParagraphFormat2">;
using BulletFormat2Object = TextFormatObject<"BulletFormat2">;
// The bullet's font, as BulletFormat2.Font answers it: the paragraph's text
// font where the bullet sets no font, size or colour of its own.
using BulletFontObject = TextFormatObject<"Font">;
using TabStops2Object = TextFormatObject<"TabStops2">;
using TabStop2Object = TextFormatObject<"TabStop2">;

template <>
const MemberTable<Font2Object>& Font2Object::Members();
template <>
const MemberTable<RunFillObject>& RunFillObject::Members();
template <>
const MemberTable<RunLineObject>& RunLineObject::Members();
template <>
const MemberTable<RunGlowObject>& RunGlowObject::Members();
template <>
const MemberTable<RunReflectionObject>& RunReflectionObject::Members();
template <>
const MemberTable<TextThreeDObject>& TextThreeDObject::Members();
template <>
const MemberTable<RunShadowObject>& RunShadowObject::Members();
template <>
const MemberTable<ParagraphFormat2Object>& ParagraphFormat2Object::Members();
template <>
const MemberTable<BulletFormat2Object>& BulletFormat2Object::Members();
template <>
const MemberTable<BulletFontObject>& BulletFontObject::Members();
template <>
const MemberTable<TabStops2Object>& TabStops2Object::Members();
template <>
const MemberTable<TabStop2Object>& TabStop2Object::Members();

}  // namespace quillmere::engine
