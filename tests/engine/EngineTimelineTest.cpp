// The animation timeline of slides, layouts and masters answers from real
// decks what their p:timing says, with the enumeration values of PowerPoint's
// object model; damaged timelines fail only the member that cannot be read.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/model/document/PresentationDocument.h"
#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/NearMembers.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

constexpr const char* kRefactor = "poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx";

class EngineTimelineTest : public IsolatedUserFolders {
 protected:
  static Object MainSequence(const Object& pres, int slide) {
    return pres.Child("Slides").Item(slide).Child("TimeLine").Child("MainSequence");
  }

  // A copy of the deck whose first slide has this p:timing instead of its own.
  std::string WithTiming(const std::string& timing, const char* deck = "poi__keyframes.pptx") {
    return EditedDeck(Deck(deck), Folder("tmp") / ("timing" + std::to_string(++variants_) + ".pptx"),
                      [&](engine::Package& p) {
                        EditPart(p, "ppt/slides/slide1.xml", [&](pugi::xml_node root) {
                          root.remove_child(root.child("p:timing"));
                          EXPECT_TRUE(root.append_buffer(timing.data(), timing.size()));
                        });
                      });
  }

  int variants_ = 0;
};

// One effect of a main sequence: <p:par> click group, with group, effect.
std::string Effect(const std::string& effectAttributes, const std::string& behaviours) {
  return "<p:par><p:cTn id=\"3\" fill=\"hold\"><p:stCondLst><p:cond delay=\"indefinite\"/></p:stCondLst>"
         "<p:childTnLst><p:par><p:cTn id=\"4\" fill=\"hold\"><p:childTnLst><p:par><p:cTn id=\"5\" " +
         effectAttributes + "><p:childTnLst>" + behaviours +
         "</p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>";
}
std::string Timing(const std::string& mainSequenceChildren, const std::string& builds = "") {
  return "<p:timing><p:tnLst><p:par><p:cTn id=\"1\" dur=\"indefinite\" nodeType=\"tmRoot\"><p:childTnLst>"
         "<p:seq><p:cTn id=\"2\" dur=\"indefinite\" nodeType=\"mainSeq\"><p:childTnLst>" +
         mainSequenceChildren + "</p:childTnLst></p:cTn></p:seq></p:childTnLst></p:cTn></p:par></p:tnLst>" + builds +
         "</p:timing>";
}
std::string Set(const std::string& spid, const std::string& cTn = "dur=\"1\"", const std::string& to = "visible",
                const std::string& conditions = "") {
  return "<p:set><p:cBhvr><p:cTn id=\"9\" " + cTn + ">" + conditions + "</p:cTn><p:tgtEl><p:spTgt spid=\"" + spid +
         "\"/></p:tgtEl><p:attrNameLst><p:attrName>style.visibility</p:attrName></p:attrNameLst></p:cBhvr>"
         "<p:to><p:strVal val=\"" +
         to + "\"/></p:to></p:set>";
}

