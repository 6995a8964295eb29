#pragma once
// The size a picture's crops are measured against. A p:pic shows the part of
// its image that a:srcRect leaves (fractions cut from each side) stretched
// over its frame, so the whole image at the present scale is the frame
// divided by the fraction left. ScaleHeight/ScaleWidth relative to the
// original size scale that, keeping the crop, and PictureFormat.Crop* are
// these fractions times the same uncropped size: both read this file.

#include <pugixml.hpp>

namespace quillmere::engine {

struct PictureCrop {
  double left = 0, top = 0, right = 0, bottom = 0;  // fractions of the uncropped image
};

// The picture a p:pic shows, or the picture fill of a shape: its a:blipFill, or an empty node.
pugi::xml_node BlipFillOf(const pugi::xml_node& shape);
// The crop of a p:pic (or any shape with a:blipFill/a:srcRect); none for other shapes.
PictureCrop CropOf(const pugi::xml_node& picture);
// The uncropped extent along one axis for a shown extent and the crops of its two sides.
double UncroppedExtent(double shown, double cropStart, double cropEnd);

}  // namespace quillmere::engine
