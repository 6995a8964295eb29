#include "engine/core/MemberFailure.h"
#include "engine/objects/media/MediaObjects.h"

#include <cmath>
#include <filesystem>
#include <fstream>

#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "support/files/Paths.h"
#include "support/text/Text.h"

namespace quillmere::engine {
namespace {

constexpr int kSoundNone = 0;  // PpSoundFormatType
constexpr int kSoundWav = 1;
constexpr int kSoundMidi = 2;

MediaReference ReferenceOf(ShapeObject& shape, std::string_view member) {
  std::optional<MediaReference> reference = MediaReferenceOf(shape.doc->Pkg(), shape.part, shape.element);
  // A member that does not apply is refused as a bad argument, as the shape's own are.
  if (!reference) FailMember(member, "This member can only be accessed for a media object.", hr::kInvalidArgument);
  return *reference;
}

std::uint32_t ShapeId(const ShapeObject& shape) { return DrawingPropertiesOf(shape.element).attribute("id").as_uint(); }

std::shared_ptr<const AnimationTimeline> TimelineOf(const ShapeObject& shape) {
  return shape.doc->TimelineOf(shape.part);
}

int Milliseconds(double ms) { return static_cast<int>(std::lround(ms)); }

// The whole media's length: what the timeline plays of it and what the trim leaves out.
double Length(const MediaFormatObject& o) {
  double played = MediaPlayTime(*TimelineOf(*o.shape), ShapeId(*o.shape));
  return played > 0 ? played + o.reference.trimStart + o.reference.trimEnd : 0;
}

Value Volume(const MediaFormatObject& o) {
  const AnimMediaNode* node = MediaNodeOf(*TimelineOf(*o.shape), ShapeId(*o.shape));
  return Value(static_cast<float>(node ? node->volume : AnimMediaNode{}.volume));
}

// PpSoundFormatType by the file's extension, the part's or the linked file's.
int SoundType(const MediaReference& r) {
  std::string name = LowerAscii(r.embeddedPart.empty() ? r.linkedTarget : r.embeddedPart);
  if (name.ends_with(".wav")) return kSoundWav;
  if (name.ends_with(".mid") || name.ends_with(".midi")) return kSoundMidi;
  return kSoundNone;
}

void ExportSound(SoundFormatObject& o, const std::string& file) {
  constexpr std::string_view kMember = "SoundFormat.Export";
  if (file.empty()) FailMember(kMember, "Invalid request.", hr::kInvalidArgument);
  if (o.reference.embeddedPart.empty()) FailMember(kMember, "The sound is not embedded in the presentation.");
  std::string bytes;
  try {
    bytes = o.shape->doc->Pkg().ReadBytes(o.reference.embeddedPart);
  } catch (const PackageError& e) {
    FailMember(kMember, std::string("The sound cannot be read (") + e.what() + ").");
  }
  std::ofstream out(Utf8Path(file), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::error_code ignored;
    std::filesystem::remove(Utf8Path(file), ignored);  // no half-written sound is left behind
    FailMember(kMember, "The file " + file + " could not be written.");
  }
}

}  // namespace

Value MediaFormatOf(const std::shared_ptr<ShapeObject>& shape) {
  MediaReference reference = ReferenceOf(*shape, "Shape.MediaFormat");
  return Value(std::make_shared<MediaFormatObject>(shape->Session(), shape, std::move(reference)));
}

Value SoundFormatOf(const std::shared_ptr<ShapeObject>& shape) {
  MediaReference reference = ReferenceOf(*shape, "Shape.SoundFormat");
  if (MediaTypeOf(shape->doc->Pkg(), shape->part, shape->element) != kMediaSound)
    FailMember("Shape.SoundFormat", "This member can only be accessed for a sound.", hr::kInvalidArgument);
  return Value(std::make_shared<SoundFormatObject>(shape->Session(), shape, std::move(reference)));
}

const MemberTable<MediaFormatObject>& MediaFormatObject::Members() {
  using O = MediaFormatObject;
  static const MemberTable<O> table{
      {.name = "Length", .get = [](O& o, Args) { return Value(Milliseconds(Length(o))); }},
      {.name = "StartPoint", .get = [](O& o, Args) { return Value(Milliseconds(o.reference.trimStart)); }},
      {.name = "EndPoint",
       .get = [](O& o, Args) { return Value(Milliseconds(std::max(0.0, Length(o) - o.reference.trimEnd))); }},
      {.name = "FadeInDuration", .get = [](O& o, Args) { return Value(Milliseconds(o.reference.fadeIn)); }},
      {.name = "FadeOutDuration", .get = [](O& o, Args) { return Value(Milliseconds(o.reference.fadeOut)); }},
      {.name = "Volume", .get = [](O& o, Args) { return Volume(o); }},
      {.name = "Muted",
       .get =
           [](O& o, Args) {
             const AnimMediaNode* node = MediaNodeOf(*TimelineOf(*o.shape), ShapeId(*o.shape));
             return MsoBool(node && node->mute);
           }},
      {.name = "IsLinked", .get = [](O& o, Args) { return MsoBool(!o.reference.linkedTarget.empty()); }},
      {.name = "IsEmbedded", .get = [](O& o, Args) { return MsoBool(!o.reference.embeddedPart.empty()); }},
      {.name = "Parent", .get = [](O& o, Args) { return Value(o.shape); }},
  };
  return table;
}

const MemberTable<SoundFormatObject>& SoundFormatObject::Members() {
  using O = SoundFormatObject;
  static const MemberTable<O> table{
      {.name = "Type", .get = [](O& o, Args) { return Value(SoundType(o.reference)); }},
      {.name = "Export",
       .call =
           [](O& o, Args a) {
             ExportSound(o, ArgAt(a, 0).AsString());
             return Value();
           }},
      {.name = "Parent", .get = [](O& o, Args) { return Value(o.shape); }},
  };
  return table;
}

}  // namespace quillmere::engine
