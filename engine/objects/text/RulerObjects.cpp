#include "engine/objects/text/RulerObjects.h"

#include "engine/model/document/DrawingUnits.h"
#include "engine/model/document/XmlNames.h"
#include "engine/model/text/TextStyles.h"
#include "engine/objects/text/TextFrame2Objects.h"

namespace quillmere::engine {
namespace {

// An attribute of the level as the nearest list style that sets it gives it, in points.
double LevelPoints(const RulerLevelObject& l, const char* name) {
  const TextStyleChain& chain = l.shape->doc->TextStylesOf(l.shape->part, l.shape->element);
  for (const pugi::xml_node& style : chain.levels[static_cast<std::size_t>(l.level)])
    if (pugi::xml_attribute a = style.attribute(name)) return a.as_double() / kEmuPerPoint;
  return 0.0;
}

}  // namespace

const MemberTable<RulerObject>& RulerObject::Members() {
  static const MemberTable<RulerObject> table{
      {.name = "Levels",
       .get =
           [](RulerObject& r, Args a) {
             int level = CollectionIndex(ArgAt(a, 0), kOutlineLevels, "Ruler.Levels");
             return Value(std::make_shared<RulerLevelObject>(r.Session(), r.shape, level - 1));
           }},
      // PowerPoint 2003 kept one set of tab stops for the whole frame; the
      // file keeps them per paragraph, so the first paragraph's stand for it.
      {.name = "TabStops",
       .get =
           [](RulerObject& r, Args) {
             pugi::xml_node first = ChildNamed(ChildNamed(r.shape->element, "txBody"), "p");
             return Value(std::make_shared<TabStops2Object>(r.Session(), r.shape, first));
           }},
  };
  return table;
}

const MemberTable<RulerLevelObject>& RulerLevelObject::Members() {
  static const MemberTable<RulerLevelObject> table{
      {.name = "LeftMargin", .get = [](RulerLevelObject& l, Args) { return Value(static_cast<float>(LevelPoints(l, "marL"))); }},
      // The first line starts at the left margin moved by the indent.
      {.name = "FirstMargin",
       .get =
           [](RulerLevelObject& l, Args) {
             return Value(static_cast<float>(LevelPoints(l, "marL") + LevelPoints(l, "indent")));
           }},
  };
  return table;
}

}  // namespace quillmere::engine
