#pragma once
// What a temporary edit took out of a part, kept so that undoing the edit can
// put back exactly what was there (an effect, a 3-D scene) rather than a default.

#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <utility>

namespace quillmere::engine {

class EditStash {
 public:
  // An empty container for what is taken out of `owner` under `what`, replacing any kept before.
  pugi::xml_node Keep(const pugi::xml_node& owner, std::string_view what);
  // What was kept, or an empty node when nothing was.
  pugi::xml_node Kept(const pugi::xml_node& owner, std::string_view what) const;
  void Forget(const pugi::xml_node& owner, std::string_view what);
  // Drops what was kept for `subtree` and everything in it: a removed node's
  // address may come back for a new one, which must not find old edits.
  void ForgetWithin(const pugi::xml_node& subtree);

 private:
  using Key = std::pair<const void*, std::string>;
  std::map<Key, std::unique_ptr<pugi::xml_document>> kept_;
};

}  // namespace quillmere::engine
