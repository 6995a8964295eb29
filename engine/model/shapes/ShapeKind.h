#pragma once
// What a shape element is, as Shape.Type (MsoShapeType), PlaceholderFormat.ContainedType
// and Shape.MediaType number it.

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "engine/package/Package.h"

namespace quillmere::engine {

namespace shape_type {
inline constexpr int kAutoShape = 1;
inline constexpr int kCallout = 2;
inline constexpr int kChart = 3;
inline constexpr int kFreeform = 5;
inline constexpr int kGroup = 6;
inline constexpr int kEmbeddedOle = 7;
inline constexpr int kLine = 9;
inline constexpr int kLinkedOle = 10;
inline constexpr int kLinkedPicture = 11;
inline constexpr int kOleControl = 12;
inline constexpr int kPicture = 13;
inline constexpr int kPlaceholder = 14;
inline constexpr int kMedia = 16;
inline constexpr int kTextBox = 17;
inline constexpr int kTable = 19;
inline constexpr int kInk = 22;
inline constexpr int kSmartArt = 24;
}  // namespace shape_type

inline constexpr int kMediaSound = 2;
inline constexpr int kMediaMovie = 3;

// The shape a tree child stands for: an mc:AlternateContent gives its first
// Choice whose required namespaces PowerPoint 2010 reads, else its Fallback
// (an empty node when neither holds a shape). Any other node is itself.
pugi::xml_node ResolvedShape(const pugi::xml_node& treeChild);
// Every shape a tree child stands for: itself, or the shape of each branch of
// an mc:AlternateContent, so that an edit shows whichever branch is read.
std::vector<pugi::xml_node> ShapeVariants(const pugi::xml_node& treeChild);

// The prst of a shape's preset geometry, or "" when it has none.
std::string_view PresetGeometryOf(const pugi::xml_node& shape);
bool IsLineCalloutPreset(std::string_view preset);

// The MsoShapeType of a resolved shape. A p:cxnSp is an autoshape whose
// Connector is true, straight ones included: PowerPoint draws every line as a
// connector and keeps msoLine for the line geometry of an ordinary p:sp.
int ShapeTypeOf(const pugi::xml_node& shape);
// What the shape holds, ignoring that it is a placeholder (ContainedType).
int ContentTypeOf(const pugi::xml_node& shape);
// PpMediaType of a media picture, 0 for any other shape. Media known only by
// its embedded part is told apart by that part's content type.
int MediaTypeOf(Package& package, const std::string& part, const pugi::xml_node& shape);

// The graphicData uri of a p:graphicFrame, "" for any other shape.
std::string_view GraphicDataUri(const pugi::xml_node& shape);

}  // namespace quillmere::engine
