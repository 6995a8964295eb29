#include "engine/model/document/EditStash.h"

#include <vector>

namespace quillmere::engine {

pugi::xml_node EditStash::Keep(const pugi::xml_node& owner, std::string_view what) {
  auto& doc = kept_[{owner.internal_object(), std::string(what)}];
  doc = std::make_unique<pugi::xml_document>();
  return doc->append_child("kept");
}

pugi::xml_node EditStash::Kept(const pugi::xml_node& owner, std::string_view what) const {
  auto it = kept_.find({owner.internal_object(), std::string(what)});
  return it == kept_.end() ? pugi::xml_node() : it->second->first_child();
}

void EditStash::Forget(const pugi::xml_node& owner, std::string_view what) {
  kept_.erase({owner.internal_object(), std::string(what)});
}

void EditStash::ForgetWithin(const pugi::xml_node& subtree) {
  if (kept_.empty()) return;
  struct Collector : pugi::xml_tree_walker {
    std::vector<const void*> nodes;
    bool for_each(pugi::xml_node& n) override {
      nodes.push_back(n.internal_object());
      return true;
    }
  } walk;
  walk.nodes.push_back(subtree.internal_object());
  pugi::xml_node(subtree).traverse(walk);
  for (const void* node : walk.nodes)
    for (auto it = kept_.lower_bound({node, std::string()}); it != kept_.end() && it->first.first == node;)
      it = kept_.erase(it);
}

}  // namespace quillmere::engine
