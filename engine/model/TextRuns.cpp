#include "engine/model/TextRuns.h"

#include "engine/model/XmlNames.h"

namespace quillmere::engine {

std::vector<pugi::xml_node> RunsOf(const std::vector<pugi::xml_node>& paragraphs) {
  std::vector<pugi::xml_node> runs;
  for (const pugi::xml_node& paragraph : paragraphs)
    for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling()) {
      std::string_view kind = LocalName(c);
      if (kind == "r" || kind == "fld") runs.push_back(c);
    }
  return runs;
}

}  // namespace quillmere::engine
