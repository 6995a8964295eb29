#pragma once
// A scripted slide and its shapes for the shape writers: every member a plain
// shape answers, a theme, a recording of image exports, and a counting sleeper.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "shapes/ShapeProperties.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"

namespace quillmere::testing {

class ShapeWriterTest : public FakePowerPointTest {
 protected:
  void Use(int major) {
    ExportContext& state = StartPowerPoint(major);
    state.scaleX = 1.5f;
    state.scaleY = 2.0f;
    slideShapes = Make("Shapes");
    slideShapes->On("Count", [this](Args) { return Value(static_cast<int>(onSlide.size())); });
    slideShapes->On("Item",
                    [this](Args a) { return Dispatched(onSlide.at(static_cast<std::size_t>(a[0].AsLong() - 1))); });
    slideShapes->On("AddShape", [this](Args) { return Dispatched(Shape(1)); });
    slideShapes->On("Range", [this](Args a) {
      auto range = Make("ShapeRange");
      std::string names = a[0].AsString() + "+" + a[1].AsString();
      range->On("Export", [this, names](Args e) { return Record(names, e); });
      return Dispatched(range);
    });
    slide = Props(Make("Slide"), "SlideIndex", 4, "Name", "Slide4", "Shapes", Dispatched(slideShapes));
    slide->Prop("ThemeColorScheme", Dispatched(Scheme(kOfficeColors)), 12);
  }

  FakePtr Color(std::int32_t rgb, int type = 1, int themeIndex = 0, int schemeIndex = 0) {
    return Props(Make("ColorFormat"), "RGB", rgb, "Type", type, "ObjectThemeColor", themeIndex, "SchemeColor",
                 schemeIndex);
  }

  Value Record(const std::string& who, Args a) {
    std::string path = a[0].AsString();
    int format = a[1].AsLong();
    if (onExport) onExport(path, format);
    exports.push_back(who + (format == 2 ? " png " : " emf ") + path.substr(path.size() - 4) +
                      (a.size() > 2 ? " " + std::to_string(a[2].AsLong()) + "x" + std::to_string(a[3].AsLong()) : ""));
    return {};
  }

  // A shape with every member the writers read, answering as an unfilled,
  // unlined, unflipped shape without effects would.
  FakePtr Shape(int type, int autoShapeType = 1, const std::string& name = "Shape") {
    auto off = [this](const char* kind) {
      return Props(Make(kind), "Visible", 0, "Type", 1, "Radius", 0.0f, "ForeColor", Dispatched(Color(0)), "BackColor",
                   Dispatched(Color(0xFFFFFF)), "Transparency", 0.0f, "TextureTile", 0);
    };
    auto glow = Props(off("GlowFormat"), "Color", Dispatched(Color(0)));
    auto picture = Props(Make("PictureFormat"), "Brightness", 0.75f, "Contrast", 0.5f, "TransparentBackground", 0,
                         "CropTop", 10.0f, "CropBottom", 0.0f, "CropLeft", 4.0f, "CropRight", 0.0f);
    auto range = Props(Make("TextRange"), "Text", "");
    auto frame = Props(Make("TextFrame"), "HasText", 0, "TextRange", Dispatched(range));
    auto shape =
        Props(Make("Shape"), "Type", type, "AutoShapeType", autoShapeType, "Name", name, "id", 7, "Visible", -1,
              "AlternativeText", "alt", "Parent", Dispatched(slide), "Tags", Dispatched(TagsOf(tagValues)), "Child", 0,
              "Connector", 0, "LockAspectRatio", 0, "ZOrder", Value(), "Delete", Value(), "ScaleHeight", Value());
    Props(shape, "Left", 10.0f, "Top", 20.0f, "Width", 100.0f, "Height", 50.0f, "Rotation", 0.0f, "HorizontalFlip", 0,
          "VerticalFlip", 0, "Adjustments", Dispatched(Props(Make("Adjustments"), "Count", 0)));
    Props(shape, "Fill", Dispatched(off("FillFormat")), "Line", Dispatched(off("LineFormat")), "Shadow",
          Dispatched(off("ShadowFormat")), "ThreeD", Dispatched(off("ThreeDFormat")), "PictureFormat",
          Dispatched(picture));
    Props(shape, "HasTextFrame", 0, "TextFrame", Dispatched(frame), "TextEffect",
          Dispatched(Props(Make("TextEffectFormat"), "PresetShape", 0)));
    shape->Prop("SoftEdge", Dispatched(off("SoftEdgeFormat")), 12)
        .Prop("Reflection", Dispatched(off("ReflectionFormat")), 12)
        .Prop("Glow", Dispatched(glow), 12)
        .On("Flip",
            [this](Args a) {
              flips.push_back(a[0].AsLong());
              return Value();
            })
        .On("Export", [this, name](Args a) { return Record(name, a); })
        .On("Duplicate", [this, type, autoShapeType, name](Args) {
          auto copy = Shape(type, autoShapeType, name + "'");
          if (onDuplicate) onDuplicate(copy);
          return Dispatched(MakeCollection("ShapeRange", version, {copy}));
        });
    return shape;
  }

  // The Shape element written for the shape (the empty node when none was).
  pugi::xml_node Write(const FakePtr& shape) {
    pugi::xml_node parent = doc.append_child("Shapes");
    ShapeProperties(context, Object(shape), parent, false);
    return parent.child("Shape");
  }

  FakePtr slide, slideShapes;
  std::vector<FakePtr> onSlide;
  std::map<std::string, std::string> tagValues;
  std::vector<std::string> exports;
  std::vector<int> flips;
  std::function<void(const std::string&, int)> onExport;
  std::function<void(const FakePtr&)> onDuplicate;
  pugi::xml_document doc;
};

// The text of a node's element child; "<absent>" when there is none.
inline std::string Text(pugi::xml_node node, const char* name) {
  pugi::xml_node child = node.child(name);
  return child ? child.text().get() : "<absent>";
}

// The texts of several element children, as Text gives them, joined by `separator`.
inline std::string Texts(pugi::xml_node node, std::initializer_list<const char*> names, const char* separator = " ") {
  std::string joined;
  bool first = true;
  for (const char* name : names) joined += (std::exchange(first, false) ? "" : separator) + Text(node, name);
  return joined;
}

// How many element children of that name the node has.
inline std::ptrdiff_t Count(pugi::xml_node node, const char* name) {
  return std::distance(node.children(name).begin(), node.children(name).end());
}

// "X1 Y1 X2 Y2" of every segment of a line or connector, separated by " | ".
inline std::string Segments(pugi::xml_node shape) {
  std::string out;
  for (pugi::xml_node p : shape.child("LineCoordinates").children("Points"))
    out += (out.empty() ? "" : " | ") + Texts(p, {"X1", "Y1", "X2", "Y2"});
  return out;
}

}  // namespace quillmere::testing
