// The AnimationTimeline and its start times against scripted timelines.

#include <gtest/gtest.h>

#include "slides/AnimationSettings.h"
#include "slides/TotalTiming.h"
#include "support/registry/Settings.h"
#include "tests/fakes/FakePowerPointTest.h"
#include "tests/fakes/FakeProps.h"
#include "tests/helpers/TextPieces.h"
#include "tests/helpers/XmlTexts.h"

namespace quillmere::testing {
namespace {

class AnimationSettingsTest : public FakePowerPointTest {
 protected:
  void SetUp() override {
    FakePowerPointTest::SetUp();
    StartPowerPoint(14);
    tags = TagsOf(tagValues);
    slide = Props(Make("Slide"), "Tags", Dispatched(tags));
  }

  // An effect on shape `shapeId` of type `type`, triggered as `trigger`, with
  // a delay and a duration in seconds.
  FakePtr Effect(int shapeId, int type, int trigger, float delay = 0.0f, float duration = 0.5f) {
    auto shape = Props(Make("Shape"), "Id", shapeId);
    auto timing = Props(Make("Timing"), "TriggerType", trigger, "TriggerDelayTime", delay, "Duration", duration,
                        "Accelerate", 0, "AutoReverse", 0, "Decelerate", -1, "RepeatCount", 1, "RepeatDuration", 0.0f,
                        "Restart", 1, "RewindAtEnd", 0, "SmoothEnd", 0, "SmoothStart", 0, "Speed", 1.0f);
    auto info = Props(Make("EffectInformation"), "AfterEffect", 4, "AnimateBackground", 0, "BuildByLevelEffect", 0);
    auto parameters = Props(Make("EffectParameters"), "Direction", 4, "Amount", 360.0f);
    return Props(Make("Effect"), "Shape", Dispatched(shape), "DisplayName", "Shape " + std::to_string(shapeId),
                 "EffectType", type, "Exit", 0, "Paragraph", 0, "Timing", Dispatched(timing), "EffectInformation",
                 Dispatched(info), "EffectParameters", Dispatched(parameters));
  }
  static FakePtr Child(const FakePtr& o, const std::string& member) {
    return std::dynamic_pointer_cast<FakeObject>(o->Peek(member).AsDispatch());
  }
  void UseTimeline(std::vector<FakePtr> main, std::vector<std::vector<FakePtr>> interactive = {}) {
    std::vector<FakePtr> sequences;
    for (auto& effects : interactive) sequences.push_back(MakeCollection("Sequence", version, effects));
    auto timeline =
        Props(Make("TimeLine"), "MainSequence", Dispatched(MakeCollection("Sequence", version, std::move(main))),
              "InteractiveSequences", Dispatched(MakeCollection("Sequences", version, sequences)));
    slide->Prop("TimeLine", Dispatched(timeline));
  }
  std::vector<float> Starts() { return GetTotalTiming(Object(slide)); }
  std::string Write() {
    pugi::xml_document doc;
    AnimationSettings(context, Object(slide), doc.append_child("Slide"));
    return RawXml(doc);
  }

