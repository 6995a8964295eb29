#pragma once
// The per-thread state every writer of one export shares.

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "objectmodel/automation/Object.h"

namespace quillmere {

class PPTInfo;
class Sleeper;

struct ExportState {
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
  PPTInfo* currentInfo = nullptr;  // the object events are raised on
  std::string decimalSeparator = ".";
  std::shared_ptr<Sleeper> sleeper;  // every wait of the writers
  std::string openFailure;  // what PowerPoint said when the last export could not open its deck
  std::set<std::string> refusalsLogged;  // descriptions of the calls refused as aborted that were logged
};

ExportState& CurrentExportState();

// The decimal separator of the process's numeric locale (taken from the environment).
std::string GetDecimalSeparator();

// Waits through the export's sleeper (no wait when none is set).
void SleepFor(std::int32_t milliseconds);

}  // namespace quillmere
