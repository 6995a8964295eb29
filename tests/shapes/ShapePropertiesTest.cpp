// Shape elements against scripted shapes of PowerPoint 2003, 2007 and 2010.

#include "media/CharacterImages.h"
#include "shapes/NativeShapeTable.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"
#include "tests/shapes/ShapeFakes.h"

namespace quillmere::testing {
namespace {

using ShapePropertiesTest = ShapeWriterTest;

TEST_F(ShapePropertiesTest, AutoShapesAreNativeOrExportedAsImages) {
  Use(12);
  pugi::xml_node rectangle = Write(Shape(1, 1));
  EXPECT_EQ(Text(rectangle, "Type"), "1");
  ExpectTexts(rectangle, {{"@id", "7"}, {"@character", "False"}});
  EXPECT_EQ(Texts(rectangle, {"Left", "Top", "Width", "Height"}), "15 40 150 100");
  for (auto [element, want] : {std::pair{"AutoShapeType", "1"}, std::pair{"Image", ""}, std::pair{"Connector", "False"},
                               std::pair{"AlternativeText", "alt"}})
    EXPECT_EQ(Text(rectangle, element), want) << element;
  EXPECT_TRUE(rectangle.child("Fill") && rectangle.child("Line") && rectangle.child("Shadow"));
  EXPECT_TRUE(exports.empty());
  EXPECT_FALSE(IsNativeAutoShape(201));

  // Not native: exported unrotated and unflipped as EMF, then restored.
  auto star = Props(Shape(1, 97, "Star"), "Fill", Dispatched(Props(Make("FillFormat"), "Visible", -1)), "Rotation",
                    30.0f, "HorizontalFlip", -1);
  pugi::xml_node starElement = Write(star);
  ASSERT_EQ(exports, std::vector<std::string>{"Star emf .emf"});
  EXPECT_EQ(Text(starElement, "Image").substr(0, 5), "/out/");
  EXPECT_EQ(Text(starElement, "HorizontalFlip"), "True");
  EXPECT_EQ(flips, (std::vector<int>{0, 0}));  // undone and re-applied
  EXPECT_EQ(star->Peek("Rotation").AsSingle(), 30.0f);

  // Nothing shows: no image at all.
  exports.clear();
  EXPECT_EQ(Text(Write(Shape(1, 97)), "Image"), "");
  EXPECT_TRUE(exports.empty());

  // A text box drawn as another shape is written as an auto shape.
  EXPECT_EQ(Text(Write(Shape(17, 5)), "Type"), "1");
  EXPECT_EQ(Text(Write(Shape(17, 1)), "Type"), "17");

  // A pattern fill makes a picture, exported at slide size.
  auto fill = Props(Make("FillFormat"), "Visible", -1, "Type", 2, "Pattern", 5, "Transparency", 0.0f, "BackColor",
                    Dispatched(Color(0)), "ForeColor", Dispatched(Color(0)));
  pugi::xml_node picture = Write(Props(Shape(1, 1, "Pattern"), "Fill", Dispatched(fill)));
  EXPECT_EQ(Text(picture, "Type"), "13");
  EXPECT_EQ(exports.back(), "Pattern' png .png 720x540");
  EXPECT_EQ(Text(picture, "FormattedImage").substr(0, 5), "/out/");
}

TEST_F(ShapePropertiesTest, GroupsOfMoreThanThirtyMembersBecomeOnePicture) {
  Use(12);
  auto group = [this](int members) {
    std::vector<FakePtr> items;
    for (int i = 0; i < members; ++i) items.push_back(Shape(1, 1, "Member"));
    return Props(Shape(6, -2, "Group"), "GroupItems", Dispatched(MakeCollection("GroupShapes", version, items)));
  };
  pugi::xml_node thirty = Write(group(30));
  EXPECT_EQ(Text(thirty, "Type"), "6");
  EXPECT_EQ(Count(thirty.child("GroupItems"), "Shape"), 30);
  EXPECT_FALSE(thirty.child("Fill"));
  EXPECT_FALSE(thirty.child("Shadow"));
  EXPECT_TRUE(exports.empty());

  pugi::xml_node thirtyOne = Write(group(31));
  EXPECT_EQ(Text(thirtyOne, "Type"), "13");
  EXPECT_FALSE(thirtyOne.child("GroupItems"));
  EXPECT_FALSE(thirtyOne.child("Fill"));  // still a group underneath
  EXPECT_EQ(exports, std::vector<std::string>{"Group' emf .emf"});

  // EMF failing for a group falls back to PNG.
  exports.clear();
  onExport = [](const std::string&, int format) {
    if (format == 5) throw ComError(hr::kUnspecified, "emf");
  };
  pugi::xml_node fallback = Write(group(31));
  EXPECT_EQ(exports, std::vector<std::string>{"Group' png .png 1512x1134"});
  EXPECT_EQ(Text(fallback, "FormattedImage").substr(Text(fallback, "FormattedImage").size() - 4), ".png");
}

TEST_F(ShapePropertiesTest, ImageExportFallsBackAndBusyPowerPointIsRetried) {
  Use(12);
  // A chart: the default image of a copy, PNG first, EMF when PNG fails.
  onExport = [](const std::string&, int format) {
    if (format == 2) throw ComError(hr::kUnspecified, "png");
  };
  pugi::xml_node chart = Write(Shape(3, -2, "Chart"));
  EXPECT_EQ(exports, std::vector<std::string>{"Chart' emf .emf"});
  EXPECT_EQ(Text(chart, "Image").substr(Text(chart, "Image").size() - 4), ".emf");
  EXPECT_EQ(Text(chart, "ReflectionType"), "0");

  // Both failing: the last path attempted is written all the same.
  exports.clear();
  onExport = [](const std::string&, int) { throw ComError(hr::kUnspecified, "no"); };
  EXPECT_EQ(Text(Write(Shape(3, -2, "Chart")), "Image").substr(0, 5), "/out/");
  EXPECT_TRUE(exports.empty());
  onExport = nullptr;

  // Busy twice, then answering: two waits of 1500 ms, the element written.
  auto busy = Shape(1, 1);
  busy->Fail("Rotation", hr::kCallRejected, "Call was rejected by callee.", 2);
  EXPECT_EQ(Text(Write(busy), "Rotation"), "0");
  EXPECT_EQ(sleeper->waits, (std::vector<long long>{1500, 1500}));
  ExpectHas(Log(), {"Shape Properties: Retrying the command.",
                    " in Quillmere.bXML.ShapeProperties at line 27 Shape name: Shape(7) Slide 4 - 2"});

  // Failing for good: six retries in this call, then the element is left out.
  sleeper->waits.clear();
  auto failing = Shape(1, 1);
  failing->Fail("LockAspectRatio", hr::kUnspecified, "Unspecified error");
  pugi::xml_node written = Write(failing);
  EXPECT_EQ(sleeper->waits.size(), 6u);
  EXPECT_EQ(Text(written, "LockAspectRatio"), "<absent>");
  EXPECT_EQ(Text(written, "Visible"), "True");
  EXPECT_NE(Log().find("Shape Properties: Resuming execution."), std::string::npos);

  // Other errors are logged once and not waited for.
  sleeper->waits.clear();
  auto missing = Shape(1, 1);
  missing->Fail("AlternativeText", hr::kMemberNotFound, "Member not found.");
  EXPECT_EQ(Text(Write(missing), "AlternativeText"), "<absent>");
  EXPECT_TRUE(sleeper->waits.empty());
}

TEST_F(ShapePropertiesTest, PicturesCharactersAndEffects) {
  Use(14);
  tagValues = {{"CORVANTA_CHARACTER_TYPE", "Illustrated"},
               {"CORVANTA_CHARACTER_FILE", ".\\characters\\ann.png"},
               {"CORVANTA_CHARACTER_ID", "ann"},
               {"CORVANTA_CHARACTER_POSE", "wave"}};
  auto glow = Props(Make("GlowFormat"), "Radius", 4.0f, "Color", Dispatched(Color(0xBD814F, 2, 5)));
  auto picture = Props(Shape(13, 1, "Photo"), "Glow", Dispatched(glow));
  onDuplicate = [](const FakePtr& copy) { copy->Prop("Width", 50.0f).Prop("Height", 25.0f); };  // uncropped: half
  pugi::xml_node written = Write(picture);
  EXPECT_STREQ(written.attribute("character").value(), "True");
  pugi::xml_node character = written.child("Character");
  EXPECT_EQ(Text(character, "CharacterFile"), "/out/characters/ann.png");
  EXPECT_EQ(Text(character, "CharacterPose"), "wave");
  EXPECT_FALSE(character.child("CharacterPerspective"));
  EXPECT_EQ(Texts(written, {"Brightness", "Contrast"}), "50 0");
  EXPECT_EQ(Texts(written, {"CropTop", "CropLeft"}), "40 12");
  EXPECT_EQ(exports, std::vector<std::string>{"Photo' png .png 1512x1134"});
  EXPECT_EQ(Texts(written.child("Glow"), {"Radius", "Color", "ColorValue"}), "4 Accent1 12419407");

  // Unreadable brightness counts as neutral.
  auto levels = Props(Make("PictureFormat"), "Contrast", 0.5f);
  levels->Fail("Brightness", hr::kNotSupported, "no");
  EXPECT_EQ(Text(Write(Props(Shape(13), "PictureFormat", Dispatched(levels))), "Brightness"), "0");

  // Character tags without a type are no character; other types write three elements.
  tagValues = {{"CORVANTA_CHARACTER_FILE", "a.png"}};
  EXPECT_FALSE(IsCharacter(Object(Shape(13))));
  tagValues = {{"CORVANTA_CHARACTER_TYPE", "cartoon"}, {"CORVANTA_CHARACTER_CROP", "x"}};
  pugi::xml_node other = doc.append_child("Shape");
  WriteCharacter(context, Object(Shape(13)), other);
  EXPECT_EQ(std::distance(other.child("Character").children().begin(), other.child("Character").children().end()),
            9);  // three elements, each with its indentation and line break

  // A freeform with text: flips written False, exported with its companion frame.
  tagValues.clear();
  exports.clear();
  auto range = Props(Make("TextRange2"), "Runs", Dispatched(MakeCollection("TextRange2", version, {})), "Text", "x");
  auto effect = Props(Make("TextEffectFormat"), "PresetShape", 0, "Text", "x");  // the same text: no equation
  auto freeform =
      Props(Shape(5, -2, "Free"), "HasTextFrame", -1, "VerticalFlip", -1, "TextFrame2",
            Dispatched(Props(Make("TextFrame2"), "TextRange", Dispatched(range))), "TextEffect", Dispatched(effect));
  Object(freeform->Peek("TextFrame")).Put("HasText", -1);
  pugi::xml_node free = Write(freeform);
  EXPECT_EQ(Text(free, "Type"), "13");
  EXPECT_EQ(Text(free, "VerticalFlip"), "False");
  // The copy is renamed at random before the copy and the companion are exported together.
  ASSERT_EQ(exports.size(), 1u);
  EXPECT_EQ(exports[0].size(), std::string("12345678+Shape emf .emf").size());
  EXPECT_EQ(exports[0].substr(8), "+Shape emf .emf");
}

TEST_F(ShapePropertiesTest, OlderVersionsAndSkippedNarration) {
  Use(11);
  pugi::xml_node old = Write(Shape(1, 1));
  EXPECT_EQ(Texts(old, {"SoftEdge", "ReflectionType"}, "") + Texts(old.child("Glow"), {"Radius", "ColorType"}, ""),
            "0001");

  // 2003 ungroups a copy of the group on the slide and deletes what it made.
  auto group = Shape(6, -2, "Group");
  group->On("Duplicate", [this](Args) {
    auto copy = Shape(6, -2, "Copy");
    copy->On("Ungroup", [this](Args) {
      onSlide.push_back(Shape(1, 1, "A"));
      onSlide.push_back(Shape(1, 1, "B"));
      return Value();
    });
    return Dispatched(MakeCollection("ShapeRange", version, {copy}));
  });
  onSlide.push_back(group);
  pugi::xml_node items = Write(group).child("GroupItems");
  std::string names;
  for (pugi::xml_node member : items.children("Shape")) names += std::string(member.attribute("name").value()) + " ";
  EXPECT_EQ(names, "A B ");
  EXPECT_EQ(onSlide[1]->Calls("Delete"), 1);
  EXPECT_EQ(onSlide[2]->Calls("Delete"), 1);

  // 2003 placeholders holding a picture are picture placeholders.
  auto placeholder =
      Props(Shape(14, 1, "Holder"), "PlaceholderFormat", Dispatched(Props(Make("PlaceholderFormat"), "Type", 7)));
  onDuplicate = [](const FakePtr& copy) { copy->Prop("Type", 13); };
  pugi::xml_node held = Write(placeholder);
  EXPECT_EQ(Texts(held, {"PlaceholderType", "ContainedType"}), "18 13");
  EXPECT_EQ(Text(held, "AutoShapeType"), "1");
  onDuplicate = nullptr;

  // A narration sound that starts the main sequence is not written.
  Use(14);
  auto sound = Props(Shape(16, -2, "Narration"), "MediaType", 2);
  auto effect = Props(Make("Effect"), "Index", 1);
  auto sequence = Props(Make("Sequence"), "FindFirstAnimationFor", Dispatched(effect));
  slide->Prop("TimeLine", Dispatched(Props(Make("TimeLine"), "MainSequence", Dispatched(sequence))));
  EXPECT_FALSE(Write(sound));
  effect->Prop("Index", 2);
  EXPECT_EQ(Text(Write(sound), "MediaType"), "2");
}

}  // namespace
}  // namespace quillmere::testing
