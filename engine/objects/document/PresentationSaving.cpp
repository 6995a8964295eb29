#include "engine/objects/document/PresentationSaving.h"

#include <string>

#include "engine/objects/document/WebPageSave.h"
#include "engine/objects/images/SlideImages.h"
#include "support/files/Paths.h"

namespace quillmere::engine {
namespace {

constexpr int kSaveAsDefault = 11;
constexpr int kSaveAsHtml = 12;
constexpr int kSaveAsOpenXmlPresentation = 24;
constexpr std::string_view kPresentationMainType =
    "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml";

int FormatOf(Args a) { return ArgAt(a, 1).IsEmpty() ? kSaveAsDefault : ArgAt(a, 1).AsLong(); }

void SavePackage(PresentationObject& o, const std::string& file, int format, std::string_view member) {
  try {
    // An Open XML copy is a presentation even when the deck is a template, a show or macro-enabled.
    o.doc->Pkg().SaveAs(Utf8Path(file),
                        format == kSaveAsOpenXmlPresentation ? kPresentationMainType : std::string_view());
  } catch (const PackageError& e) {
    std::string why = e.what();
    throw ComError(hr::kUnspecified,
                   std::string(member) + " : An error occurred while PowerPoint was saving the file. (" + why + ")");
  }
}

[[noreturn]] void UnknownFormat(std::string_view member) {
  throw ComError(hr::kInvalidArgument, std::string(member) + " : Invalid enumeration value.");
}

}  // namespace

Value SaveCopyAs(PresentationObject& o, Args a) {
  constexpr std::string_view kMember = "Presentation.SaveCopyAs";
  DrawImagesOf(*o.Session(), *o.doc);
  int format = FormatOf(a);
  if (format != kSaveAsDefault && format != kSaveAsOpenXmlPresentation) UnknownFormat(kMember);
  SavePackage(o, ArgAt(a, 0).AsString(), format, kMember);
  return {};
}

Value SaveAs(PresentationObject& o, Args a) {
  constexpr std::string_view kMember = "Presentation.SaveAs";
  DrawImagesOf(*o.Session(), *o.doc);
  std::string file = ArgAt(a, 0).AsString();
  int format = FormatOf(a);
  if (format == kSaveAsHtml)
    SaveAsWebPage(*o.doc, Utf8Path(file), o.name);
  else if (format == kSaveAsDefault || format == kSaveAsOpenXmlPresentation)
    SavePackage(o, file, format, kMember);
  else
    UnknownFormat(kMember);
  o.NameAfterFile(file);
  o.saved = true;
  return {};
}

}  // namespace quillmere::engine
