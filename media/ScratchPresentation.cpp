#include "media/ScratchPresentation.h"

#include "objectmodel/ExportContext.h"
#include "objectmodel/powerpoint/Enumerations.h"

namespace quillmere {
Object AddScratchPresentation(ExportContext& context) {
  return context.application.Child("Presentations").Child("Add", tri_state::kFalse);
}

Object AddBlankSlide(const Object& presentation) {
  return presentation.Child("Slides").Child("Add", 1, layout::kBlank);
}

}  // namespace quillmere
