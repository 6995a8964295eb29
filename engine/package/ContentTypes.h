#pragma once
// The content types of a package, read from and written back to the DOM of
// its [Content_Types].xml: Default entries by extension, Override entries by
// part name, both compared without regard to case.

#include <string>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

namespace quillmere::engine {

class ContentTypes {
 public:
  // The document stays owned by the caller and must outlive this object.
  explicit ContentTypes(pugi::xml_document& doc);

  std::string Find(std::string_view partName) const;
  void SetOverride(std::string_view partName, std::string_view contentType);
  void RemoveOverride(std::string_view partName);
  // Whether the DOM differs from the part as it was read.
  bool Changed() const { return changed_; }
  void MarkChanged() { changed_ = true; }
  // The DOM is again as it was read (an edit undone).
  void MarkUnchanged() { changed_ = false; }

 private:
  pugi::xml_node root_;
  std::string prefix_;  // of the root element, given to added elements
  std::unordered_map<std::string, std::string> defaults_;        // lower-case extension
  std::unordered_map<std::string, pugi::xml_node> overrides_;    // part key
  bool changed_ = false;
};

}  // namespace quillmere::engine
