#pragma once
// A scripted slide and its shapes for the shape writers: every member a plain
// shape answers, a theme, a recording of image exports, and a counting sleeper.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "shapes/ShapeProperties.h"
#include "tests/fakes/FakePowerPointTest.h"

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
    slide = Make("Slide");
    slide->Prop("SlideIndex", 4)
        .Prop("Name", "Slide4")
        .Prop("Shapes", Dispatched(slideShapes))
        .Prop("ThemeColorScheme", Dispatched(Scheme(kOfficeColors)), 12);
  }



  FakePtr Color(std::int32_t rgb, int type = 1, int themeIndex = 0, int schemeIndex = 0) {
    auto color = Make("ColorFormat");
    color->Prop("RGB", rgb).Prop("Type", type).Prop("ObjectThemeColor", themeIndex).Prop("SchemeColor", schemeIndex);
    return color;
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
    auto shape = Make("Shape");
    auto off = [this](const char* kind) {
      auto o = Make(kind);
      o->Prop("Visible", 0)
          .Prop("Type", 1)
          .Prop("Radius", 0.0f)
          .Prop("ForeColor", Dispatched(Color(0)))
          .Prop("BackColor", Dispatched(Color(0xFFFFFF)))
          .Prop("Transparency", 0.0f)
          .Prop("TextureTile", 0);
      return o;
    };
    auto adjustments = Make("Adjustments");
    adjustments->Prop("Count", 0);
    auto glow = off("GlowFormat");
    glow->Prop("Color", Dispatched(Color(0)));
    auto textEffect = Make("TextEffectFormat");
    textEffect->Prop("PresetShape", 0);
    auto tags = TagsOf(tagValues);
    auto picture = Make("PictureFormat");
    picture->Prop("Brightness", 0.75f)
        .Prop("Contrast", 0.5f)
        .Prop("TransparentBackground", 0)
        .Prop("CropTop", 10.0f)
        .Prop("CropBottom", 0.0f)
        .Prop("CropLeft", 4.0f)
        .Prop("CropRight", 0.0f);
    auto frame = Make("TextFrame");
    auto range = Make("TextRange");
    range->Prop("Text", "");
    frame->Prop("HasText", 0).Prop("TextRange", Dispatched(range));
    shape->Prop("TextFrame", Dispatched(frame)).Prop("ZOrder", Value());
    shape->Prop("Type", type)
        .Prop("AutoShapeType", autoShapeType)
        .Prop("Name", name)
        .Prop("id", 7)
        .Prop("Left", 10.0f)
        .Prop("Top", 20.0f)
        .Prop("Width", 100.0f)
        .Prop("Height", 50.0f)
        .Prop("Rotation", 0.0f)
        .Prop("LockAspectRatio", 0)
        .Prop("Connector", 0)
        .Prop("HorizontalFlip", 0)
        .Prop("VerticalFlip", 0)
        .Prop("SoftEdge", Dispatched(off("SoftEdgeFormat")), 12)
        .Prop("Reflection", Dispatched(off("ReflectionFormat")), 12)
        .Prop("Glow", Dispatched(glow), 12)
        .Prop("Fill", Dispatched(off("FillFormat")))
        .Prop("Line", Dispatched(off("LineFormat")))
        .Prop("Shadow", Dispatched(off("ShadowFormat")))
        .Prop("ThreeD", Dispatched(off("ThreeDFormat")))
        .Prop("Adjustments", Dispatched(adjustments))
        .Prop("Visible", -1)
        .Prop("AlternativeText", "alt")
        .Prop("HasTextFrame", 0)
        .Prop("TextEffect", Dispatched(textEffect))
        .Prop("Parent", Dispatched(slide))
        .Prop("Tags", Dispatched(tags))
        .Prop("PictureFormat", Dispatched(picture))
        .Prop("Child", 0)
        .Prop("Delete", Value())
        .On("Flip",
            [this](Args a) {
              flips.push_back(a[0].AsLong());
              return Value();
            })
        .On("ScaleHeight", [](Args) { return Value(); })
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

}  // namespace quillmere::testing
