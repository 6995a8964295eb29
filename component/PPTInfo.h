#pragma once
// The library's public class. A host creates one on its thread, sets the event
// callbacks, and calls one export method per presentation; each returns a
// StatusCode and, in propertiesXML, the full path of the XML file written.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "component/StatusCode.h"
#include "objectmodel/ExportContext.h"

namespace quillmere {

class AutomationRuntime;
class Sleeper;
struct DriverContext;

struct PPTInfoEvents {
  // Raised between units of work; set cancel to stop the export.
  std::function<void(bool& cancel)> AbortConversion;
  // Current never passes Max.
  std::function<void(std::int32_t& current, std::int32_t& max)> Progress;
  // Run after each event so that the host's own event loop stays responsive.
  std::function<void()> ProcessMessages;
};

struct PPTInfoOptions {
  // Who answers for PowerPoint; MakeDefaultRuntime() when not set.
  std::shared_ptr<AutomationRuntime> runtime;
  // Every wait (busy retries, settling after quit) goes through this.
  std::shared_ptr<Sleeper> sleeper;
};

class PPTInfo : private ExportEvents {
 public:
  explicit PPTInfo(PPTInfoOptions options = {});
  ~PPTInfo();
  PPTInfo(const PPTInfo&) = delete;
  PPTInfo& operator=(const PPTInfo&) = delete;

  PPTInfoEvents& Events() { return events_; }
  // Why images were not drawn since the last call (empty when they were or
  // none were asked for), for telling the user once.
  std::string TakeImageNotice();

  std::int32_t GenerateThumbnails(std::string& presentationName, std::string& propertiesXML,
                                  std::string outputFolder = "");
  std::int32_t PPTSlides(std::string& presentationName, std::int32_t& slideList, std::string& propertiesXML,
                         std::string outputFolder = "");
  std::int32_t PPTSlideSelection(std::string& presentationName, std::string& slideList, std::string& propertiesXML,
                                 std::string outputFolder = "");
  std::int32_t PPTActiveSlide(std::string& propertiesXML, std::string outputFolder = "");
  std::int32_t PPTActivePresentation(std::string& propertiesXML, std::string outputFolder = "");
  std::int32_t PPTSlide(std::string& presentationName, std::int32_t& index, std::string& propertiesXML,
                        std::string outputFolder = "");
  std::int32_t PPTPresentation(std::string& presentationName, std::string& propertiesXML,
                               std::string outputFolder = "");

  // What PowerPoint said when the last export could not open its deck
  // (status ERR_PRESENTATION_OPEN_FAILED); empty otherwise. For tools that
  // tell the user why; not part of the automation interface.
  const std::string& OpenFailure() const;

  void SkipUnusedLayouts(bool value) { skipUnusedLayouts_ = value; }
  bool SkipUnusedLayouts() const { return skipUnusedLayouts_; }

 private:
  // The writers ask the host whether to stop, and report progress.
  bool CheckAbort() override;
  void ReportProgress(std::int32_t current, std::int32_t max) override;

  template <class Driver>
  std::int32_t RunExport(std::string& propertiesXML, Driver&& driver);
  void ProcessMessages();
  DriverContext MakeContext();

  PPTInfoEvents events_;
  std::shared_ptr<AutomationRuntime> runtime_;
  // Declared after the runtime, so destroyed before it: its objects belong to the runtime.
  ExportContext context_;
  bool cancel_ = false;
  bool skipUnusedLayouts_ = false;
  std::int32_t lastStatus_ = ERR_SUCCESS;
};

}  // namespace quillmere
