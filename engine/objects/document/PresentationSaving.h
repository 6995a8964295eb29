#pragma once
// Presentation.SaveCopyAs and Presentation.SaveAs: an Open XML package of the
// presentation as it is now (ppSaveAsDefault, ppSaveAsOpenXMLPresentation),
// or for SaveAs also a web page (ppSaveAsHTML, WebPageSave.h). SaveAs makes
// the presentation the file saved, as PowerPoint does.

#include "engine/objects/document/PresentationObject.h"

namespace quillmere::engine {

// (FileName, FileFormat, EmbedTrueTypeFonts); throws ComError.
Value SaveCopyAs(PresentationObject& o, Args a);
Value SaveAs(PresentationObject& o, Args a);

}  // namespace quillmere::engine
