#include "engine/model/slides/NewSlide.h"

#include <string_view>

#include "engine/model/document/XmlNames.h"
#include "engine/model/shapes/ShapeKind.h"
#include "engine/model/shapes/ShapeTree.h"
#include "engine/package/XmlPart.h"

namespace quillmere::engine {
namespace {

struct Namespaces {
  const char* p;
  const char* a;
  const char* r;
};
constexpr Namespaces kTransitional{"http://schemas.openxmlformats.org/presentationml/2006/main",
                                   "http://schemas.openxmlformats.org/drawingml/2006/main",
                                   "http://schemas.openxmlformats.org/officeDocument/2006/relationships"};
constexpr Namespaces kStrict{"http://purl.oclc.org/ooxml/presentationml/main",
                             "http://purl.oclc.org/ooxml/drawingml/main",
                             "http://purl.oclc.org/ooxml/officeDocument/relationships"};

// The namespace of an element: its prefix's, or the default one.
std::string_view NamespaceOf(const pugi::xml_node& element) {
  std::string_view name = element.name();
  size_t colon = name.find(':');
  if (colon != std::string_view::npos) return NamespaceOfPrefix(element, name.substr(0, colon));
  for (pugi::xml_node n = element; n; n = n.parent())
    if (pugi::xml_attribute a = n.attribute("xmlns")) return a.value();
  return {};
}

struct PlaceholderName {
  std::string_view token;
  std::string_view name;
  std::string_view vertical;  // with orient="vert"
  bool text;
};

// How PowerPoint names a placeholder it puts on a new slide, and whether it
// gives it a text body. A p:ph without a type, or with one unknown here, is
// a content (object) placeholder.
constexpr PlaceholderName kNames[] = {
    {"obj", "Content Placeholder", "Vertical Content Placeholder", true},
    {"title", "Title", "Vertical Title", true},
    {"ctrTitle", "Title", "Title", true},
    {"subTitle", "Subtitle", "Subtitle", true},
    {"body", "Text Placeholder", "Vertical Text Placeholder", true},
    {"pic", "Picture Placeholder", "Picture Placeholder", false},
    {"chart", "Chart Placeholder", "Chart Placeholder", false},
    {"tbl", "Table Placeholder", "Table Placeholder", false},
    {"dgm", "SmartArt Placeholder", "SmartArt Placeholder", false},
    {"media", "Media Placeholder", "Media Placeholder", false},
    {"clipArt", "Clip Art Placeholder", "Clip Art Placeholder", false},
    {"dt", "Date Placeholder", "Date Placeholder", true},
    {"ftr", "Footer Placeholder", "Footer Placeholder", true},
    {"sldNum", "Slide Number Placeholder", "Slide Number Placeholder", true},
};

const PlaceholderName& NameOf(std::string_view token) {
  for (const PlaceholderName& n : kNames)
    if (n.token == token) return n;
  return kNames[0];
}

// Placeholders a new slide does not get.
bool LeftOff(std::string_view token) {
  return token == "dt" || token == "ftr" || token == "sldNum" || token == "hdr" || token == "sldImg";
}

void AddPlaceholder(pugi::xml_node tree, const pugi::xml_node& ph, unsigned id) {
  std::string_view token = ph.attribute("type").value();
  const PlaceholderName& kind = NameOf(token);
  std::string_view name = std::string_view(ph.attribute("orient").value()) == "vert" ? kind.vertical : kind.name;

  pugi::xml_node sp = tree.append_child("p:sp");
  pugi::xml_node nv = sp.append_child("p:nvSpPr");
  pugi::xml_node cNvPr = nv.append_child("p:cNvPr");
  cNvPr.append_attribute("id") = id;
  cNvPr.append_attribute("name") = (std::string(name) + " " + std::to_string(id - 1)).c_str();
  nv.append_child("p:cNvSpPr").append_child("a:spLocks").append_attribute("noGrp") = "1";
  pugi::xml_node copy = nv.append_child("p:nvPr").append_child("p:ph");
  for (const char* attribute : {"type", "orient", "sz", "idx"})
    if (pugi::xml_attribute a = ph.attribute(attribute)) copy.append_attribute(attribute) = a.value();
  sp.append_child("p:spPr");
  if (!kind.text) return;
  pugi::xml_node body = sp.append_child("p:txBody");
  body.append_child("a:bodyPr");
  body.append_child("a:lstStyle");
  body.append_child("a:p");
}

// A page of that root element with an empty shape tree; returns the tree.
pugi::xml_node NewPage(pugi::xml_document& doc, const pugi::xml_node& presentationRoot, const char* rootName) {
  const Namespaces& ns = std::string_view(NamespaceOf(presentationRoot)) == kStrict.p ? kStrict : kTransitional;
  pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  declaration.append_attribute("standalone") = "yes";
  pugi::xml_node root = doc.append_child(rootName);
  root.append_attribute("xmlns:a") = ns.a;
  root.append_attribute("xmlns:r") = ns.r;
  root.append_attribute("xmlns:p") = ns.p;
  pugi::xml_node tree = root.append_child("p:cSld").append_child("p:spTree");
  pugi::xml_node group = tree.append_child("p:nvGrpSpPr");
  pugi::xml_node groupProperties = group.append_child("p:cNvPr");
  groupProperties.append_attribute("id") = "1";
  groupProperties.append_attribute("name") = "";
  group.append_child("p:cNvGrpSpPr");
  group.append_child("p:nvPr");
  pugi::xml_node xfrm = tree.append_child("p:grpSpPr").append_child("a:xfrm");
  for (const char* point : {"a:off", "a:chOff"}) {
    pugi::xml_node n = xfrm.append_child(point);
    n.append_attribute("x") = "0";
    n.append_attribute("y") = "0";
  }
  for (const char* size : {"a:ext", "a:chExt"}) {
    pugi::xml_node n = xfrm.append_child(size);
    n.append_attribute("cx") = "0";
    n.append_attribute("cy") = "0";
  }
  // a:ext before a:chOff, as the schema orders them.
  xfrm.insert_move_after(xfrm.child("a:ext"), xfrm.child("a:off"));
  return tree;
}

// Adds the placeholders of the shapes given whose type passes the filter; closes the page.
template <class Keep>
std::string FinishPage(pugi::xml_document& doc, pugi::xml_node tree, const std::vector<pugi::xml_node>& shapes,
                       Keep keep) {
  unsigned id = 2;
  for (const pugi::xml_node& shape : shapes) {
    pugi::xml_node ph = PlaceholderOf(ResolvedShape(shape));
    if (ph && keep(std::string_view(ph.attribute("type").value()))) AddPlaceholder(tree, ph, id++);
  }
  tree.parent().parent().append_child("p:clrMapOvr").append_child("a:masterClrMapping");
  return SerializeXml(doc);
}

}  // namespace

std::string NewSlideXml(const pugi::xml_node& presentationRoot, const std::vector<pugi::xml_node>& layoutShapes) {
  pugi::xml_document doc;
  pugi::xml_node tree = NewPage(doc, presentationRoot, "p:sld");
  return FinishPage(doc, tree, layoutShapes, [](std::string_view type) { return !LeftOff(type); });
}

std::string NewLayoutXml(const pugi::xml_node& presentationRoot, const std::vector<pugi::xml_node>& masterShapes) {
  pugi::xml_document doc;
  pugi::xml_node tree = NewPage(doc, presentationRoot, "p:sldLayout");
  pugi::xml_node root = doc.document_element();
  root.append_attribute("preserve") = "1";
  root.append_attribute("userDrawn") = "1";
  tree.parent().append_attribute("name") = "Custom Layout";
  return FinishPage(doc, tree, masterShapes, [](std::string_view type) {
    return type == "title" || type == "dt" || type == "ftr" || type == "sldNum";
  });
}

}  // namespace quillmere::engine
