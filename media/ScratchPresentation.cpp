#include "media/ScratchPresentation.h"

#include "component/ExportState.h"

namespace quillmere {
namespace {

constexpr std::int32_t kNoWindow = 0;      // msoFalse
constexpr std::int32_t kBlankLayout = 12;  // ppLayoutBlank

}  // namespace

Object AddScratchPresentation() {
  return CurrentExportState().application.Child("Presentations").Child("Add", kNoWindow);
}

Object AddBlankSlide(const Object& presentation) { return presentation.Child("Slides").Child("Add", 1, kBlankLayout); }

}  // namespace quillmere
