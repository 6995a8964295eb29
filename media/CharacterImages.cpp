#include "media/CharacterImages.h"

#include <string>

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/text/Text.h"
#include "support/zip/ZipEntryName.h"

namespace quillmere {
namespace {

constexpr int kCharacterImagesIndent = 4;

// The tag's path relative to the output folder, where the project archive's
// characters folder is extracted. The authoring application writes it with
// backslashes between folders; the extracted file is reached through '/'.
std::string CharacterFile(ExportContext& context, const Object& shape) {
  std::string file = GetTag(shape, "CORVANTA_CHARACTER_FILE");
  if (TrimSpaces(file).empty()) return {};
  file = ForwardSlashName(file);
  if (file.starts_with("./")) file.erase(0, 2);
  return context.outputFolder + file;
}

void CopyTag(const Object& shape, pugi::xml_node element, std::string_view name, std::string_view tag) {
  AddElement(kCharacterImagesIndent, element, name, GetTag(shape, tag));
}

}  // namespace

bool IsCharacter(const Object& shape) { return !TrimSpaces(GetTag(shape, "CORVANTA_CHARACTER_TYPE")).empty(); }

void WriteCharacter(ExportContext& context, const Object& shape, pugi::xml_node parent) {
  pugi::xml_node element = AppendContainer(parent, "Character");
  AddElement(kCharacterImagesIndent, element, "CharacterFile", CharacterFile(context, shape));
  std::string type = GetTag(shape, "CORVANTA_CHARACTER_TYPE");
  AddElement(kCharacterImagesIndent, element, "CharacterType", type);
  CopyTag(shape, element, "CharacterId", "CORVANTA_CHARACTER_ID");
  std::string kind = LowerAscii(type);
  if (kind == "illustrated") {
    CopyTag(shape, element, "CharacterExpression", "CORVANTA_CHARACTER_EXPRESSION");
    CopyTag(shape, element, "CharacterPose", "CORVANTA_CHARACTER_POSE");
    CopyTag(shape, element, "CharacterFlip", "CORVANTA_CHARACTER_FLIP");
    std::string perspective = GetTag(shape, "CORVANTA_CHARACTER_PERSPECTIVE");
    if (!perspective.empty()) AddElement(kCharacterImagesIndent, element, "CharacterPerspective", perspective);
  } else if (kind == "photographic") {
    CopyTag(shape, element, "CharacterCrop", "CORVANTA_CHARACTER_CROP");
  }
}

}  // namespace quillmere
