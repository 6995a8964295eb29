#pragma once
// The road the original-picture and sound writers take through the object
// model: one shape copied alone onto the blank slide of a new windowless
// presentation, stripped of its effects, and saved as a web page or as an
// Open XML presentation.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Object.h"

namespace quillmere::testing {

constexpr int kPpLayoutBlank = 12;
constexpr int kPpSaveAsHtml = 12;
constexpr int kPpSaveAsOpenXmlPresentation = 24;
constexpr int kMsoTriStateMixed = -2;

// Presentations.Add(WithWindow false), Slides.Add(1, ppLayoutBlank) given
// the theme colours of the slide the shape is on, its shapes deleted, then
// the shape copied and pasted there.
inline Object ScratchWithCopyOf(const Object& app, const Object& shape) {
  Object scratch = app.Child("Presentations").Call("Add", 0);
  Object slide = scratch.Child("Slides").Call("Add", 1, kPpLayoutBlank);
  Object source = shape.Child("Parent");
  for (int i = 1; i <= 12; ++i)
    slide.Child("ThemeColorScheme", i).Put("RGB", source.Child("ThemeColorScheme", i).Get("RGB"));
  if (slide.Child("Shapes").Count() > 0) slide.Child("Shapes").Child("Range").Call("Delete");
  shape.Call("Copy");
  slide.Child("Shapes").Call("Paste");
  return scratch;
}

// The puts that strip what PowerPoint would bake into a picture, in the
// writer's order; returns the names of those that failed.
inline std::vector<std::string> StripEffects(const Object& pasted) {
  std::vector<std::pair<std::string, std::function<void()>>> steps = {
      {"AutoShapeType", [&] { pasted.Put("AutoShapeType", 1); }},
      {"ScaleHeight", [&] { pasted.Call("ScaleHeight", 1.0, -1, 0); }},
      {"ScaleWidth", [&] { pasted.Call("ScaleWidth", 1.0, -1, 0); }},
      {"Line.Visible", [&] { pasted.Child("Line").Put("Visible", 0); }},
      {"Rotation", [&] { pasted.Put("Rotation", 0); }},
      {"Flip", [&] {
         if (pasted.Get("HorizontalFlip").AsBool()) pasted.Call("Flip", 0);
         if (pasted.Get("VerticalFlip").AsBool()) pasted.Call("Flip", 1);
       }},
      {"Reflection.Type", [&] { pasted.Child("Reflection").Put("Type", 0); }},
      {"Glow.Radius", [&] { pasted.Child("Glow").Put("Radius", 0); }},
      {"SoftEdge.Type", [&] { pasted.Child("SoftEdge").Put("Type", 0); }},
      {"Shadow.Visible", [&] { pasted.Child("Shadow").Put("Visible", 0); }},
      {"ThreeD.Visible", [&] { pasted.Child("ThreeD").Put("Visible", 0); }},
  };
  std::vector<std::string> failed;
  for (const auto& [name, step] : steps) {
    try {
      step();
    } catch (const ComError&) {
      failed.push_back(name);
    }
  }
  return failed;
}

// Saves the scratch presentation as folder/page.html and closes it; returns
// the supporting-files folder with the suffix given.
inline std::filesystem::path SaveAsWebPage(const Object& scratch, const std::filesystem::path& folder,
                                           const std::string& page, std::string_view suffix) {
  scratch.Call("SaveAs", (folder / (page + ".html")).string(), kPpSaveAsHtml, kMsoTriStateMixed);
  scratch.Call("Close");
  return folder / (page + std::string(suffix));
}

}  // namespace quillmere::testing
