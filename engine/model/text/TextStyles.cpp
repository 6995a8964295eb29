#include "engine/model/text/TextStyles.h"

#include <algorithm>

#include "engine/model/document/XmlNames.h"
#include "engine/model/format/TableCellStyle.h"
#include "engine/model/format/ThemeStyles.h"
#include "engine/model/shapes/Inheritance.h"
#include "engine/model/shapes/ShapeTree.h"

namespace quillmere::engine {
namespace {

// Adds a list style's entries for every level: the level's own, then the list's default.
void AddListStyle(TextStyleChain& chain, const pugi::xml_node& list) {
  if (!list) return;
  pugi::xml_node defaults = ChildNamed(list, "defPPr");
  for (int level = 0; level < kOutlineLevels; ++level) {
    std::string name = "lvl" + std::to_string(level + 1) + "pPr";
    if (pugi::xml_node own = ChildNamed(list, name)) chain.levels[static_cast<std::size_t>(level)].push_back(own);
    if (defaults) chain.levels[static_cast<std::size_t>(level)].push_back(defaults);
  }
}

// A table cell's text takes what the table's style gives it after its own list style.
void AddTableStyleText(PresentationDocument& doc, const pugi::xml_node& cell, TextStyleChain& chain) {
  chain.made = std::make_shared<pugi::xml_document>();
  pugi::xml_node level = chain.made->append_child("lvl1pPr");
  TableStyleTextDefaults(doc, cell, level.append_child("defRPr"));
  for (std::vector<pugi::xml_node>& levels : chain.levels) levels.push_back(level);
}

pugi::xml_node ListStyleOf(const pugi::xml_node& shape) { return ChildNamed(ChildNamed(shape, "txBody"), "lstStyle"); }

// The master's text style a placeholder of that kind takes.
pugi::xml_node MasterTextStyle(const pugi::xml_node& masterRoot, const pugi::xml_node& ph) {
  if (LocalName(masterRoot) == "notesMaster") return ChildNamed(masterRoot, "notesStyle");
  pugi::xml_node styles = ChildNamed(masterRoot, "txStyles");
  std::string_view kind = MasterPlaceholderKind(ph);
  return ChildNamed(styles, kind == "title" ? "titleStyle" : kind == "body" ? "bodyStyle" : "otherStyle");
}

bool NameIn(const pugi::xml_node& node, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), LocalName(node)) != names.end();
}

pugi::xml_node FirstChildNamed(const pugi::xml_node& parent, std::initializer_list<std::string_view> names) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && NameIn(c, names)) return c;
  return {};
}

const std::vector<pugi::xml_node>& LevelOf(const TextStyleChain& chain, const pugi::xml_node& paragraph) {
  return chain.levels[static_cast<std::size_t>(OutlineLevel(paragraph))];
}

const std::vector<pugi::xml_node>& RunDefaultsOf(const TextStyleChain& chain, const pugi::xml_node& paragraph) {
  return chain.runDefaults[static_cast<std::size_t>(OutlineLevel(paragraph))];
}

pugi::xml_node ParagraphOfRun(const pugi::xml_node& run) { return run.parent(); }

}  // namespace

TextStyleChain BuildTextStyleChain(PresentationDocument& doc, const std::string& part, const pugi::xml_node& shape) {
  TextStyleChain chain;
  chain.fontReference = ChildNamed(ChildNamed(shape, "style"), "fontRef");
  AddListStyle(chain, ListStyleOf(shape));
  for (int level = 0; level < kOutlineLevels; ++level)
    chain.own[static_cast<std::size_t>(level)] = chain.levels[static_cast<std::size_t>(level)].size();
  if (LocalName(shape) == "tc") AddTableStyleText(doc, shape, chain);
  if (pugi::xml_node ph = PlaceholderOf(shape)) {
    for (const InheritedShape& ancestor : InheritedShapes(doc, part, shape))
      AddListStyle(chain, ListStyleOf(ancestor.shape));
    std::string master = InheritedPartsOf(doc, part).master;
    if (!master.empty()) AddListStyle(chain, MasterTextStyle(doc.PartRoot(master), ph));
  }
  AddListStyle(chain, ChildNamed(doc.PartRoot(doc.MainPart()), "defaultTextStyle"));
  for (std::size_t level = 0; level < chain.levels.size(); ++level)
    for (const pugi::xml_node& style : chain.levels[level]) chain.runDefaults[level].push_back(ChildNamed(style, "defRPr"));
  return chain;
}

int OutlineLevel(const pugi::xml_node& paragraph) {
  int level = ChildNamed(paragraph, "pPr").attribute("lvl").as_int();
  return std::clamp(level, 0, kOutlineLevels - 1);
}

pugi::xml_attribute RunAttribute(const TextStyleChain& chain, const pugi::xml_node& run, const char* name) {
  if (pugi::xml_attribute own = ChildNamed(run, "rPr").attribute(name)) return own;
  pugi::xml_node paragraph = ParagraphOfRun(run);
  if (pugi::xml_attribute local = ChildNamed(ChildNamed(paragraph, "pPr"), "defRPr").attribute(name)) return local;
  for (const pugi::xml_node& defaults : RunDefaultsOf(chain, paragraph))
    if (pugi::xml_attribute a = defaults.attribute(name)) return a;
  return {};
}

pugi::xml_node RunElement(const TextStyleChain& chain, const pugi::xml_node& run,
                          std::initializer_list<std::string_view> names, Reach reach) {
  pugi::xml_node paragraph = ParagraphOfRun(run);
  if (reach != Reach::Inherited) {
    if (pugi::xml_node own = FirstChildNamed(ChildNamed(run, "rPr"), names)) return own;
    if (pugi::xml_node local = FirstChildNamed(ChildNamed(ChildNamed(paragraph, "pPr"), "defRPr"), names)) return local;
  }
  int level = OutlineLevel(paragraph);
  const std::vector<pugi::xml_node>& defaults = chain.runDefaults[static_cast<std::size_t>(level)];
  std::size_t own = chain.own[static_cast<std::size_t>(level)];
  std::size_t from = reach == Reach::Inherited ? own : 0, to = reach == Reach::Own ? own : defaults.size();
  for (std::size_t i = from; i < to && i < defaults.size(); ++i)
    if (pugi::xml_node e = FirstChildNamed(defaults[i], names)) return e;
  return {};
}

pugi::xml_attribute ParagraphAttribute(const TextStyleChain& chain, const pugi::xml_node& paragraph, const char* name) {
  if (pugi::xml_attribute own = ChildNamed(paragraph, "pPr").attribute(name)) return own;
  for (const pugi::xml_node& level : LevelOf(chain, paragraph))
    if (pugi::xml_attribute a = level.attribute(name)) return a;
  return {};
}

pugi::xml_node ParagraphElement(const TextStyleChain& chain, const pugi::xml_node& paragraph,
                                std::initializer_list<std::string_view> names) {
  if (pugi::xml_node own = FirstChildNamed(ChildNamed(paragraph, "pPr"), names)) return own;
  for (const pugi::xml_node& level : LevelOf(chain, paragraph))
    if (pugi::xml_node e = FirstChildNamed(level, names)) return e;
  return {};
}

}  // namespace quillmere::engine
