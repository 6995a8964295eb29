#include "engine/model/shapes/ShapeKind.h"

#include <array>
#include <sstream>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// The extensions PowerPoint 2010 writes and reads itself: its own, Office
// 2010 drawing, and the VML of older content.
constexpr std::array<std::string_view, 5> kReadNamespaces = {
    "http://schemas.microsoft.com/office/powerpoint/2010/main",
    "http://schemas.microsoft.com/office/drawing/2010/main",
    "urn:schemas-microsoft-com:vml",
    "urn:schemas-microsoft-com:office:office",
    "http://schemas.openxmlformats.org/presentationml/2006/main",
};

bool RequirementsRead(const pugi::xml_node& choice) {
  std::istringstream prefixes(choice.attribute("Requires").value());
  for (std::string prefix; prefixes >> prefix;) {
    std::string_view uri = NamespaceOfPrefix(choice, prefix);
    bool known = false;
    for (std::string_view n : kReadNamespaces) known = known || n == uri;
    if (!known) return false;
  }
  return true;
}

pugi::xml_node FirstShapeIn(const pugi::xml_node& branch) {
  for (pugi::xml_node c = branch.first_child(); c; c = c.next_sibling())
    if (IsShapeElement(c)) return c;
  return {};
}

pugi::xml_node NonVisualProperties(const pugi::xml_node& shape) {
  return ChildNamed(DrawingPropertiesOf(shape).parent(), "nvPr");
}

bool HasMediaReference(const pugi::xml_node& nvPr) {
  for (std::string_view media : {"videoFile", "audioFile", "wavAudioFile", "quickTimeFile"})
    if (ChildNamed(nvPr, media)) return true;
  bool found = false;
  ForEachChildNamed(ChildNamed(nvPr, "extLst"), "ext",
                    [&](const pugi::xml_node& ext) { found = found || ChildNamed(ext, "media"); });
  return found;
}

int PictureType(const pugi::xml_node& pic) {
  if (HasMediaReference(NonVisualProperties(pic))) return shape_type::kMedia;
  pugi::xml_node blip = ChildNamed(ChildNamed(pic, "blipFill"), "blip");
  bool linkedOnly = PrefixedAttribute(blip, "link") && !PrefixedAttribute(blip, "embed");
  return linkedOnly ? shape_type::kLinkedPicture : shape_type::kPicture;
}

int FrameType(const pugi::xml_node& frame) {
  std::string_view uri = GraphicDataUri(frame);
  if (uri.ends_with("/table")) return shape_type::kTable;
  if (uri.ends_with("/chart")) return shape_type::kChart;
  if (uri.ends_with("/diagram")) return shape_type::kSmartArt;
  if (uri.ends_with("/ole")) {
    // The object may sit in an mc:AlternateContent beside its picture; any branch names the same link.
    pugi::xml_node ole = ChildNamed(ChildNamed(frame, "graphic"), "graphicData").find_node([](const pugi::xml_node& n) {
      return LocalName(n) == "oleObj";
    });
    return ChildNamed(ole, "link") ? shape_type::kLinkedOle : shape_type::kEmbeddedOle;
  }
  if (uri.ends_with("/control")) return shape_type::kOleControl;
  return shape_type::kAutoShape;
}

}  // namespace

pugi::xml_node ResolvedShape(const pugi::xml_node& treeChild) {
  if (LocalName(treeChild) != "AlternateContent") return treeChild;
  for (pugi::xml_node c = treeChild.first_child(); c; c = c.next_sibling())
    if (LocalName(c) == "Choice" && RequirementsRead(c)) return FirstShapeIn(c);
  return FirstShapeIn(ChildNamed(treeChild, "Fallback"));
}

std::vector<pugi::xml_node> ShapeVariants(const pugi::xml_node& treeChild) {
  if (LocalName(treeChild) != "AlternateContent") return {treeChild};
  std::vector<pugi::xml_node> shapes;
  for (pugi::xml_node branch = treeChild.first_child(); branch; branch = branch.next_sibling())
    if (pugi::xml_node shape = FirstShapeIn(branch)) shapes.push_back(shape);
  return shapes;
}

std::string_view PresetGeometryOf(const pugi::xml_node& shape) {
  return ChildNamed(ChildNamed(shape, "spPr"), "prstGeom").attribute("prst").value();
}

bool IsLineCalloutPreset(std::string_view preset) {
  return preset.starts_with("borderCallout") || preset.starts_with("accentCallout") ||
         preset.starts_with("accentBorderCallout") || (preset.starts_with("callout") && preset.size() == 8);
}

std::string_view GraphicDataUri(const pugi::xml_node& shape) {
  if (LocalName(shape) != "graphicFrame") return {};
  return ChildNamed(ChildNamed(shape, "graphic"), "graphicData").attribute("uri").value();
}

int ContentTypeOf(const pugi::xml_node& shape) {
  std::string_view kind = LocalName(shape);
  if (kind == "pic") return PictureType(shape);
  if (kind == "graphicFrame") return FrameType(shape);
  if (kind == "grpSp") return shape_type::kGroup;
  if (kind == "contentPart") return shape_type::kInk;
  if (kind != "sp") return shape_type::kAutoShape;
  if (ChildNamed(shape, "nvSpPr") && ChildNamed(ChildNamed(shape, "nvSpPr"), "cNvSpPr").attribute("txBox").as_bool())
    return shape_type::kTextBox;
  if (ChildNamed(ChildNamed(shape, "spPr"), "custGeom")) return shape_type::kFreeform;
  std::string_view preset = PresetGeometryOf(shape);
  if (preset == "line") return shape_type::kLine;
  if (IsLineCalloutPreset(preset)) return shape_type::kCallout;
  return shape_type::kAutoShape;
}

int ShapeTypeOf(const pugi::xml_node& shape) {
  return PlaceholderOf(shape) ? shape_type::kPlaceholder : ContentTypeOf(shape);
}

int MediaTypeOf(Package& package, const std::string& part, const pugi::xml_node& shape) {
  if (LocalName(shape) != "pic") return 0;
  pugi::xml_node nvPr = NonVisualProperties(shape);
  if (!HasMediaReference(nvPr)) return 0;
  if (ChildNamed(nvPr, "videoFile") || ChildNamed(nvPr, "quickTimeFile")) return kMediaMovie;
  if (ChildNamed(nvPr, "audioFile") || ChildNamed(nvPr, "wavAudioFile")) return kMediaSound;
  pugi::xml_node media;
  ForEachChildNamed(ChildNamed(nvPr, "extLst"), "ext", [&](const pugi::xml_node& ext) {
    if (!media) media = ChildNamed(ext, "media");
  });
  const Relationship* rel = package.FindRelationship(part, PrefixedAttribute(media, "embed").value());
  bool audio = rel && !rel->external && package.ContentType(rel->target).starts_with("audio/");
  return audio ? kMediaSound : kMediaMovie;
}

}  // namespace quillmere::engine
