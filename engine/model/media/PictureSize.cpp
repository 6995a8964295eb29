#include "engine/model/media/PictureSize.h"

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {

pugi::xml_node BlipFillOf(const pugi::xml_node& shape) {
  if (pugi::xml_node own = ChildNamed(shape, "blipFill")) return own;
  return ChildNamed(ShapePropertiesOf(shape), "blipFill");
}

PictureCrop CropOf(const pugi::xml_node& picture) {
  pugi::xml_node rect = ChildNamed(BlipFillOf(picture), "srcRect");
  auto fraction = [&](const char* side) { return rect.attribute(side).as_double() / 100000.0; };
  return {fraction("l"), fraction("t"), fraction("r"), fraction("b")};
}

double UncroppedExtent(double shown, double cropStart, double cropEnd) {
  double left = 1.0 - cropStart - cropEnd;
  // A crop that leaves nothing (or less) has no size to go back to.
  return left > 0 ? shown / left : shown;
}

}  // namespace quillmere::engine
