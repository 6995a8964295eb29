#include "engine/model/document/NotesPages.h"

#include <utility>

#include "engine/model/slides/NewNotesPage.h"

namespace quillmere::engine {

const std::string& NotesPages::Of(Package& package, const std::string& slidePart) {
  auto [it, inserted] = bySlide_.try_emplace(slidePart);
  if (!inserted) return it->second;
  const Relationship* rel = package.FindRelationshipOfType(slidePart, "notesSlide");
  if (rel && !rel->external && package.HasPart(rel->target)) {
    it->second = rel->target;
    return it->second;
  }
  std::string name;
  for (int n = 1; name.empty() || package.HasPart(name) || made_.contains(name); ++n)
    name = "ppt/notesSlides/notesSlide" + std::to_string(n) + ".xml";
  made_.emplace(name, NewNotesPage());
  it->second = name;
  return it->second;
}

const std::string* NotesPages::Known(const std::string& slidePart) const {
  auto it = bySlide_.find(slidePart);
  return it == bySlide_.end() ? nullptr : &it->second;
}

pugi::xml_node NotesPages::MadeRoot(const std::string& part) const {
  auto it = made_.find(part);
  return it == made_.end() ? pugi::xml_node() : it->second->document_element();
}

void NotesPages::Forget(const std::string& slidePart) {
  auto it = bySlide_.find(slidePart);
  if (it == bySlide_.end()) return;
  if (auto made = made_.find(it->second); made != made_.end()) {
    retired_.push_back(std::move(made->second));
    made_.erase(made);
  }
  bySlide_.erase(it);
}

}  // namespace quillmere::engine
