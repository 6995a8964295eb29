#pragma once
// Decks written for a test from another deck: its first slide's XML edited
// by replacing text, relationships added to that slide, and parts added, so
// that a case the corpus lacks (an SVG picture, a missing or empty picture
// part, a sound effect) can be built on a real deck; or edited in memory
// through the package's own DOM.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/package/Package.h"

namespace quillmere::testing {

inline constexpr const char* kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
inline constexpr const char* kAudioRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/audio";

struct TextEdit {
  std::string from, to;  // the first occurrence of from becomes to
};

// A Relationship element; the target as written (relative to the slide, or a URI when external).
inline std::string RelationshipXml(const std::string& id, const std::string& type, const std::string& target,
                                   bool external = false) {
  return "<Relationship Id=\"" + id + "\" Type=\"" + type + "\" Target=\"" + target + "\"" +
         (external ? " TargetMode=\"External\"" : "") + "/>";
}

inline std::filesystem::path EditedDeck(const std::filesystem::path& base, const std::filesystem::path& out,
                                        const std::vector<TextEdit>& slideEdits, const std::string& relationships,
                                        const std::vector<engine::Package::AddedPart>& parts) {
  const std::string slidePart = "ppt/slides/slide1.xml", relsPart = "ppt/slides/_rels/slide1.xml.rels";
  auto package = engine::Package::Open(base);
  std::string slide = package->ReadBytes(slidePart), rels = package->ReadBytes(relsPart);
  for (const TextEdit& edit : slideEdits) {
    std::size_t at = slide.find(edit.from);
    if (at == std::string::npos) throw std::runtime_error("the slide has no " + edit.from);
    slide.replace(at, edit.from.size(), edit.to);
  }
  rels.insert(rels.rfind("</Relationships>"), relationships);
  package->SaveCopyWith(out, {{slidePart, slide}, {relsPart, rels}}, parts);
  return out;
}

// The deck saved as `out` once `edit` has changed its package.
inline std::filesystem::path EditedDeck(const std::filesystem::path& base, const std::filesystem::path& out,
                                        const std::function<void(engine::Package&)>& edit) {
  auto package = engine::Package::Open(base);
  edit(*package);
  std::filesystem::create_directories(out.parent_path());
  package->SaveAs(out);
  return out;
}

// Hands the root element of one part to `edit` and marks the part to be written again.
inline void EditPart(engine::Package& package, const std::string& part,
                     const std::function<void(pugi::xml_node)>& edit) {
  edit(package.FindXml(part)->document_element());
  package.MarkModified(part);
}

}  // namespace quillmere::testing