TEST_F(EngineTimelineTest, EffectsOfRealDecksAnswerTheirPresetsTriggersAndTimes) {
  Object app = StartEngine();
  Object refactor = OpenDeck(app, Deck(kRefactor));

  // Three fades, the first on a click, the others with it.
  Object fades = MainSequence(refactor, 2);
  ASSERT_EQ(fades.Count(), 3);
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    ExpectMembers(fades.Item(i), {{"EffectType", 10}, {"Index", i}, {"Exit", kFalse}});
    ExpectMembers(fades.Item(i), {{"Timing.TriggerType", i == 1 ? 1 : 2}, {"Timing.Duration", 1.0f}});
  }
  ExpectMembers(fades.Item(1), {{"Shape.Id", 4102}, {"EffectInformation.BuildByLevelEffect", 0}});
  ExpectMembers(fades.Item(1), {{"DisplayName", fades.Item(1).Child("Shape").Get("Name").AsString()}});

  // Exits by split (vertical in), a motion path down, peeks from the top,
  // an after-previous peek; an exit lasts to the end of its hide at 499 + 1 ms.
  Object mixed = MainSequence(refactor, 5);
  ASSERT_EQ(mixed.Count(), 17);
  Object split = mixed.Item(1), path = mixed.Item(5);
  ExpectMembers(split, {{"EffectType", 16}, {"Exit", kTrue}, {"EffectParameters.Direction", 25} /* vertical in */});
  ExpectMembers(split, {{"Timing.Duration", 0.5f}});
  ExpectMembers(path, {{"EffectType", 127} /* msoAnimEffectPathDown */, {"Timing.Accelerate", 0.5f}});
  ExpectMembers(path, {{"Timing.SmoothStart", kTrue}, {"Timing.SmoothEnd", kFalse}});
  ExpectMembers(path, {{"EffectParameters.Relative", kTrue}});
  Object motion = path.Child("Behaviors").Item(1);
  ExpectMembers(motion, {{"Type", 1}, {"MotionEffect.Path", "M 3.33333E-6 3.6696E-6 L -0.01875 0.25914 "}});
  EXPECT_EQ(ErrorOf([&] { motion.Child("ScaleEffect"); }), hr::kUnspecified);
  EXPECT_EQ(mixed.Item(6).Child("EffectParameters").Get("Direction").AsLong(), 10);  // peek, subtype 1: from the top
  ExpectMembers(mixed.Item(7), {{"Timing.TriggerType", 3}, {"Timing.Duration", 0.5f}});
  ExpectMembers(mixed.Item(17), {{"EffectType", 22}, {"EffectParameters.Direction", 4}});  // wipe from the left
  // An exit's behaviours: the filter, then the hide that ends it.
  Object behaviours = split.Child("Behaviors");
  ASSERT_EQ(behaviours.Count(), 2);
  ExpectMembers(behaviours.Item(1), {{"Type", 7}});
  ExpectMembers(behaviours.Item(2), {{"Type", 8}, {"SetEffect.To", "hidden"}});
  ExpectMembers(behaviours.Item(2), {{"SetEffect.Property", 8} /* visibility */, {"Timing.TriggerDelayTime", 0.499f}});
  ExpectMembers(behaviours.Item(2), {{"Timing.Duration", 0.001f}});
  EXPECT_EQ(ErrorOf([&] { behaviours.Item(3); }), hr::kInvalidArgument);

  // A paragraph build: each effect animates one paragraph of the placeholder.
  Object paragraphs = MainSequence(refactor, 9);
  ASSERT_EQ(paragraphs.Count(), 3);
  ExpectMembers(paragraphs.Item(1),
                {{"Paragraph", 6},
                 {"DisplayName", "Content Placeholder 67: Case studies describe root canal refactorings:"},
                 {"EffectInformation.BuildByLevelEffect", 2},
                 {"EffectInformation.TextUnitEffect", 0}});
  ExpectMembers(paragraphs.Item(3), {{"Paragraph", 8}});

  // Grow to 10 % with a motion path; the grow's scale behaviour.
  Object grow = MainSequence(refactor, 10).Item(2);
  ExpectMembers(grow, {{"EffectType", 59}, {"EffectParameters.Size", 10.0f}});
  ExpectMembers(grow.Child("Behaviors").Item(1), {{"ScaleEffect.ByX", 10.0f}, {"ScaleEffect.ByY", 10.0f}});

  // Performance: a fly from the right after the previous, five seconds late;
  // keyframes: a peek from the left over three seconds with its background.
  Object perf = OpenDeck(app, Deck("poi__2411-Performance_Up.pptx"));
  Object fly = MainSequence(perf, 2).Item(1);
  ExpectMembers(fly, {{"EffectType", 2}, {"EffectParameters.Direction", 2}, {"Timing.TriggerType", 3}});
  ExpectMembers(fly, {{"Timing.TriggerDelayTime", 5.0f}});
  ExpectMembers(fly.Child("Behaviors").Item(2), {{"PropertyEffect.Property", 1}});  // msoAnimX
  Object boomerang = MainSequence(perf, 4).Item(1);
  ExpectMembers(boomerang, {{"EffectType", 25}, {"Timing.Duration", 1.0f}, {"Paragraph", 1}});
  Object peek = MainSequence(OpenDeck(app, Deck("poi__keyframes.pptx")), 1).Item(1);
  ExpectMembers(peek, {{"EffectType", 12}, {"EffectParameters.Direction", 4}, {"Timing.Duration", 3.0f}});
  ExpectMembers(peek, {{"EffectInformation.AnimateBackground", kTrue}});
  Object fromBottom = MainSequence(OpenDeck(app, Deck("poi__customGeo.pptx")), 6);
  ASSERT_EQ(fromBottom.Count(), 3);
  EXPECT_EQ(fromBottom.Item(3).Child("EffectParameters").Get("Direction").AsLong(), 11);

  // Appear by paragraph, each shown at 499 ms of its effect: half a second.
  Object appear = MainSequence(OpenDeck(app, Deck("poi__alterman_security.pptx")), 16);
  ASSERT_EQ(appear.Count(), 12);
  int triggers[] = {1, 1, 2, 2, 2, 1, 2, 2, 1, 2, 2, 1};
  for (int i = 1; i <= 12; ++i) {
    SCOPED_TRACE(i);
    ExpectMembers(appear.Item(i), {{"EffectType", 1}, {"Paragraph", i}, {"Timing.TriggerType", triggers[i - 1]}});
    ExpectMembers(appear.Item(i), {{"Timing.Duration", 0.5f}});
  }
}

