#pragma once
// The description of a large deck would hold the nodes of every slide and
// design until it is saved, several times the size of the text they make.
// A finished element is kept as its saved text instead, and put back in its
// place when the document is written.

#include <string>
#include <vector>

#include <pugixml.hpp>

namespace quillmere {

class FinishedElements {
 public:
  // Takes the last element child of parent (with everything under it) out of
  // the document and leaves a marker in its place. Nothing when there is none
  // since the last call.
  void KeepLastElementOf(pugi::xml_node parent);
  // Writes the document as SaveDocument does, each kept element's text where
  // its marker is. Returns false when the file cannot be written.
  bool Save(const pugi::xml_document& document, const std::string& path) const;

 private:
  std::vector<std::string> texts_;
};

}  // namespace quillmere
