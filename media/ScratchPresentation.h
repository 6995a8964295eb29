#pragma once
// A blank, windowless presentation to copy one shape into, as the picture and
// sound extractions do before saving it in another form.

#include <cstdint>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// SaveAs's EmbedTrueTypeFonts argument the extractions pass (msoTriStateMixed).
inline constexpr std::int32_t kEmbedFontsMixed = -2;

// A new presentation without a window, from the export's application.
Object AddScratchPresentation(ExportContext& context);

// Slide 1 of the presentation, added with the blank layout.
Object AddBlankSlide(const Object& presentation);

}  // namespace quillmere
