#include "engine/objects/shapes/DrawingCopyRelationships.h"

#include <cctype>
#include <set>
#include <string_view>

#include <pugixml.hpp>

#include "engine/package/PartName.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

constexpr std::string_view kRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view kLayoutType =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slideLayout";

// What ties the part into the deck rather than what its shapes show: the slide
// gets its own layout instead.
bool TiesPartIntoDeck(std::string_view type) {
  for (std::string_view kind : {"/slideLayout", "/slideMaster", "/theme", "/notesSlide"})
    if (type.ends_with(kind)) return true;
  return false;
}

// A part name as a URI path from the package root: "/ppt/media/my image.png"
// → "/ppt/media/my%20image.png".
std::string RootTarget(std::string_view partName) {
  constexpr std::string_view kKept = "-._~/!$&'()*+,;=:@";
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string target = "/";
  for (char c : partName) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x80 && std::isalnum(byte)) || kKept.find(c) != std::string_view::npos) {
      target += c;
    } else {
      target += '%';
      target += kHex[byte >> 4];
      target += kHex[byte & 0xF];
    }
  }
  return target;
}

class RelationshipsWriter {
 public:
  RelationshipsWriter() {
    root_ = doc_.append_child("Relationships");
    root_.append_attribute("xmlns") = std::string(kRelationships).c_str();
  }
  bool Uses(const std::string& id) const { return ids_.count(id) > 0; }
  void Add(const std::string& id, std::string_view type, const std::string& target, bool external) {
    if (!ids_.insert(id).second) return;  // the first of a repeated id is the one read
    pugi::xml_node r = root_.append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = std::string(type).c_str();
    r.append_attribute("Target") = target.c_str();
    if (external) r.append_attribute("TargetMode") = "External";
  }
  // The layout's relationship under an id the others leave free.
  void AddLayout(const std::string& layoutPart) {
    std::string id = "rIdLayout";
    while (Uses(id)) id += "_";
    Add(id, kLayoutType, RootTarget(layoutPart), false);
  }
  std::string Xml() { return SerializeXml(doc_); }

 private:
  pugi::xml_document doc_;
  pugi::xml_node root_;
  std::set<std::string> ids_;
};

}  // namespace

std::string RelationshipsWithoutNotes(Package& package, const std::string& slidePart) {
  pugi::xml_document rels;
  std::string bytes = package.ReadBytes(RelationshipsPartName(slidePart));
  rels.load_buffer(bytes.data(), bytes.size());
  pugi::xml_node root = rels.document_element();
  for (pugi::xml_node r = root.first_child(), next; r; r = next) {
    next = r.next_sibling();
    if (std::string_view(r.attribute("Type").value()).ends_with("/notesSlide")) root.remove_child(r);
  }
  return SerializeXml(rels);
}

std::string RelationshipsWithSlides(Package& package, const std::string& part,
                                    std::vector<std::pair<std::string, std::string>>& slides) {
  pugi::xml_document rels;
  std::string bytes = package.ReadBytes(RelationshipsPartName(part));
  rels.load_buffer(bytes.data(), bytes.size());
  pugi::xml_node root = rels.document_element();
  for (int i = 0; i < static_cast<int>(slides.size()); ++i) {
    std::string id = "rIdDrawnPage" + std::to_string(i + 1);
    while (package.FindRelationship(part, id)) id += "_";
    pugi::xml_node r = root.append_child("Relationship");
    r.append_attribute("Id") = id.c_str();
    r.append_attribute("Type") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/slide";
    r.append_attribute("Target") = RootTarget(slides[static_cast<std::size_t>(i)].second).c_str();
    slides[static_cast<std::size_t>(i)].first = std::move(id);
  }
  return SerializeXml(rels);
}

std::string OnlyLayoutRelationship(const std::string& layoutPart) {
  RelationshipsWriter rels;
  rels.AddLayout(layoutPart);
  return rels.Xml();
}

std::string RelationshipsCarriedOver(Package& package, const std::string& sourcePart, const std::string& layoutPart) {
  RelationshipsWriter rels;
  for (const Relationship& r : package.Relationships(sourcePart)) {
    if (TiesPartIntoDeck(r.type)) continue;
    if (r.external) {
      rels.Add(r.id, r.type, r.target, true);
    } else if (package.HasPart(r.target)) {
      rels.Add(r.id, r.type, RootTarget(r.target), false);
    }
  }
  rels.AddLayout(layoutPart);
  return rels.Xml();
}

}  // namespace quillmere::engine
