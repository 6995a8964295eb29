#include "engine/model/document/DerivedFacts.h"

namespace quillmere::engine {

void DerivedFacts::Forget(PartChange change, const std::string& part) {
  switch (change) {
    case PartChange::Shapes:
      ++counts.text;
      topLevelShapes.Forget(part);
      shapeNames.Forget(part);
      actionLinks.Forget(part);
      // Removed shapes free nodes whose addresses new ones may take.
      ForgetFactsByElement();
      break;
    case PartChange::Text:
      ++counts.text;
      actionLinks.Forget(part);  // runs cut apart are new elements
      break;
    case PartChange::Layout:
      ++counts.text;
      partColors.Forget(part);
      timelines.Forget(part);  // its dim colours went through the old layout's colour map
      ForgetFactsByElement();
      break;
    case PartChange::ThemeColors:
      // Every colour worked out may have come from that theme.
      themeColors.Clear();
      partColors.Clear();
      timelines.Clear();
      break;
    case PartChange::LayoutList:
      ++counts.layouts;
      layouts.Forget(part);
      break;
    case PartChange::SlideList:
      ++counts.slides;
      break;
    case PartChange::Tags:
      tags.Forget(part);
      break;
    case PartChange::Gone:
      ++counts.text;
      ++counts.partsGone;
      topLevelShapes.Forget(part);
      shapeNames.Forget(part);
      actionLinks.Forget(part);
      tags.Forget(part);
      timelines.Forget(part);
      partColors.Forget(part);
      layouts.Forget(part);
      themeColors.Forget(part);
      ForgetFactsByElement();
      break;
  }
}

void DerivedFacts::ForgetFactsByElement() {
  textStyles.Clear();
  tableGrids.Clear();
  inheritedShapes.Clear();
  slideFrames.Clear();
  runFonts.Clear();
}

}  // namespace quillmere::engine
