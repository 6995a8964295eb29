#pragma once
// LinkFormat of a linked picture, media clip or OLE object: the file its
// external relationship points at.

#include <filesystem>
#include <memory>
#include <string>

#include "engine/core/EngineObject.h"

namespace quillmere::engine {

class LinkFormatObject final : public EngineObject<LinkFormatObject> {
 public:
  static constexpr std::string_view kTypeName = "LinkFormat";
  static const MemberTable<LinkFormatObject>& Members();
  LinkFormatObject(std::shared_ptr<EngineSession> s, std::shared_ptr<Dispatch> sh, std::string source)
      : EngineObject(std::move(s)), shape(std::move(sh)), sourceFullName(std::move(source)) {}
  std::shared_ptr<Dispatch> shape;
  std::string sourceFullName;
};

// An external relationship target as a path: file URIs lose their scheme (and
// a "localhost" host) and their %-escapes, Windows drive and share paths take
// backslashes; other targets stay as written.
std::string LinkTargetPath(std::string_view target);
// The file PowerPoint names for a link: LinkTargetPath, with a relative
// target taken from the presentation's folder (none: left as written).
std::string LinkedFilePath(std::string_view target, const std::filesystem::path& deckFolder);

}  // namespace quillmere::engine
