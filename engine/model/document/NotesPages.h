#pragma once
// The notes page of each slide asked for: its notes slide part, or a page made
// once the way PowerPoint makes one, kept under a part name the package does
// not use (the package itself is left alone until the page is edited).

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "engine/package/Package.h"

namespace quillmere::engine {

class NotesPages {
 public:
  const std::string& Of(Package& package, const std::string& slidePart);
  // The notes page found or made for the slide, or null when none was asked for.
  const std::string* Known(const std::string& slidePart) const;
  // The root of a page made here, or an empty node.
  pugi::xml_node MadeRoot(const std::string& part) const;
  // The slide is gone: its page is forgotten, and one made here is kept
  // aside so that nodes handed out stay valid memory.
  void Forget(const std::string& slidePart);

 private:
  std::unordered_map<std::string, std::string> bySlide_;
  std::unordered_map<std::string, std::unique_ptr<pugi::xml_document>> made_;
  std::vector<std::unique_ptr<pugi::xml_document>> retired_;
};

}  // namespace quillmere::engine