TEST_F(EngineTimelineTest, ChartAndDiagramBuildsAnswerTheirLevels) {
  // One fade of the chart (id 2) or diagram (id 4) per build, each build its own group.
  auto builds = [](const char* spid, const std::vector<std::string>& how) {
    std::string effects, list;
    for (std::size_t i = 0; i < how.size(); ++i) {
      std::string group = std::to_string(i);
      effects +=
          Effect("presetID=\"10\" presetClass=\"entr\" grpId=\"" + group + "\" nodeType=\"clickEffect\"", Set(spid));
      list += "<p:bldGraphic spid=\"" + std::string(spid) + "\" grpId=\"" + group + "\">" + how[i] + "</p:bldGraphic>";
    }
    return Timing(effects, "<p:bldLst>" + list + "</p:bldLst>");
  };
  auto levels = [](const Object& pres) {
    std::vector<int> found;
    Object sequence = MainSequence(pres, 1);
    for (int i = 1; i <= sequence.Count(); ++i)
      found.push_back(sequence.Item(i).Child("EffectInformation").Get("BuildByLevelEffect").AsLong());
    return found;
  };
  Object app = StartEngine();
  std::vector<std::string> chart{"<p:bldAsOne/>"};
  for (const char* bld : {"allAtOnce", "category", "categoryEl", "series", "seriesEl"})
    chart.push_back(std::string("<p:bldSub><a:bldChart bld=\"") + bld + "\" animBg=\"0\"/></p:bldSub>");
  Object bars = OpenDeck(app, WithTiming(builds("2", chart), "poi__bar-chart.pptx"));
  // msoAnimateLevelNone, then msoAnimateChartAllAtOnce to msoAnimateChartBySeriesElements.
  EXPECT_EQ(levels(bars), (std::vector<int>{0, 7, 8, 9, 10, 11}));
  EXPECT_EQ(MainSequence(bars, 1).Item(2).Child("EffectInformation").Get("AnimateBackground").AsLong(), kFalse);

  std::vector<std::string> diagram;
  for (const char* bld : {"allAtOnce", "one", "lvlOne", "lvlAtOnce"})
    diagram.push_back(std::string("<p:bldSub><a:bldDgm bld=\"") + bld + "\"/></p:bldSub>");
  // msoAnimateDiagramAllAtOnce, DepthByNode, BreadthByNode, BreadthByLevel.
  EXPECT_EQ(levels(OpenDeck(app, WithTiming(builds("4", diagram), "poi__SmartArt.pptx"))),
            (std::vector<int>{12, 13, 15, 16}));
}

