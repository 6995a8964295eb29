#pragma once
// The state of one engine Application: the version it answers as, its flags
// and the presentations it has open. Every engine object holds the session so
// that version-gated members can be answered after the application object
// itself is gone.

#include <memory>
#include <vector>

namespace quillmere::engine {

class PresentationObject;

struct EngineOptions {
  // The PowerPoint major version the engine answers as: 11 (2003), 12 (2007),
  // 14 (2010) or 16 (current). Members newer than it are hidden.
  int emulatedMajorVersion = 16;
};

struct EngineSession {
  explicit EngineSession(EngineOptions o) : options(o) {}
  EngineOptions options;
  int Version() const { return options.emulatedMajorVersion; }

  bool visible = false;
  int automationSecurity = 1;  // msoAutomationSecurityLow, PowerPoint's default
  bool quit = false;
  int untitledCount = 0;
  std::vector<std::shared_ptr<PresentationObject>> presentations;
};

}  // namespace quillmere::engine
