#pragma once
// A slide that stands for a quiz (".quiz") or an interaction (".intr")
// package: its QuizObject or KindraObject element naming the package file and
// the behaviour the authoring tool tagged on the slide.

#include <string>

#include <pugixml.hpp>

#include "objectmodel/automation/Object.h"

namespace quillmere {

struct ExportContext;

// Find the package the slide's EXAMORA_QUIZ_FILENAME (KINDRA_INTERACTION_FILENAME)
// names, at its tagged path or beside the presentation, and write its element
// into slideElement; both answer true.
bool WriteQuizSlide(ExportContext& context, const Object& slide, pugi::xml_node slideElement);
bool WriteKindraSlide(ExportContext& context, const Object& slide, pugi::xml_node slideElement);

// The element of one package; a package that is not at packagePath is looked
// for in the project archive's copy of the slide's embedded content.
void WriteQuizObject(ExportContext& context, const std::string& packagePath, const Object& slide,
                     pugi::xml_node parent);
void WriteKindraObject(ExportContext& context, const std::string& packagePath, const Object& slide,
                       pugi::xml_node parent);

}  // namespace quillmere