  FakePtr slide, tags;
  std::map<std::string, std::string> tagValues;
};

TEST_F(AnimationSettingsTest, StartTimesFollowClicksTagsAndTriggers) {
  // Clicks without tags come one mouse-click delay apart.
  UseTimeline({Effect(2, 10, 1), Effect(3, 10, 1), Effect(4, 10, 1)});
  EXPECT_EQ(Starts(), (std::vector<float>{5, 10, 15}));

  // The older tool's click times win; a click before what it follows comes a second after it.
  tagValues = {{"TIMELINEEDIT", "4.5/9"}};
  UseTimeline({Effect(2, 10, 1), Effect(3, 10, 1, 0.25f)});
  EXPECT_EQ(Starts(), (std::vector<float>{4.5f, 9.25f}));
  tagValues = {{"TIMELINE", "6/3"}};
  EXPECT_EQ(Starts(), (std::vector<float>{6, 7}));
  tagValues = {{"TIMING", "x|2|3|"}};  // clicks at 2 and 5
  EXPECT_EQ(Starts(), (std::vector<float>{2, 5.25f}));

  // With previous starts with it; after previous waits for the longest so far,
  // and an effect lasting until the next click counts as 2 seconds.
  tagValues.clear();
  UseTimeline({Effect(2, 10, 3, 0.5f, 1.0f), Effect(3, 10, 1, 0.0f, 1e9f), Effect(4, 10, 2, 0.0f, 3.0f),
               Effect(5, 10, 3), Effect(6, 10, 0), Effect(7, 10, 4)});
  EXPECT_EQ(Starts(), (std::vector<float>{0, 5, 5, 8, 0}));

  // The user's own delay.
  SaveSetting("Corvanta Lumidesk", "Options", "MouseClickDelay", "2.5");
  UseTimeline({Effect(2, 10, 1), Effect(3, 10, 1)});
  EXPECT_EQ(Starts(), (std::vector<float>{2.5f, 5}));
}

TEST_F(AnimationSettingsTest, EachEffectKindWritesItsOwnElements) {
  auto scale = Props(Make("ScaleEffect"), "ByX", 150.0f, "ByY", 50.0f);
  auto behaviour = Props(Make("AnimationBehavior"), "ScaleEffect", Dispatched(scale));
  auto grow =
      Props(Effect(3, 59, 2), "Behaviors", Dispatched(MakeCollection("AnimationBehaviors", version, {behaviour})));

  auto motion = Props(Make("MotionEffect"), "Path", "M 0 0 L 0.25 0.1 E");
  auto pathTiming = Props(Make("Timing"), "Speed", -1.0f);
  auto pathBehaviour =
      Props(Make("AnimationBehavior"), "MotionEffect", Dispatched(motion), "Timing", Dispatched(pathTiming));
  auto path = Props(Effect(4, 0, 3, 0.0f, std::numeric_limits<float>::infinity()), "Behaviors",
                    Dispatched(MakeCollection("AnimationBehaviors", version, {pathBehaviour})));

  auto fly = Props(Effect(2, 2, 1, 0.5f), "Paragraph", 2, "Exit", -1);
  auto dim = Props(Make("ColorFormat"), "RGB", 0x808080);
  Child(fly, "EffectInformation")->Prop("AfterEffect", 1).Prop("Dim", Dispatched(dim));

  auto unknown = Effect(5, 10, 1);
  unknown->Fail("EffectType", hr::kUnspecified, "Method 'EffectType' of object 'Effect' failed");
  unknown->Fail("DisplayName", hr::kUnspecified, "failed");

  auto orphan = Effect(9, 10, 1);
  orphan->Fail("Shape", hr::kUnspecified, "Effect.Shape : no shape");

  auto button = Effect(6, 61, 4);
  auto trigger = Props(Make("Shape"), "Id", 12);
  Child(button, "Timing")->Prop("TriggerShape", Dispatched(trigger));
  auto bookmark = Effect(7, 10, 5);

  UseTimeline({orphan, fly, grow, path, unknown}, {{button, bookmark}});
  std::string xml = Write();

  // The effect of no shape is left out but keeps its start: the fly-in, second, starts one
  // delay after the first click, as the only click time is taken.
  ExpectHas(xml, {"<Animation><Timing>        <Start>10</Start>\r\n        <Duration>0.5</Duration>",
                  "</Timing>        <ShapeID>2</ShapeID>\r\n        <FriendlyName>Shape 2</FriendlyName>\r\n"
                  "        <AnimationType>2</AnimationType>\r\n        <Exit>True</Exit>\r\n"
                  "        <Paragraph>2</Paragraph>\r\n        <AfterEffect>1</AfterEffect>\r\n"
                  "        <AnimationBackground>False</AnimationBackground>\r\n"
                  "        <BuildByLevelEffect>0</BuildByLevelEffect>\r\n        <DimColor>8421504</DimColor>\r\n"
                  "        <Direction>4</Direction>\r\n</Animation>",
                  "<AnimationType>59</AnimationType>", "<ScaleX>1.5</ScaleX>\r\n        <ScaleY>0.5</ScaleY>",
                  "<Duration>3.402823E+38</Duration>",
                  "<MotionPath>M 0 0 L 0.25 0.1 E</MotionPath>\r\n        <PathReversed>True</PathReversed>"});
  // An effect of unknown type is written as type 150, without its name.
  ExpectHas(xml, {"<ShapeID>5</ShapeID>\r\n        <AnimationType>150</AnimationType>"});
  ExpectLacks(xml, {"<ShapeID>9</ShapeID>"});
  // A shape-click trigger waits for its shape; a media bookmark is left out.
  ExpectHas(xml, {"<Start>-1</Start>", "<TriggerType>4</TriggerType>\r\n        <TriggerShapeID>12</TriggerShapeID>",
                  "<Amount>360</Amount>"});
  ExpectLacks(xml, {"<ShapeID>7</ShapeID>"});
  ExpectHas(xml, {"<TriggerShapeID>-1</TriggerShapeID>", "<Decelerate>True</Decelerate>"});

  // Only the missing shape is logged; the unreadable type and name are passed over.
  EXPECT_EQ(Log(), "-2147467259: Effect.Shape : no shape in Quillmere.bXML.AnimationSettings at line 5\r\n");
}

TEST_F(AnimationSettingsTest, BusyPowerPointIsWaitedForSixTimesPerEffect) {
  auto effect = Effect(2, 10, 1);
  Child(effect, "Timing")->Fail("Duration", hr::kCallRejected, "Call was rejected by callee.", 2);
  Child(effect, "Timing")->Fail("RepeatCount", hr::kCallRejected, "Call was rejected by callee.");
  UseTimeline({effect});
  std::string xml = Write();
  EXPECT_EQ(sleeper->waits, std::vector<long long>(6, 1500));  // six in all, then RepeatCount is given up
  ExpectHas(xml, {"<Duration>0.5</Duration>", "<RepeatDuration>0</RepeatDuration>"});
  ExpectLacks(xml, {"<RepeatCount>"});
  ExpectHas(Log(), {"-2147418111: Call was rejected by callee. in Quillmere.bXML.AnimationSettings at line 21\r\n"});

  // A slide without a timeline (PowerPoint 2000) writes an empty one and says why once.
  slide = Props(Make("Slide"), "Tags", Dispatched(tags));
  DeleteExportLog();
  EXPECT_EQ(Write(), "<Slide><AnimationTimeline/></Slide>");
  EXPECT_EQ(Log(),
            "-2146827850: Object doesn't support this property or method in "
            "Quillmere.bXML.AnimationSettings at line 3\r\n-2146827850: Object doesn't support this property "
            "or method in Quillmere.bXML.AnimationSettings at line 7\r\n");
}

}  // namespace
}  // namespace quillmere::testing
