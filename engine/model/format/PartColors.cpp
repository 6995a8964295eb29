#include "engine/model/format/PartColors.h"

#include "engine/model/format/ThemeStyles.h"

namespace quillmere::engine {

ColorContext ColorContextOf(PresentationDocument& doc, const std::string& part) {
  ColorContext ctx;
  ctx.mapped = doc.ThemeColorsOf(part);
  ctx.theme = ReadThemeColors(ThemeRootOf(doc, part));
  return ctx;
}

}  // namespace quillmere::engine
