#include "engine/objects/shapes/ShapeObjects.h"

#include <cmath>

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/document/XmlPrefixes.h"
#include "engine/model/media/MediaReferences.h"
#include "engine/model/media/PictureSize.h"
#include "engine/model/shapes/AutoShapeTypes.h"
#include "engine/model/shapes/PlaceholderTypes.h"
#include "engine/model/shapes/ShapeEdits.h"
#include "engine/model/shapes/ShapeGeometry.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/model/text/ShapeText.h"
#include "engine/objects/document/DocumentObjects.h"
#include "engine/objects/format/FillFormatObjects.h"
#include "engine/objects/format/ShapeFormatObjects.h"
#include "engine/objects/images/ShapeImages.h"
#include "engine/objects/media/ActionSettingObjects.h"
#include "engine/objects/media/LinkFormatObjects.h"
#include "engine/objects/media/MediaObjects.h"
#include "engine/objects/shapes/AdjustmentsObjects.h"
#include "engine/objects/shapes/CalloutFormatObjects.h"
#include "engine/objects/shapes/ConnectorFormatObjects.h"
#include "engine/objects/shapes/DeferredDuplicate.h"
#include "engine/objects/shapes/GroupItemsObjects.h"
#include "engine/objects/shapes/ShapeClipboard.h"
#include "engine/objects/shapes/ShapeRangeObjects.h"
#include "engine/objects/shapes/TableObjects.h"
#include "engine/objects/text/RulerObjects.h"
#include "engine/objects/text/TextFrame2Objects.h"
#include "engine/objects/text/TextFrameLayoutMembers.h"
#include "engine/objects/timeline/AnimationSettingsObjects.h"

