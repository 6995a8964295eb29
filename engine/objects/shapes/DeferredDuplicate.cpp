#include "engine/objects/shapes/DeferredDuplicate.h"

#include <string>

#include "engine/core/DeferredEdit.h"
#include "engine/model/shapes/ShapeEdits.h"

namespace quillmere::engine {
namespace {

class DeferredDuplicate final : public DeferredEdit {
 public:
  DeferredDuplicate(const ShapeObject& original, unsigned firstId, const std::shared_ptr<ShapeRangeObject>& range)
      : doc_(original.doc),
        part_(original.part),
        original_(original.treeNode),
        firstId_(firstId),
        copy_(range->shapes.front()),
        range_(range.get()) {}

  bool Answers(const Dispatch& target, InvokeKind kind, std::string_view member, Args args) const override {
    std::shared_ptr<ShapeObject> copy = copy_.lock();
    if (!copy) return false;
    if (&target == range_) return member == "Item" || member == "Count";
    if (&target != copy.get()) return false;
    if (kind == InvokeKind::Get) return member == "Type" || member == "AutoShapeType";
    if (kind != InvokeKind::Call) return false;
    return member == "Delete" ||
           ((member == "ScaleHeight" || member == "ScaleWidth") && RefusesOriginalSize(*copy, args));
  }

  void Make() override {
    pugi::xml_node made = DuplicateShape(*doc_, part_, original_, firstId_);
    if (std::shared_ptr<ShapeObject> copy = copy_.lock()) copy->BecomeCopy(made);
  }

 private:
  std::shared_ptr<PresentationDocument> doc_;
  std::string part_;
  pugi::xml_node original_;
  unsigned firstId_;
  std::weak_ptr<ShapeObject> copy_;
  const Dispatch* range_;
};

}  // namespace

std::shared_ptr<ShapeRangeObject> DuplicateLater(ShapeObject& original) {
  const unsigned firstId = TakeCopyIds(*original.doc, original.part, original.treeNode);
  std::shared_ptr<ShapeObject> copy = original.Sibling(original.treeNode);
  copy->pendingCopy = true;
  auto range = std::make_shared<ShapeRangeObject>(original.Session(), std::vector{copy});
  original.Session()->deferredEdit = std::make_shared<DeferredDuplicate>(original, firstId, range);
  return range;
}

}  // namespace quillmere::engine