TEST_F(EngineTimelineTest, MediaEffectsAndInteractiveSequences) {
  Object app = StartEngine();
  Object video = OpenDeck(app, Deck("poi__EmbeddedVideo.pptx")).Child("Slides").Item(1).Child("TimeLine");
  Object play = video.Child("MainSequence").Item(1);
  ExpectMembers(play, {{"EffectType", 83}, {"Timing.Duration", 3.166f}, {"EffectInformation.PlayOnEntry", kTrue}});
  ExpectMembers(play.Child("Behaviors").Item(1), {{"Type", 6}});
  ExpectReadsFail(play, {"Timing.TriggerShape"}, hr::kUnspecified);

  Object interactive = video.Child("InteractiveSequences");
  ASSERT_EQ(interactive.Count(), 1);
  Object pause = interactive.Item(1).Item(1);
  ExpectMembers(pause, {{"EffectType", 84}, {"EffectInformation.PlayOnEntry", kFalse}, {"Timing.TriggerType", 4}});
  ExpectMembers(pause, {{"Timing.TriggerShape.Name", "file_example_MP4_480_1_5MG_Trim"}});
  EXPECT_EQ(ErrorOf([&] { interactive.Item(2); }), hr::kInvalidArgument);

  Object movie = OpenDeck(app, Deck("pptx__shp-movie-props.pptx")).Child("Slides").Item(1).Child("TimeLine");
  EXPECT_EQ(movie.Child("MainSequence").Count(), 0);
  EXPECT_EQ(ErrorOf([&] { movie.Child("MainSequence").Item(1); }), hr::kInvalidArgument);
  ExpectMembers(movie.Child("InteractiveSequences").Item(1).Item(1),
                {{"Timing.TriggerShape.Name", "just-two-mice.mp4"}});

  // A slide without p:timing has an empty main sequence; layouts and masters have timelines too.
  Object stress = OpenDeck(app, Deck("poi__stress013.pptx"));
  EXPECT_EQ(MainSequence(stress, 1).Count(), 0);
  EXPECT_EQ(MainSequence(stress, 5).Count(), 9);
  Object master = stress.Child("Designs").Item(1).Child("SlideMaster");
  EXPECT_EQ(master.Child("TimeLine").Child("MainSequence").Count(), 0);
  EXPECT_EQ(master.Child("CustomLayouts").Item(1).Child("TimeLine").Child("InteractiveSequences").Count(), 0);
}

