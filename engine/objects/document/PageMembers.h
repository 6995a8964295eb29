#pragma once
// What slides, masters, custom layouts and notes pages answer alike: their
// names, theme colours and backgrounds.

#include <memory>
#include <string>

#include "engine/core/EngineObject.h"
#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

// The name a part gives itself (p:cSld name="..."), "" when it has none.
std::string PartDisplayName(PresentationDocument& doc, const std::string& part);
// Whether the part has a p:bg of its own rather than following one.
bool HasOwnBackground(PresentationDocument& doc, const std::string& part);
// Whether a slide or layout shows the shapes of what it follows (showMasterSp, true unless said).
bool ShowsMasterShapes(PresentationDocument& doc, const std::string& part);
// DisplayMasterShapes put: showMasterSp="0", or the attribute taken out for its default.
void SetShowsMasterShapes(PresentationDocument& doc, const std::string& part, bool show);
// ThemeColorScheme: the theme colours the part shows (ThemeColorsOf), which
// can be set. ThemeColorScheme(i) is its colour i, as automation applies the
// arguments of a property that takes none to what it returns.
Value ThemeColorSchemeOf(const std::shared_ptr<EngineSession>& session,
                         const std::shared_ptr<PresentationDocument>& doc, const std::string& part, Args args);
// Background as PowerPoint hands it out: a range of one shape whose fill is
// the p:bg in effect for the part (its own, else the one it follows).
Value BackgroundOf(const std::shared_ptr<EngineSession>& session, const std::shared_ptr<PresentationDocument>& doc,
                   const std::string& part, std::shared_ptr<Dispatch> owner);

}  // namespace quillmere::engine
