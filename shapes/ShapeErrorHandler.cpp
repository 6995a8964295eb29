#include "shapes/ShapeErrorHandler.h"

#include <memory>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"

namespace quillmere {
namespace {

constexpr std::string_view kLabel = "Shape Properties: ";

std::string ShapeNameAndId(const Object& shape) {
  std::string name, id;
  try {
    name = shape.Get("Name").AsString();
    id = std::to_string(shape.Get("id").AsLong());
  } catch (const std::exception&) {
    // The report names what could be read.
  }
  return " Shape name: " + name + "(" + id + ") ";
}

// "Master" + name, "Slide " + slide index, or "Slide " + layout index; empty
// when the parent cannot be read.
std::string ShapeOwnerLabel(const Object& shape) {
  try {
    Object parent = shape.Child("Parent");
    std::string_view type = parent.TypeName();
    if (type == "Master") return "Master" + parent.Get("Name").AsString();
    if (type == "Slide") return "Slide " + std::to_string(parent.Get("SlideIndex").AsLong());
    return "Slide " + std::to_string(parent.Get("Index").AsLong());
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace

StepRunner RetryingSteps(ExportContext& context, std::string label, std::string location,
                         std::function<std::string()> subject) {
  auto retries = std::make_shared<int>(0);
  return StepRunner([&context, label = std::move(label), location = std::move(location), subject = std::move(subject),
                     retries](const ComError& e, int step) {
    std::string detail = ErrorLogText(label, e, location, step) + (subject ? subject() : std::string());
    Trace(detail);
    if (e.Number() != hr::kCallRejected && e.Number() != hr::kUnspecified) {
      LogWriterError(context, e, detail);
      return StepAction::Continue;
    }
    if (*retries <= kRetryLimit) {
      ++*retries;
      context.SleepFor(kRetryDelayMs);
      WriteExportLog(detail + " - " + std::to_string(*retries));
      WriteExportLog(label + "Retrying the command.");
      return StepAction::Retry;
    }
    WriteExportLog(detail);
    WriteExportLog(label + "Resuming execution.");
    return StepAction::Continue;
  });
}

StepRunner ShapeSteps(ExportContext& context, const Object& shape, std::string location) {
  return RetryingSteps(context, std::string(kLabel), std::move(location),
                       [shape] { return ShapeNameAndId(shape) + ShapeOwnerLabel(shape); });
}

StepRunner TextSteps(ExportContext& context, const Object& shape) {
  return RetryingSteps(context, "Text Properties: ", " in Quillmere.bXML.SlideProperties at line ",
                       [shape] { return ShapeNameAndId(shape); });
}

}  // namespace quillmere
