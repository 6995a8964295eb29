#pragma once
// Shapes copied out of one presentation and pasted into another, as
// PowerPoint's clipboard carries them: the shapes' XML and every part they
// use (pictures, media, embeddings, charts and the parts those use), taken
// whole when copied so that the source may change or close before the paste.
// Links to files outside the package stay links; relationships to slides,
// layouts, masters or themes tie a shape to its own deck and are dropped,
// as are those whose part is missing or unreadable.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "engine/model/document/PresentationDocument.h"

namespace quillmere::engine {

struct CopiedRelationship {
  std::string id;        // in the source
  std::string type;      // full relationship type URI
  std::string external;  // for a link outside the package: the target as written
  int part = -1;         // for an internal target: its index in CopiedShapes::parts
};

struct CopiedPart {
  std::string name;  // in the source package
  std::string bytes;
  std::string contentType;
  std::vector<CopiedRelationship> relationships;  // its own, under their ids
};

struct CopiedShapes {
  // The copied tree children under one root element that declares every
  // namespace in scope where they were.
  std::shared_ptr<pugi::xml_document> xml;
  // The relationships of the source part the shapes use, under the ids they use.
  std::vector<CopiedRelationship> relationships;
  std::vector<CopiedPart> parts;
};

// Copies of tree children of a part (mc:AlternateContent included). A shape
// in a group, or a placeholder that inherits its frame, is given its frame on
// the slide, so that it lands where it was seen.
CopiedShapes CopyShapes(PresentationDocument& doc, const std::string& part,
                        const std::vector<pugi::xml_node>& treeChildren);

// Puts the copies in front of the part's shapes with fresh shape ids, each
// copied part put anew under a name PowerPoint gives a part of that kind
// ("ppt/media/image1.png", "ppt/media/media1.mp4", "ppt/media/audio1.wav"
// for a sound only an audio relationship reaches, else the source's name
// numbered anew) and fresh relationships to them. Returns the tree children
// added, back to front; none when the part has no shape tree.
std::vector<pugi::xml_node> PasteShapes(PresentationDocument& doc, const std::string& part,
                                        const CopiedShapes& copied);

// Calls f with every attribute of root and the elements below it that holds
// a relationship id (r:embed, r:link, r:id, ... in either relationships
// namespace), and its element.
void ForEachRelationshipAttribute(const pugi::xml_node& root,
                                  const std::function<void(pugi::xml_node, pugi::xml_attribute)>& f);

}  // namespace quillmere::engine