TEST_F(EngineTimelineTest, DamagedTimelinesFailOnlyWhatCannotBeRead) {
  Object app = StartEngine();
  const std::string fade = "presetID=\"10\" presetClass=\"entr\" nodeType=\"clickEffect\"";

  // A shape id no shape has, an effect without a target, an unknown preset,
  // and attributes that are no numbers.
  std::string damaged = WithTiming(Timing(
      Effect(fade, Set("9999")) + Effect("presetID=\"10\" presetClass=\"entr\" nodeType=\"withEffect\"", "") +
      Effect("presetID=\"777\" presetClass=\"entr\" presetSubtype=\"x\" nodeType=\"clickEffect\" spd=\"fast\" "
             "accel=\"lots\" grpId=\"-3\"",
             Set("11", "dur=\"abc\" repeatCount=\"indefinite\"", "visible",
                 "<p:stCondLst><p:cond delay=\"soon\"/></p:stCondLst>")) +
      Effect("presetClass=\"emph\" presetID=\"6\" nodeType=\"withEffect\"",
             "<p:animScale><p:cBhvr><p:cTn id=\"8\" dur=\"indefinite\"/><p:tgtEl><p:spTgt spid=\"11\"/></p:tgtEl>"
             "</p:cBhvr><p:by x=\"abc\"/></p:animScale>")));
  Object seq = MainSequence(OpenDeck(app, damaged), 1);
  ASSERT_EQ(seq.Count(), 4);
  Object missing = seq.Item(1);
  ExpectReadsFail(missing, {"Shape", "DisplayName"}, hr::kUnspecified);
  ExpectMembers(missing, {{"EffectType", 10}, {"Behaviors.Count", 1}});
  Object untargeted = seq.Item(2);
  ExpectReadsFail(untargeted, {"Shape"}, hr::kUnspecified);
  ExpectMembers(untargeted,
                {{"Behaviors.Count", 0}, {"Timing.Duration", 0.0f}, {"EffectInformation.AnimateBackground", kFalse}});
  Object unknown = seq.Item(3);
  ExpectMembers(unknown, {{"EffectType", 0}, {"EffectParameters.Direction", 0}, {"Shape.Id", 11}});
  ExpectMembers(unknown, {{"Timing.Speed", 1.0f}, {"Timing.Accelerate", 0.0f}});
  Object set = unknown.Child("Behaviors").Item(1).Child("Timing");
  ExpectMembers(set, {{"Duration", 0.0f}, {"TriggerDelayTime", 0.0f}});
  EXPECT_GT(set.Get("RepeatCount").AsLong(), 500000);
  // A behaviour that lasts until the next click makes its effect last as long.
  Object endless = seq.Item(4);
  EXPECT_GT(endless.Child("Timing").Get("Duration").AsSingle(), 500000.0f);
  EXPECT_EQ(endless.Child("EffectParameters").Get("Size").AsSingle(), 0.0f);

  // Time nodes nested far deeper than PowerPoint writes them are not walked
  // to the bottom, and nothing breaks; an empty timing has an empty sequence.
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<p:par><p:cTn id=\"7\"><p:childTnLst>";
  deep += Effect(fade, Set("11"));
  for (int i = 0; i < 300; ++i) deep += "</p:childTnLst></p:cTn></p:par>";
  for (const std::string& timing :
       {Timing(deep), std::string("<p:timing/>"), Timing("<p:par/><p:seq><p:cTn/></p:seq>")})
    EXPECT_EQ(MainSequence(OpenDeck(app, WithTiming(timing)), 1).Count(), 0) << timing.substr(0, 80);

  // Hide after the animation, and hide on the next click written as an after-effect node.
  std::string after =
      WithTiming(Timing(Effect(fade, Set("11") + Set("11", "dur=\"1\" afterEffect=\"1\"", "hidden")) +
                        Effect("presetID=\"10\" presetClass=\"entr\" nodeType=\"clickEffect\"", Set("11")) +
                        Effect("nodeType=\"clickEffect\" afterEffect=\"1\"", Set("11", "dur=\"1\"", "hidden"))));
  Object hides = MainSequence(OpenDeck(app, after), 1);
  ASSERT_EQ(hides.Count(), 2);
  ExpectMembers(hides.Item(1), {{"EffectInformation.AfterEffect", 2}, {"Behaviors.Count", 1}});
  ExpectMembers(hides.Item(2), {{"EffectInformation.AfterEffect", 3}});
}

