#pragma once
// The slide PowerPoint makes for Slides.Add and Slides.AddSlide from a layout,
// and the layout it makes for CustomLayouts.Add.

#include <string>
#include <vector>

#include <pugixml.hpp>

namespace quillmere::engine {

// The XML of a new slide following a layout (its root and its top-level
// shapes given): for each placeholder of the layout but the date, footer,
// slide-number and header ones (PowerPoint leaves those off a new slide),
// a p:sp with the layout's p:ph attributes (type, orient, sz, idx), named as
// PowerPoint names it ("Title 1", "Content Placeholder 2": its kind and its id
// less one), an empty p:spPr and, for a placeholder that holds text, an
// empty text body. Namespaces are the strict ones when the presentation's
// are (its root given), else the transitional ones.
std::string NewSlideXml(const pugi::xml_node& presentationRoot, const std::vector<pugi::xml_node>& layoutShapes);
// The XML of a new custom layout of a master (its top-level shapes given), as
// CustomLayouts.Add makes it: named "Custom Layout", with the master's title,
// date, footer and slide-number placeholders, following the master's colours.
std::string NewLayoutXml(const pugi::xml_node& presentationRoot, const std::vector<pugi::xml_node>& masterShapes);

}  // namespace quillmere::engine