namespace quillmere::engine {
namespace {

constexpr int kScaleFromMiddle = 1;
constexpr int kScaleFromBottomRight = 2;

// PowerPoint refuses a member that does not apply to the shape as a bad
// argument, not as a failure: callers retry failures, so this must not be one.
[[noreturn]] void RefuseMember(std::string_view member, std::string_view why) {
  throw ComError(hr::kInvalidArgument, "Shape." + std::string(member) + " : " + std::string(why));
}

void Changed(ShapeObject& o) { o.doc->ShapesChanged(o.part, NamesStay); }

template <class FormatObject>
Value Format(ShapeObject& o) {
  return Value(std::make_shared<FormatObject>(o.Session(), o.shared_from_this()));
}

std::string_view Kind(const ShapeObject& o) { return LocalName(o.element); }

Frame CurrentFrame(ShapeObject& o) { return SlideFrame(*o.doc, o.part, o.element); }

void MoveTo(ShapeObject& o, const Frame& f, std::string_view member) {
  bool moved = true;
  for (const pugi::xml_node& shape : ShapeVariants(o.treeNode)) moved = SetSlideFrame(shape, f) && moved;
  if (!moved) RefuseMember(member, "This shape cannot be moved or sized.");
  Changed(o);
}

// p:cNvSpPr/a:spLocks, p:cNvPicPr/a:picLocks, ...: where noChangeAspect is kept.
pugi::xml_node LocksOf(const pugi::xml_node& shape, bool make) {
  pugi::xml_node cNv = DrawingPropertiesOf(shape).next_sibling();
  if (!cNv) return {};
  for (pugi::xml_node c = cNv.first_child(); c; c = c.next_sibling())
    if (LocalName(c).ends_with("Locks")) return c;
  if (!make) return {};
  std::string locks(LocalName(cNv).substr(3));  // "cNvPicPr" → "PicPr"
  locks = std::string(1, static_cast<char>(std::tolower(locks[0]))) + locks.substr(1, locks.size() - 3) + "Locks";
  return cNv.prepend_child(DrawingName(cNv, locks).c_str());
}

bool AspectLocked(const ShapeObject& o) {
  pugi::xml_attribute a = LocksOf(o.element, false).attribute("noChangeAspect");
  return a ? a.as_bool() : Kind(o) == "pic";
}

void SetAttribute(pugi::xml_node node, const char* name, bool on, const char* value = "1") {
  if (!on) {
    node.remove_attribute(name);
    return;
  }
  if (!node.attribute(name)) node.append_attribute(name);
  node.attribute(name).set_value(value);
}

void Resize(ShapeObject& o, double width, double height, int fixedCorner, std::string_view member) {
  Frame f = CurrentFrame(o);
  if (fixedCorner == kScaleFromMiddle) {
    f.left += (f.width - width) / 2;
    f.top += (f.height - height) / 2;
  } else if (fixedCorner == kScaleFromBottomRight) {
    f.left += f.width - width;
    f.top += f.height - height;
  }
  f.width = width;
  f.height = height;
  MoveTo(o, f, member);
}

// A side of the frame set; a locked aspect ratio makes the other follow, as in PowerPoint.
void PutExtent(ShapeObject& o, bool height, double value) {
  Frame f = CurrentFrame(o);
  double& changed = height ? f.height : f.width;
  double& other = height ? f.width : f.height;
  if (AspectLocked(o) && changed != 0) other *= value / changed;
  changed = value;
  MoveTo(o, f, height ? "Height" : "Width");
}

// Relative to the original size a picture scales its uncropped image at the
// present scale, of which the crop keeps showing the same fraction (PictureSize.h).
double ScaleBase(double shown, double cropStart, double cropEnd, bool original) {
  return original ? UncroppedExtent(shown, cropStart, cropEnd) * (1 - cropStart - cropEnd) : shown;
}

}  // namespace

bool RefusesOriginalSize(const ShapeObject& shape, Args args) {
  const bool original = !ArgAt(args, 1).IsEmpty() && ArgAt(args, 1).AsLong() != kMsoFalse;
  return original && LocalName(shape.element) != "pic";
}

namespace {

void Scale(ShapeObject& o, Args a, bool height) {
  std::string_view member = height ? "ScaleHeight" : "ScaleWidth";
  double factor = ArgAt(a, 0).AsDouble();
  bool original = !ArgAt(a, 1).IsEmpty() && ArgAt(a, 1).AsLong() != kMsoFalse;
  int corner = ArgAt(a, 2).IsEmpty() ? 0 : ArgAt(a, 2).AsLong();
  if (RefusesOriginalSize(o, a))
    RefuseMember(member, "The RelativeToOriginalSize argument applies only to a picture or an OLE object.");
  bool both = AspectLocked(o);
  double byWidth = height && !both ? 1.0 : factor, byHeight = height || both ? factor : 1.0;
  Frame f = CurrentFrame(o);
  PictureCrop crop = CropOf(o.element);
  Resize(o, ScaleBase(f.width, crop.left, crop.right, original) * byWidth,
         ScaleBase(f.height, crop.top, crop.bottom, original) * byHeight, corner, member);
}

int AutoShapeTypeOf(const ShapeObject& o) {
  std::string_view kind = Kind(o);
  if (kind == "grpSp" || kind == "cxnSp") return kAutoShapeMixed;
  pugi::xml_node spPr = ChildNamed(o.element, "spPr");
  if (ChildNamed(spPr, "custGeom")) return kAutoShapeNotPrimitive;
  pugi::xml_node prstGeom = ChildNamed(spPr, "prstGeom");
  if (!prstGeom) return kAutoShapeRectangle;
  return AutoShapeTypeOfPreset(prstGeom.attribute("prst").value()).value_or(kAutoShapeMixed);
}

void PutAutoShapeType(ShapeObject& o, int type) {
  std::string_view preset = PresetOfAutoShapeType(type);
  if (preset.empty()) throw ComError(hr::kInvalidArgument, "Shape.AutoShapeType : Invalid enumeration value.");
  std::string_view kind = Kind(o);
  if (kind != "sp" && kind != "pic") RefuseMember("AutoShapeType", "This shape's type cannot be changed.");
  o.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node spPr = ChildNamed(shape, "spPr");
    pugi::xml_node old = ChildNamed(spPr, "custGeom") ? ChildNamed(spPr, "custGeom") : ChildNamed(spPr, "prstGeom");
    pugi::xml_node xfrm = ChildNamed(spPr, "xfrm");
    pugi::xml_node geom = old    ? spPr.insert_child_before(DrawingName(spPr, "prstGeom").c_str(), old)
                          : xfrm ? spPr.insert_child_after(DrawingName(spPr, "prstGeom").c_str(), xfrm)
                                 : spPr.prepend_child(DrawingName(spPr, "prstGeom").c_str());
    if (old) spPr.remove_child(old);
    geom.append_attribute("prst") = std::string(preset).c_str();
    geom.append_child(DrawingName(spPr, "avLst").c_str());
  });
}

