#include "engine/model/text/TextRuns.h"

#include "engine/model/document/XmlNames.h"

namespace quillmere::engine {

bool IsTextRun(const pugi::xml_node& node) {
  std::string_view kind = LocalName(node);
  return kind == "r" || kind == "fld";
}

std::vector<pugi::xml_node> RunsOf(const std::vector<pugi::xml_node>& paragraphs) {
  std::vector<pugi::xml_node> runs;
  for (const pugi::xml_node& paragraph : paragraphs)
    for (pugi::xml_node c = paragraph.first_child(); c; c = c.next_sibling())
      if (IsTextRun(c)) runs.push_back(c);
  return runs;
}

}  // namespace quillmere::engine
