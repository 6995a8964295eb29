#pragma once
// TextFrame2 and what hangs off it: the text as TextRange2 with its runs, the
// font of a run (Font2) with the fill, outline, glow and reflection of its
// characters, and the 3-D format of the text.

#include <memory>
#include <pugixml.hpp>
#include <vector>

#include "engine/objects/ShapeFormatObjects.h"

namespace quillmere::engine {

class TextFrame2Object final : public EngineObject<TextFrame2Object> {
 public:
  static constexpr std::string_view kTypeName = "TextFrame2";
  static const MemberTable<TextFrame2Object>& Members();
  TextFrame2Object(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

// The whole text of a shape, one paragraph or one run; reached through
// Paragraphs or Runs without an index it is the collection of those.
class TextRange2Object final : public EngineObject<TextRange2Object> {
 public:
  enum class Span { WholeText, Paragraph, Run };
  enum class Counts { Itself, Paragraphs, Runs };
  static constexpr std::string_view kTypeName = "TextRange2";
  static const MemberTable<TextRange2Object>& Members();
  TextRange2Object(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, std::vector<pugi::xml_node> p,
                   std::vector<pugi::xml_node> r, Span what, Counts counting)
      : EngineObject(std::move(s)), shape(std::move(sh)), paragraphs(std::move(p)), runs(std::move(r)), span(what),
        counts(counting) {}
  std::shared_ptr<ShapeObject> shape;
  std::vector<pugi::xml_node> paragraphs;  // the a:p of the range
  std::vector<pugi::xml_node> runs;        // its a:r and a:fld
  Span span;
  Counts counts;
};

// A part of the character formatting of one run; its members are defined for each name.
template <FormatName Name>
class RunFormatObject final : public EngineObject<RunFormatObject<Name>> {
 public:
  static constexpr std::string_view kTypeName = Name.View();
  static const MemberTable<RunFormatObject>& Members();
  RunFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh, pugi::xml_node n)
      : EngineObject<RunFormatObject<Name>>(std::move(s)), shape(std::move(sh)), node(n) {}
  std::shared_ptr<ShapeObject> shape;
  // The run (a:r, a:fld), or the a:bodyPr for the text's 3-D format; empty
  // for a range of several runs, which answers as mixed.
  pugi::xml_node node;
};

using Font2Object = RunFormatObject<"Font2">;
using RunFillObject = RunFormatObject<"FillFormat">;
using RunLineObject = RunFormatObject<"LineFormat">;
using RunGlowObject = RunFormatObject<"GlowFormat">;
using RunReflectionObject = RunFormatObject<"ReflectionFormat">;
using TextThreeDObject = RunFormatObject<"ThreeDFormat">;

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

}  // namespace quillmere::engine