// The external target a picture or OLE object links to, "" when it links to none.
std::string LinkTargetOf(ShapeObject& o) {
  pugi::xml_node ole = o.element.find_node([](const pugi::xml_node& n) { return LocalName(n) == "oleObj"; });
  std::string_view picture = PrefixedAttribute(ChildNamed(ChildNamed(o.element, "blipFill"), "blip"), "link").value();
  for (std::string_view id : {picture, RelationshipId(ole)}) {
    const Relationship* rel = id.empty() ? nullptr : o.doc->Pkg().FindRelationship(o.part, id);
    if (rel && rel->external) return rel->target;
  }
  return {};
}

Value LinkFormat(ShapeObject& o) {
  std::optional<MediaReference> media = MediaReferenceOf(o.doc->Pkg(), o.part, o.element);
  std::string target = media ? media->linkedTarget : LinkTargetOf(o);
  if (target.empty()) RefuseMember("LinkFormat", "This member can only be accessed for a linked object.");
  std::string path = LinkedFilePath(target, o.doc->SourceFile().parent_path());
  return Value(std::make_shared<LinkFormatObject>(o.Session(), o.shared_from_this(), std::move(path)));
}

std::shared_ptr<ShapeRangeObject> RangeOf(ShapeObject& o, const std::vector<pugi::xml_node>& nodes) {
  std::vector<std::shared_ptr<ShapeObject>> shapes;
  for (const pugi::xml_node& n : nodes) shapes.push_back(o.Sibling(n));
  return std::make_shared<ShapeRangeObject>(o.Session(), std::move(shapes));
}

// PowerPoint keeps angles in 0..360 whatever sign the file wrote.
double NormalizedDegrees(double degrees) {
  degrees = std::fmod(degrees, 360.0);
  return degrees < 0 ? degrees + 360.0 : degrees;
}

Value Rotation(const ShapeObject& o) {
  return Value(static_cast<float>(NormalizedDegrees(TransformOf(o.element).attribute("rot").as_llong() / kAngleUnit)));
}

void PutRotation(ShapeObject& o, double degrees) {
  long long rot = std::llround(NormalizedDegrees(degrees) * kAngleUnit);
  o.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node xfrm = MakeTransform(shape);
    SetAttribute(xfrm, "rot", rot != 0, std::to_string(rot).c_str());
  });
}

Value Flipped(const ShapeObject& o, const char* attribute) {
  return MsoBool(TransformOf(o.element).attribute(attribute).as_bool());
}

void Flip(ShapeObject& o, int direction) {
  const char* attribute = direction == 0 ? "flipH" : "flipV";
  bool on = !TransformOf(o.element).attribute(attribute).as_bool();
  o.EditEachVariant([&](const pugi::xml_node& shape) { SetAttribute(MakeTransform(shape), attribute, on); });
}

std::string_view NameOf(const ShapeObject& o) { return DrawingPropertiesOf(o.element).attribute("name").value(); }

