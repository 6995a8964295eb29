#pragma once
// The format objects of a shape that read one part of its formatting: shadow,
// glow, soft edge, reflection and 3-D (from the effects in effect for it),
// picture and text-effect format. The first five the writers switch off on a
// shape before drawing it and back on afterwards, so each edit puts back
// exactly what was there.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>

#include "engine/objects/shapes/ShapeObjects.h"

namespace quillmere::engine {

// A type name as a template argument, so that each format object is a class of its own.
template <std::size_t N>
struct FormatName {
  constexpr FormatName(const char (&name)[N]) { std::copy_n(name, N, text); }
  constexpr std::string_view View() const { return {text, N - 1}; }
  char text[N];
};

// One format object of a shape; its members are defined for each name.
template <FormatName Name>
class ShapeFormatObject final : public EngineObject<ShapeFormatObject<Name>> {
 public:
  static constexpr std::string_view kTypeName = Name.View();
  static const MemberTable<ShapeFormatObject>& Members();
  ShapeFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<ShapeObject> sh)
      : EngineObject<ShapeFormatObject<Name>>(std::move(s)), shape(std::move(sh)) {}
  std::shared_ptr<ShapeObject> shape;
};

using ShadowFormatObject = ShapeFormatObject<"ShadowFormat">;
using GlowFormatObject = ShapeFormatObject<"GlowFormat">;
using SoftEdgeFormatObject = ShapeFormatObject<"SoftEdgeFormat">;
using ReflectionFormatObject = ShapeFormatObject<"ReflectionFormat">;
using ThreeDFormatObject = ShapeFormatObject<"ThreeDFormat">;
using PictureFormatObject = ShapeFormatObject<"PictureFormat">;
using TextEffectFormatObject = ShapeFormatObject<"TextEffectFormat">;

template <>
const MemberTable<ShadowFormatObject>& ShadowFormatObject::Members();
template <>
const MemberTable<GlowFormatObject>& GlowFormatObject::Members();
template <>
const MemberTable<SoftEdgeFormatObject>& SoftEdgeFormatObject::Members();
template <>
const MemberTable<ReflectionFormatObject>& ReflectionFormatObject::Members();
template <>
const MemberTable<ThreeDFormatObject>& ThreeDFormatObject::Members();
template <>
const MemberTable<PictureFormatObject>& PictureFormatObject::Members();
template <>
const MemberTable<TextEffectFormatObject>& TextEffectFormatObject::Members();

}  // namespace quillmere::engine
