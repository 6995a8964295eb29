#include "media/SlideBackground.h"

#include "objectmodel/StepRunner.h"
#include "objectmodel/trace/Trace.h"

namespace quillmere {

void ExportSlideBackground(const Object& slide, const std::string& fileName) {
  if (!slide) {
    Trace("Background slide reference invalid.");
    return;
  }
  Trace("Duplicating background slide.");
  Object copy;
  LeavingOutOnFailure([&] { copy = slide.Child("Duplicate").Item(1); });
  if (!copy) {
    Trace("Duplicating background slide failed.");
    return;
  }
  LeavingOutOnFailure([&] { copy.Put("DisplayMasterShapes", false); });
  LeavingOutOnFailure([&] {
    Object shapes = copy.Child("Shapes");
    std::int32_t count = shapes.Count();
    if (count <= 0) return;
    Trace("Preparing shapes for slide background export.");
    for (std::int32_t i = 1; i <= count; ++i) LeavingOutOnFailure([&] { shapes.Item(i).Put("Visible", false); });
  });
  LeavingOutOnFailure([&] { copy.Call("Export", fileName, "PNG"); });
  LeavingOutOnFailure([&] { copy.Call("Delete"); });
}

}  // namespace quillmere