void Rename(ShapeObject& o, const std::string& name) {
  for (const pugi::xml_node& shape : ShapeVariants(o.treeNode)) {
    pugi::xml_node props = DrawingPropertiesOf(shape);
    if (!props.attribute("name")) props.append_attribute("name");
    props.attribute("name").set_value(name.c_str());
  }
  o.doc->ShapesChanged(o.part, [&](ShapeNames& names) {
    names.Remove(o.treeNode);
    names.Add(o.treeNode);
  });
}

void PutVisible(ShapeObject& o, bool visible) {
  o.EditEachVariant([&](const pugi::xml_node& shape) { SetAttribute(DrawingPropertiesOf(shape), "hidden", !visible); });
}

void PutLockAspectRatio(ShapeObject& o, bool locked) {
  o.EditEachVariant([&](const pugi::xml_node& shape) {
    pugi::xml_node locks = LocksOf(shape, true);
    // A picture locks by default: unlocking it has to be written.
    if (!locks.attribute("noChangeAspect")) locks.append_attribute("noChangeAspect");
    locks.attribute("noChangeAspect").set_value(locked ? "1" : "0");
  });
}

pugi::xml_node ParentGroupOf(const ShapeObject& o) {
  std::vector<pugi::xml_node> groups = EnclosingGroups(o.element);
  return groups.empty() ? pugi::xml_node() : groups.front();
}

Value Geometry(ShapeObject& o, double Frame::*side) { return Value(static_cast<float>(CurrentFrame(o).*side)); }

void PutPosition(ShapeObject& o, double Frame::*side, double value, std::string_view member) {
  Frame f = CurrentFrame(o);
  f.*side = value;
  MoveTo(o, f, member);
}

}  // namespace

ShapeObject::ShapeObject(std::shared_ptr<EngineSession> s, std::shared_ptr<PresentationDocument> d, std::string p,
                         pugi::xml_node treeChild, std::shared_ptr<Dispatch> owner)
    : EngineObject(std::move(s)),
      doc(std::move(d)),
      part(std::move(p)),
      element(ResolvedShape(treeChild)),
      parent(std::move(owner)),
      treeNode(treeChild),
      partDocument_(doc->PartRoot(part).root()),
      partsForgotten_(doc->PartsForgotten()) {}

bool ShapeObject::Exists() {
  return !deleted && element && PartStillThere(*doc, part, partDocument_, partsForgotten_);
}