TEST_F(EngineTimelineTest, ColoursRotationsSoundsAndTextUnitsOfHandMadeEffects) {
  Object app = StartEngine();
  auto behaviour = [](const std::string& element, const std::string& cTn, const std::string& inner,
                      const std::string& after = "") {
    return "<p:" + element + "><p:cBhvr><p:cTn id=\"9\" " + cTn +
           "/><p:tgtEl><p:spTgt spid=\"11\"/></p:tgtEl><p:attrNameLst><p:attrName>" + inner +
           "</p:attrName></p:attrNameLst></p:cBhvr>" + after + "</p:" + element + ">";
  };
  std::string deck = WithTiming(Timing(
      // A fade dimmed afterwards to accent 1 (7FD13B in this deck's theme), built letter by letter.
      Effect("presetID=\"10\" presetClass=\"entr\" nodeType=\"clickEffect\"",
             Set("11") + behaviour("animClr", "dur=\"1\" afterEffect=\"1\"", "style.color",
                                   "<p:to><a:schemeClr val=\"accent1\"/></p:to>")) +
      // A fill colour change to red, a counter-clockwise full turn with a sound.
      Effect("presetID=\"1\" presetClass=\"emph\" nodeType=\"clickEffect\"",
             behaviour("animClr", "dur=\"2000\"", "fillcolor", "<p:to><a:srgbClr val=\"FF0000\"/></p:to>")) +
      Effect("presetID=\"8\" presetClass=\"emph\" nodeType=\"withEffect\" repeatCount=\"3000\" autoRev=\"1\" "
             "restart=\"whenNotActive\" fill=\"remove\" spd=\"50000\"",
             "<p:animRot by=\"-21600000\"><p:cBhvr><p:cTn id=\"9\" dur=\"2000\"/><p:tgtEl><p:spTgt spid=\"11\"/>"
             "</p:tgtEl><p:attrNameLst><p:attrName>r</p:attrName></p:attrNameLst></p:cBhvr></p:animRot>"
             "<p:audio><p:cMediaNode><p:cTn id=\"10\"/><p:tgtEl><p:sndTgt r:embed=\"rId9\"/></p:tgtEl>"
             "</p:cMediaNode></p:audio>")));
  Object seq = MainSequence(OpenDeck(app, deck), 1);
  ASSERT_EQ(seq.Count(), 3);
  ExpectMembers(seq.Item(1), {{"EffectInformation.AfterEffect", 1}, {"EffectInformation.Dim.RGB", 0x3BD17F}});
  ExpectMembers(seq.Item(1), {{"Behaviors.Count", 1}, {"EffectParameters.Color2.RGB", 0}});
  ExpectMembers(seq.Item(2), {{"EffectType", 54}, {"EffectParameters.Color2.RGB", 0x0000FF}});
  ExpectMembers(seq.Item(2), {{"EffectInformation.AfterEffect", 0}, {"Timing.Restart", 1}});
  ExpectMembers(seq.Item(2).Child("Behaviors").Item(1), {{"Type", 2}});

  Object spin = seq.Item(3);
  ExpectMembers(spin, {{"EffectType", 61}, {"EffectParameters.Direction", 22}, {"EffectParameters.Amount", 360.0f}});
  ExpectMembers(spin, {{"EffectInformation.SoundEffect.Type", 2}});
  ExpectMembers(spin.Child("Behaviors").Item(1), {{"RotationEffect.By", -360.0f}});
  ExpectMembers(spin.Child("Timing"), {{"RepeatCount", 3}, {"AutoReverse", kTrue}, {"Restart", 2}});
  ExpectMembers(spin.Child("Timing"), {{"RewindAtEnd", kTrue}, {"Speed", 0.5f}, {"Duration", 2.0f}});

  // By word and by letter.
  for (auto [type, unit] : {std::pair{"wd", 2}, std::pair{"lt", 1}, std::pair{"el", 0}}) {
    std::string iterated =
        WithTiming(Timing(Effect("presetID=\"10\" presetClass=\"entr\" nodeType=\"clickEffect\"><p:iterate type=\"" +
                                     std::string(type) + "\"><p:tmPct val=\"10000\"/></p:iterate",
                                 Set("11"))));
    EXPECT_EQ(
        MainSequence(OpenDeck(app, iterated), 1).Item(1).Child("EffectInformation").Get("TextUnitEffect").AsLong(),
        unit)
        << type;
  }
}

TEST_F(EngineTimelineTest, TimelineIsReadOncePerPartAndForgottenWithIt) {
  engine::PresentationDocument doc(engine::Package::Open(Deck(kRefactor)));
  const std::string part = doc.Slides()[4].part;
  auto first = doc.TimelineOf(part);
  EXPECT_EQ(doc.TimelineOf(part), first);
  EXPECT_EQ(first->mainSequence.effects.size(), 17u);
  doc.ForgetPart(part);
  auto again = doc.TimelineOf(part);
  EXPECT_NE(again, first);
  // What was handed out stays readable after its part is forgotten.
  EXPECT_EQ(first->mainSequence.effects.size(), again->mainSequence.effects.size());
}

}  // namespace
}  // namespace quillmere::testing
