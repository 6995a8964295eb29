#pragma once
// The sound or movie file behind a media shape. The object model gives no
// path for embedded media, so a copy of the shape is saved alone as an Open
// XML presentation and its media part is taken from the unpacked package.

#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The sound written to basePath plus the media part's extension (".wav",
// ".mp3" or ".m4a"); empty when the copy holds no such part.
std::string ExtractSoundFromShape(ExportContext& context, const Object& shape, const std::string& basePath);

// The shape's first media part, whatever its kind, copied into folder under
// 8 random characters and the part's own name; empty when there is none.
std::string ExtractMediaFromShape(ExportContext& context, const Object& shape, const std::string& folder);

// The file a linked sound or movie plays; empty when the media is embedded.
std::string GetLinkedSoundSource(const Object& shape);

}  // namespace quillmere
