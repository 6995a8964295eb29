#include "component/PPTInfo.h"

#include "component/DefaultRuntime.h"
#include "component/drivers/Drivers.h"
#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "objectmodel/trace/Trace.h"
#include "support/platform/Sleeper.h"

namespace quillmere {

PPTInfo::PPTInfo(PPTInfoOptions options)
    : runtime_(options.runtime ? std::move(options.runtime) : MakeDefaultRuntime()) {
  context_.decimalSeparator = GetDecimalSeparator();
  context_.events = this;
  context_.sleeper = options.sleeper ? std::move(options.sleeper) : MakeRealSleeper();
  DeleteExportLog();
}

PPTInfo::~PPTInfo() {
  if (!context_.wasRunning && context_.application) {
    try {
      context_.application.Call("Quit");
    } catch (const std::exception&) {
      // Already gone: nothing left to stop.
    }
    Trace("PPTInfo Class Terminate: Terminating instance, if needed.");
  }
  context_.application = Object();
  ProcessMessages();
  Trace("PPTInfo Class Terminate: Clearing reference.");
}

void PPTInfo::ProcessMessages() {
  if (events_.ProcessMessages) events_.ProcessMessages();
}

const std::string& PPTInfo::OpenFailure() const { return context_.openFailure; }

bool PPTInfo::CheckAbort() {
  if (!cancel_ && events_.AbortConversion) events_.AbortConversion(cancel_);
  ProcessMessages();
  return cancel_;
}

void PPTInfo::ReportProgress(std::int32_t current, std::int32_t max) {
  if (events_.Progress) events_.Progress(current, max);
  ProcessMessages();
}

DriverContext PPTInfo::MakeContext() {
  return DriverContext{*runtime_, [this] { ProcessMessages(); }};
}

template <class Driver>
std::int32_t PPTInfo::RunExport(std::string& propertiesXML, Driver&& driver) {
  DriverContext ctx = MakeContext();
  std::string xmlPath;
  context_.openFailure.clear();
  std::int32_t status = driver(ctx, xmlPath);
  runtime_->FinishPendingWork();
  lastStatus_ = status;
  if (cancel_) status = ERR_USER_CANCEL;
  propertiesXML = xmlPath;
  return status;
}

std::int32_t PPTInfo::GenerateThumbnails(std::string& presentationName, std::string& propertiesXML,
                                         std::string outputFolder) {
  DriverContext ctx = MakeContext();
  context_.openFailure.clear();
  std::string xmlPath = propertiesXML;
  std::int32_t status = quillmere::GenerateThumbnails(context_, ctx, presentationName, xmlPath, outputFolder);
  lastStatus_ = status;
  if (status == ERR_SUCCESS) propertiesXML = xmlPath;
  return status;
}

std::int32_t PPTInfo::PPTSlides(std::string&, std::int32_t&, std::string&, std::string) { return ERR_SUCCESS; }

std::int32_t PPTInfo::PPTSlideSelection(std::string& presentationName, std::string& slideList,
                                        std::string& propertiesXML, std::string outputFolder) {
  return RunExport(propertiesXML, [&](DriverContext& ctx, std::string& xml) {
    return GetPresentationXML(context_, ctx, presentationName, xml, outputFolder, slideList);
  });
}

std::int32_t PPTInfo::PPTActiveSlide(std::string& propertiesXML, std::string outputFolder) {
  return PPTActivePresentation(propertiesXML, std::move(outputFolder));
}

std::int32_t PPTInfo::PPTActivePresentation(std::string& propertiesXML, std::string outputFolder) {
  return RunExport(propertiesXML, [&](DriverContext& ctx, std::string& xml) {
    return GetActivePresentationXML(context_, ctx, xml, outputFolder);
  });
}

std::int32_t PPTInfo::PPTSlide(std::string& presentationName, std::int32_t& index, std::string& propertiesXML,
                               std::string outputFolder) {
  return RunExport(propertiesXML, [&](DriverContext& ctx, std::string& xml) {
    return GetSlideXML(context_, ctx, presentationName, index, xml, outputFolder);
  });
}

std::int32_t PPTInfo::PPTPresentation(std::string& presentationName, std::string& propertiesXML,
                                      std::string outputFolder) {
  return RunExport(propertiesXML, [&](DriverContext& ctx, std::string& xml) {
    return GetPresentationXML(context_, ctx, presentationName, xml, outputFolder, {});
  });
}

std::string PPTInfo::TakeImageNotice() { return runtime_->TakeImageNotice(); }

}  // namespace quillmere
