#pragma once
// What the writers of one export share. The public class keeps one for its
// exports and passes it down: the driver fills in the application and the
// presentation, the presentation writer the output folder, scale and
// progress, and every writer reads them from the context it is given.

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

class Sleeper;

// Where the writers' events go: the public class raises them to its host.
class ExportEvents {
 public:
  virtual ~ExportEvents() = default;
  // True when the host asked to cancel.
  virtual bool CheckAbort() = 0;
  // Raises Progress; current is at most max.
  virtual void ReportProgress(std::int32_t current, std::int32_t max) = 0;
};

struct ExportContext {
  Object application;      // the PowerPoint instance in use
  bool wasRunning = false;  // attached to a running instance rather than started one
  std::string outputFolder;  // always ends in a separator
  std::string presentationName;
  Object presentation;  // the deck being exported, where temporary slides are added
  std::string projectArchivePath;
  std::set<std::string> extractedArchiveFolders;  // folders of that archive already in the output folder
  float slideWidth = 0.0f, slideHeight = 0.0f;  // points
  float scaleX = 0.0f, scaleY = 0.0f;           // screen pixels per point
  std::int32_t progressCurrent = 0, progressMax = 0;
  std::string decimalSeparator = ".";
  ExportEvents* events = nullptr;
  std::shared_ptr<Sleeper> sleeper;  // every wait of the writers
  std::set<std::string> refusalsLogged;  // descriptions of the calls refused as aborted that were logged
  std::string openFailure;  // what PowerPoint said when the last export could not open its deck

  // The application's major version (11 = 2003, 12 = 2007, 14 = 2010), which
  // picks the older or newer branch of most writers; throws ComError when no
  // application is set.
  std::int16_t MajorVersion() const;
  // A single value as the platform writes it, with the locale's separator.
  std::string PlatformText(float value) const;
  // A value in points times a scale factor, as text with "." as the separator
  // whatever the locale.
  std::string DecimalText(float points, float scale) const;
  // Waits through the sleeper (no wait when none is set).
  void SleepFor(std::int32_t milliseconds) const;
  // False when no events are connected.
  bool CheckAbort() const;
  // Clamps progressCurrent to progressMax and raises Progress.
  void ReportProgress();
  // Counts one more step of the export and reports it.
  void CountProgress();
};

// The decimal separator of the process's numeric locale (taken from the environment).
std::string GetDecimalSeparator();

}  // namespace quillmere
