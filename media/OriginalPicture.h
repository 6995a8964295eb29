#pragma once
// The image file behind a picture shape or texture. The object model hands
// out no such file, but a web-page save of a scratch presentation holding
// only a plain copy of the shape writes it into the page's supporting-files
// folder.

#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Full path of the shape's original image file, or empty when none was found.
std::string GetOriginalPicture(ExportContext& context, const Object& shape);

// The suffix the application gives a web page's supporting-files folder
// ("_files" in English); empty when it could not be found.
std::string GetArchiveFolderName(ExportContext& context);

// Forgets this thread's suffix, so the next extraction calibrates again.
void ForgetArchiveFolderName();

}  // namespace quillmere
