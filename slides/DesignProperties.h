#pragma once
// One design of presentationinfo.xml: its colour scheme and font theme, its
// slide master with background and shapes, and one CustomLayout per layout.

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// The design and layout pairs the exported slides use, each once, in order of
// first use: "d-l" with d the slide's Design.Index and l its Layout value.
class UsedLayouts {
 public:
  void Add(std::int32_t designIndex, std::int32_t layout);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// Appends one Design element to parent. Before PowerPoint 2007 layouts are
// only numbers on slides, so the used layouts of this design are recreated
// through temporary slides of the presentation.
void DesignProperties(ExportContext& context, const Object& design, pugi::xml_node parent,
                      const Object& presentation, const UsedLayouts& usedLayouts);

}  // namespace quillmere
