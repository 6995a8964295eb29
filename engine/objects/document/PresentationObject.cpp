#include "engine/objects/document/PresentationObject.h"

#include <filesystem>

#include "engine/model/text/PresentationFonts.h"
#include "engine/objects/document/ApplicationObjects.h"
#include "engine/objects/document/DocumentObjects.h"
#include "engine/objects/document/PresentationSaving.h"
#include "engine/objects/images/SlideImages.h"
#include "engine/objects/slides/DesignObjects.h"
#include "engine/objects/slides/SlideObjects.h"
#include "engine/objects/slides/ThemeObjects.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kMarkAsFinal = "_MarkAsFinal";

bool IsFinal(PresentationObject& o) {
  auto& props = o.CustomProperties()->properties;
  auto i = props.IndexOf(kMarkAsFinal);
  return i && props.ValueAt(*i).AsBool();
}

}  // namespace

Value PresentationObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (closed) throw ComError(hr::kUnspecified, "Presentation (unknown member) : Object does not exist.");
  return EngineObject::Invoke(kind, member, args);
}

std::shared_ptr<DesignsObject> PresentationObject::Designs() {
  if (!designs_) designs_ = std::make_shared<DesignsObject>(session_, doc);
  return designs_;
}

std::shared_ptr<SlidesObject> PresentationObject::Slides() {
  if (!slides_) slides_ = std::make_shared<SlidesObject>(session_, doc, Designs(), weak_from_this());
  return slides_;
}

std::shared_ptr<DocumentPropertiesObject> PresentationObject::CustomProperties() {
  if (!customProperties_) customProperties_ = std::make_shared<DocumentPropertiesObject>(session_, doc);
  return customProperties_;
}

const std::vector<std::string>& PresentationObject::Fonts() {
  std::pair<unsigned, unsigned> revision{doc->TextRevision(), doc->SlidesRevision()};
  if (fontsRevision_ != revision) {
    fonts_ = PresentationFonts(*doc);
    fontsRevision_ = revision;
  }
  return fonts_;
}

void PresentationObject::Close() {
  DrawImagesOf(*session_, *doc);
  closed = true;
  if (auto list = owner.lock()) list->Remove(this);
}

void PresentationObject::NameAfterFile(const std::string& file) {
  std::filesystem::path full = std::filesystem::absolute(Utf8Path(file));
  fullName = Utf8NativeText(full);
  name = Utf8Text(full.filename());
  path = Utf8NativeText(full.parent_path());
}

const MemberTable<PresentationObject>& PresentationObject::Members() {
  static const MemberTable<PresentationObject> table{
      {.name = "FullName", .get = [](PresentationObject& o, Args) { return Value(o.fullName); }},
      {.name = "Name", .get = [](PresentationObject& o, Args) { return Value(o.name); }},
      {.name = "Path", .get = [](PresentationObject& o, Args) { return Value(o.path); }},
      {.name = "Saved",
       .get = [](PresentationObject& o, Args) { return MsoBool(o.saved); },
       .put = [](PresentationObject& o, Args, const Value& v) { o.saved = v.AsBool(); }},
      {.name = "Final",
       .sinceVersion = 12,
       .get = [](PresentationObject& o, Args) { return Value(IsFinal(o)); },
       .put =
           [](PresentationObject& o, Args, const Value& v) {
             if (v.AsBool()) return;
             auto& props = o.CustomProperties()->properties;
             if (auto i = props.IndexOf(kMarkAsFinal)) props.Remove(*i);
           }},
      {.name = "Close",
       .call =
           [](PresentationObject& o, Args) {
             o.Close();
             return Value();
           }},
      {.name = "Slides", .get = [](PresentationObject& o, Args) { return Value(o.Slides()); }},
      {.name = "Designs", .get = [](PresentationObject& o, Args) { return Value(o.Designs()); }},
      {.name = "Fonts",
       .get =
           [](PresentationObject& o, Args) {
             return Value(std::make_shared<FontsObject>(o.Session(), o.Fonts()));
           }},
      {.name = "PageSetup",
       .get = [](PresentationObject& o, Args) { return Value(std::make_shared<PageSetupObject>(o.Session(), o.doc)); }},
      {.name = "Tags",
       .get = [](PresentationObject& o, Args) {
         return Value(std::make_shared<TagsObject>(o.Session(), o.doc, o.doc->MainPart()));
       }},
      {.name = "CustomDocumentProperties", .get = [](PresentationObject& o, Args) { return Value(o.CustomProperties()); }},
      {.name = "SaveCopyAs", .call = SaveCopyAs},
      {.name = "SaveAs", .call = SaveAs},
      {.name = "Export",
       .call =
           [](PresentationObject& o, Args a) {
             ExportSlideImages(*o.Session(), *o.doc, a);
             return Value();
           }},
  };
  return table;
}

}  // namespace quillmere::engine