Value ShapeObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (!Exists())
    throw ComError(hr::kUnspecified, "Shape (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

void ShapeObject::BecomeCopy(const pugi::xml_node& treeChild) {
  treeNode = treeChild;
  element = ResolvedShape(treeChild);
  pendingCopy = false;
}

std::shared_ptr<ShapeObject> ShapeObject::Sibling(const pugi::xml_node& treeChild) const {
  return std::make_shared<ShapeObject>(session_, doc, part, treeChild, parent);
}

const MemberTable<ShapeObject>& ShapeObject::Members() {
  static const MemberTable<ShapeObject> table{
      {.name = "Name",
       .get = [](ShapeObject& o, Args) { return Value(NameOf(o)); },
       .put = [](ShapeObject& o, Args, const Value& v) { Rename(o, v.AsString()); }},
      {.name = "Id",
       .get = [](ShapeObject& o, Args) { return Value(DrawingPropertiesOf(o.element).attribute("id").as_int()); }},
      {.name = "Parent", .get = [](ShapeObject& o, Args) { return Value(o.parent); }},
      {.name = "Type", .get = [](ShapeObject& o, Args) { return Value(ShapeTypeOf(o.element)); }},
      {.name = "AutoShapeType",
       .get = [](ShapeObject& o, Args) { return Value(AutoShapeTypeOf(o)); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutAutoShapeType(o, v.AsLong()); }},
      {.name = "Left",
       .get = [](ShapeObject& o, Args) { return Geometry(o, &Frame::left); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutPosition(o, &Frame::left, v.AsDouble(), "Left"); }},
      {.name = "Top",
       .get = [](ShapeObject& o, Args) { return Geometry(o, &Frame::top); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutPosition(o, &Frame::top, v.AsDouble(), "Top"); }},
      {.name = "Width",
       .get = [](ShapeObject& o, Args) { return Geometry(o, &Frame::width); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutExtent(o, false, v.AsDouble()); }},
      {.name = "Height",
       .get = [](ShapeObject& o, Args) { return Geometry(o, &Frame::height); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutExtent(o, true, v.AsDouble()); }},
      {.name = "Rotation",
       .get = [](ShapeObject& o, Args) { return Rotation(o); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutRotation(o, v.AsDouble()); }},
      {.name = "HorizontalFlip", .get = [](ShapeObject& o, Args) { return Flipped(o, "flipH"); }},
      {.name = "VerticalFlip", .get = [](ShapeObject& o, Args) { return Flipped(o, "flipV"); }},
      {.name = "Flip",
       .call =
           [](ShapeObject& o, Args a) {
             int direction = ArgAt(a, 0).AsLong();
             if (direction != 0 && direction != 1)
               throw ComError(hr::kInvalidArgument, "Shape.Flip : Invalid enumeration value.");
             Flip(o, direction);
             return Value();
           }},
      {.name = "LockAspectRatio",
       .get = [](ShapeObject& o, Args) { return MsoBool(AspectLocked(o)); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutLockAspectRatio(o, v.AsLong() != kMsoFalse); }},
      {.name = "Visible",
       .get = [](ShapeObject& o,
                 Args) { return MsoBool(!DrawingPropertiesOf(o.element).attribute("hidden").as_bool()); },
       .put = [](ShapeObject& o, Args, const Value& v) { PutVisible(o, v.AsLong() != kMsoFalse); }},
      {.name = "AlternativeText",
       .get = [](ShapeObject& o, Args) { return Value(DrawingPropertiesOf(o.element).attribute("descr").value()); }},
      {.name = "Adjustments",
       .get = [](ShapeObject& o,
                 Args) { return Value(std::make_shared<AdjustmentsObject>(o.Session(), o.shared_from_this())); }},
      {.name = "Connector", .get = [](ShapeObject& o, Args) { return MsoBool(Kind(o) == "cxnSp"); }},
      {.name = "ConnectorFormat",
       .get =
           [](ShapeObject& o, Args) {
             if (Kind(o) != "cxnSp") RefuseMember("ConnectorFormat", "This member can only be accessed for a connector.");
             return Value(std::make_shared<ConnectorFormatObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Callout",
       .get =
           [](ShapeObject& o, Args) {
             if (Kind(o) != "sp" || !IsLineCalloutPreset(PresetGeometryOf(o.element)))
               RefuseMember("Callout", "This member can only be accessed for a callout.");
             return Value(std::make_shared<CalloutFormatObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "PlaceholderFormat",
       .get =
           [](ShapeObject& o, Args) {
             if (!PlaceholderOf(o.element)) RefuseMember("PlaceholderFormat", "This shape is not a placeholder.");
             return Value(std::make_shared<PlaceholderFormatObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "GroupItems",
       .get =
           [](ShapeObject& o, Args) {
             if (Kind(o) != "grpSp") RefuseMember("GroupItems", "This member can only be accessed for a group.");
             return Value(std::make_shared<GroupItemsObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Child", .get = [](ShapeObject& o, Args) { return MsoBool(static_cast<bool>(ParentGroupOf(o))); }},
      {.name = "ParentGroup",
       .get =
           [](ShapeObject& o, Args) {
             pugi::xml_node group = ParentGroupOf(o);
             if (!group) RefuseMember("ParentGroup", "This member can only be accessed for a shape in a group.");
             return Value(o.Sibling(group));
           }},
      {.name = "HasTextFrame", .get = [](ShapeObject& o, Args) { return MsoBool(Kind(o) == "sp"); }},
      {.name = "HasTable",
       .get = [](ShapeObject& o, Args) { return MsoBool(ContentTypeOf(o.element) == shape_type::kTable); }},
      {.name = "HasChart",
       .sinceVersion = 12,
       .get = [](ShapeObject& o, Args) { return MsoBool(ContentTypeOf(o.element) == shape_type::kChart); }},
      {.name = "HasSmartArt",
       .sinceVersion = 14,
       .get = [](ShapeObject& o, Args) { return MsoBool(ContentTypeOf(o.element) == shape_type::kSmartArt); }},
      {.name = "MediaType",
       .get =
           [](ShapeObject& o, Args) {
             int media = MediaTypeOf(o.doc->Pkg(), o.part, o.element);
             if (media == 0) RefuseMember("MediaType", "This member can only be accessed for a media object.");
             return Value(media);
           }},
      {.name = "LinkFormat", .get = [](ShapeObject& o, Args) { return LinkFormat(o); }},
      {.name = "MediaFormat",
       .sinceVersion = 14,
       .get = [](ShapeObject& o, Args) { return MediaFormatOf(o.shared_from_this()); }},
      {.name = "SoundFormat", .get = [](ShapeObject& o, Args) { return SoundFormatOf(o.shared_from_this()); }},
      {.name = "AnimationSettings",
       .get =
           [](ShapeObject& o, Args) {
             return Value(std::make_shared<AnimationSettingsObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "ActionSettings", .get = [](ShapeObject& o, Args a) { return ActionSettingsOf(o, a); }},
      {.name = "Tags",
       .get =
           [](ShapeObject& o, Args) {
             return Value(std::make_shared<TagsObject>(o.Session(), o.doc, o.part, o.shared_from_this()));
           }},
      {.name = "ZOrderPosition", .get = [](ShapeObject& o, Args) { return Value(ShapesBefore(o.treeNode) + 1); }},
      {.name = "TextFrame",
       .get =
           [](ShapeObject& o, Args) {
             // Only autoshapes (placeholders among them) carry a text frame.
             if (Kind(o) != "sp") RefuseMember("TextFrame", "This type of shape cannot have a text frame.");
             return Value(std::make_shared<TextFrameObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Fill", .get = [](ShapeObject& o, Args) { return Format<FillFormatObject>(o); }},
      {.name = "Line", .get = [](ShapeObject& o, Args) { return Format<LineFormatObject>(o); }},
      {.name = "Shadow", .get = [](ShapeObject& o, Args) { return Format<ShadowFormatObject>(o); }},
      {.name = "Glow", .sinceVersion = 12, .get = [](ShapeObject& o, Args) { return Format<GlowFormatObject>(o); }},
      {.name = "SoftEdge",
       .sinceVersion = 12,
       .get = [](ShapeObject& o, Args) { return Format<SoftEdgeFormatObject>(o); }},
      {.name = "Reflection",
       .sinceVersion = 12,
       .get = [](ShapeObject& o, Args) { return Format<ReflectionFormatObject>(o); }},
      {.name = "ThreeD", .get = [](ShapeObject& o, Args) { return Format<ThreeDFormatObject>(o); }},
      {.name = "PictureFormat", .get = [](ShapeObject& o, Args) { return Format<PictureFormatObject>(o); }},
      {.name = "TextEffect", .get = [](ShapeObject& o, Args) { return Format<TextEffectFormatObject>(o); }},
      {.name = "TextFrame2",
       .sinceVersion = 12,
       .get =
           [](ShapeObject& o, Args) {
             if (Kind(o) != "sp") RefuseMember("TextFrame2", "This type of shape cannot have a text frame.");
             return Value(std::make_shared<TextFrame2Object>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Table",
       .get =
           [](ShapeObject& o, Args) {
             if (ContentTypeOf(o.element) != shape_type::kTable) RefuseMember("Table", "This shape does not have a table.");
             return Value(std::make_shared<TableObject>(o.Session(), o.shared_from_this()));
           }},
      {.name = "Duplicate", .call = [](ShapeObject& o, Args) { return Value(DuplicateLater(o)); }},
      {.name = "Copy",
       .call =
           [](ShapeObject& o, Args) {
             CopyShapesToClipboard({o.shared_from_this()}, "Shape.Copy");
             return Value();
           }},
      {.name = "Delete",
       .call =
           [](ShapeObject& o, Args) {
             if (o.pendingCopy)
               o.Session()->deferredEdit.reset();  // nothing was made, nothing to remove
             else
               DeleteShape(*o.doc, o.part, o.treeNode);
             o.deleted = true;
             return Value();
           }},
      {.name = "Ungroup",
       .call =
           [](ShapeObject& o, Args) {
             if (Kind(o) != "grpSp" || o.treeNode != o.element)
               RefuseMember("Ungroup", "This member can only be accessed for a group.");
             std::vector<pugi::xml_node> members = UngroupShape(*o.doc, o.part, o.element);
             o.deleted = true;
             return Value(RangeOf(o, members));
           }},
      {.name = "ZOrder",
       .call =
           [](ShapeObject& o, Args a) {
             // 4 and 5 place a shape in front of or behind a document's text, which slides do not have.
             int move = ArgAt(a, 0).AsLong();
             if (move < 0 || move > 3) throw ComError(hr::kInvalidArgument, "Shape.ZOrder : Invalid request.");
             ReorderShape(*o.doc, o.part, o.treeNode, static_cast<ZOrderMove>(move));
             return Value();
           }},
      {.name = "Export",
       .call = [](ShapeObject& o, Args a) { return ExportShapeImages({o.shared_from_this()}, "Shape.Export", a); }},
      {.name = "ScaleHeight",
       .call =
           [](ShapeObject& o, Args a) {
             Scale(o, a, true);
             return Value();
           }},
      {.name = "ScaleWidth",
       .call =
           [](ShapeObject& o, Args a) {
             Scale(o, a, false);
             return Value();
           }},
  };
  return table;
}

const MemberTable<PlaceholderFormatObject>& PlaceholderFormatObject::Members() {
  static const MemberTable<PlaceholderFormatObject> table{
      {.name = "Type",
       .get = [](PlaceholderFormatObject& o, Args) { return Value(PlaceholderType(PlaceholderOf(o.shape->element))); }},
      {.name = "ContainedType",
       .sinceVersion = 12,
       .get = [](PlaceholderFormatObject& o, Args) { return Value(ContentTypeOf(o.shape->element)); }},
      {.name = "Parent", .get = [](PlaceholderFormatObject& o, Args) { return Value(o.shape); }},
  };
  return table;
}

const MemberTable<TextFrameObject>& TextFrameObject::Members() {
  static const MemberTable<TextFrameObject> table = MemberTable<TextFrameObject>{
      {.name = "TextRange",
       .get = [](TextFrameObject& o, Args) { return Value(WholeTextOf(o.Session(), o.shape, TextFlavour::Classic)); }},
      {.name = "Ruler",
       .get = [](TextFrameObject& o, Args) { return Value(std::make_shared<RulerObject>(o.Session(), o.shape)); }},
      {.name = "HasText",
       .get = [](TextFrameObject& o, Args) { return MsoBool(!TextOfBody(ChildNamed(o.shape->element, "txBody")).empty()); }},
      {.name = "Parent", .get = [](TextFrameObject& o, Args) { return Value(o.shape); }},
  }.With(TextFrameLayoutMembers<TextFrameObject>(false));
  return table;
}

}  // namespace quillmere::engine
