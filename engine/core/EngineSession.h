#pragma once
// The state of one engine Application: the version it answers as and its
// flags. Every engine object holds the session so that version-gated members
// can be answered after the application object itself is gone. The open
// presentations are not here: they belong to the Presentations collection,
// so that no object keeps itself alive through the session.

#include <memory>

namespace quillmere::engine {

struct RenderState;     // the images drawn for this application, made on first use
struct RendererSetup;   // engine/render/SlideRenderer.h
struct CopiedShapes;    // engine/model/shapes/CopiedShapes.h
class DeferredEdit;     // engine/core/DeferredEdit.h

struct EngineOptions {
  // The PowerPoint major version the engine answers as: 11 (2003), 12 (2007),
  // 14 (2010) or 16 (current). Members newer than it are hidden.
  int emulatedMajorVersion = 16;
  // Whether slide and shape images are drawn (by LibreOffice). Without them
  // every image request fails the way a failed PowerPoint call does.
  bool drawImages = true;
  // Which LibreOffice and render server draw them, with what time limits;
  // none: the installed ones with the default limits.
  std::shared_ptr<const RendererSetup> renderer = nullptr;
  // How many shape images LibreOffice draws from one copy of the deck it
  // opens: opening costs far more than drawing, but a larger copy opens
  // slower and a failed copy costs the images in it a second try each.
  int shapeImagesPerCopy = 128;
  // A copy with at least this many images is split in two, each half drawn
  // by its own LibreOffice on its own core; 0 keeps to one LibreOffice.
  int shapeImagesToShare = 64;
};

struct EngineSession {
  explicit EngineSession(EngineOptions o) : options(o) {}
  EngineOptions options;
  int Version() const { return options.emulatedMajorVersion; }

  bool visible = false;
  int automationSecurity = 1;  // msoAutomationSecurityLow, PowerPoint's default
  bool quit = false;
  int untitledCount = 0;
  std::shared_ptr<RenderState> rendering;
  // What Shape.Copy took last, for Shapes.Paste: the application's own
  // clipboard, so that sessions on other threads never paste each other's shapes.
  std::shared_ptr<const CopiedShapes> copiedShapes;
  // An edit not made yet, made before any call that could tell (at most one).
  std::shared_ptr<DeferredEdit> deferredEdit;
};

}  // namespace quillmere::engine
