// Sound and movie shapes answer what PowerPoint answers about their media:
// kind, linked file, MediaFormat, SoundFormat.Export of the embedded bytes,
// and AnimationSettings, by which a narration recorded in PowerPoint is found
// (a sound played first on the slide). Damaged media references fail the
// member that needs them and write nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EditedDecks.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/ObjectMembers.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

constexpr const char* kAudio = "poi__EmbeddedAudio.pptx";
constexpr const char* kSlide = "ppt/slides/slide1.xml";
constexpr const char* kSlideRels = "ppt/slides/_rels/slide1.xml.rels";


class EngineMediaTest : public IsolatedUserFolders {
 protected:
  Object Open(const std::string& file, int version = 14) {
    app_ = StartEngine(version);
    return OpenDeck(app_, file);
  }
  static Object FirstShape(const Object& pres) { return pres.Child("Slides").Item(1).Child("Shapes").Item(1); }

  // A copy of the deck with its first slide's XML and relationships edited.
  std::string Edited(const char* deck, const std::function<void(pugi::xml_node slide, pugi::xml_node rels)>& edit,
                     const std::string& name = "") {
    std::string folder = name.empty() ? "edited" + std::to_string(++copies_) : name;
    return EditedDeck(Deck(deck), Folder("tmp") / folder / "deck.pptx", [&](engine::Package& package) {
      edit(package.FindXml(kSlide)->document_element(), package.FindXml(kSlideRels)->document_element());
      package.MarkModified(kSlide);
      package.MarkModified(kSlideRels);
    });
  }

  // The relationship of the slide with that id, its target and mode set.
  static void Retarget(pugi::xml_node rels, const char* id, const char* target, bool external) {
    pugi::xml_node r = rels.find_child_by_attribute("Id", id);
    r.attribute("Target").set_value(target);
    r.remove_attribute("TargetMode");
    if (external) r.append_attribute("TargetMode") = "External";
  }

  // The sound shape of EmbeddedAudio.pptx with a text box beside it (id 5) and this p:timing.
  std::string AudioWithTiming(const std::string& timing) {
    return Edited(kAudio, [&](pugi::xml_node slide, pugi::xml_node) {
      const std::string box = "<p:sp><p:nvSpPr><p:cNvPr id=\"5\" name=\"TextBox 5\"/><p:cNvSpPr txBox=\"1\"/><p:nvPr/>"
                              "</p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>Hello</a:t></a:r></a:p>"
                              "</p:txBody></p:sp>";
      slide.select_node("//p:spTree").node().append_buffer(box.data(), box.size());
      slide.remove_child(slide.child("p:timing"));
      slide.append_buffer(timing.data(), timing.size());
    });
  }

  Object app_;
  int copies_ = 0;
};

// One click of the main sequence whose effects target these shapes, in order.
std::string Click(std::initializer_list<const char*> shapeIds) {
  std::string effects;
  for (const char* id : shapeIds)
    effects += std::string("<p:par><p:cTn id=\"5\" presetID=\"1\" presetClass=\"mediacall\" nodeType=\"withEffect\">") +
               "<p:childTnLst><p:cmd type=\"call\" cmd=\"playFrom(0.0)\"><p:cBhvr><p:cTn id=\"6\" dur=\"2500\"/>"
               "<p:tgtEl><p:spTgt spid=\"" + id + "\"/></p:tgtEl></p:cBhvr></p:cmd></p:childTnLst></p:cTn></p:par>";
  return "<p:par><p:cTn id=\"3\" fill=\"hold\"><p:stCondLst><p:cond delay=\"indefinite\"/></p:stCondLst><p:childTnLst>"
         "<p:par><p:cTn id=\"4\" fill=\"hold\"><p:childTnLst>" + effects +
         "</p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>";
}
std::string Timing(const std::string& mainSequence, const std::string& besides) {
  return "<p:timing><p:tnLst><p:par><p:cTn id=\"1\" dur=\"indefinite\" nodeType=\"tmRoot\"><p:childTnLst>"
         "<p:seq><p:cTn id=\"2\" dur=\"indefinite\" nodeType=\"mainSeq\"><p:childTnLst>" + mainSequence +
         "</p:childTnLst></p:cTn></p:seq>" + besides + "</p:childTnLst></p:cTn></p:par></p:tnLst></p:timing>";
}
std::string AudioNode(const char* attributes) {
  return std::string("<p:audio ") + attributes + "><p:cMediaNode vol=\"60000\" mute=\"1\"><p:cTn id=\"9\"/>"
         "<p:tgtEl><p:spTgt spid=\"4\"/></p:tgtEl></p:cMediaNode></p:audio>";
}

TEST_F(EngineMediaTest, RealMediaShapesAnswerTheirKindFormatAndBytes) {
  Object audio = FirstShape(Open(Deck(kAudio)));
  ExpectMembers(audio, {{"Type", 16}, {"MediaType", 2}});
  // Embedded: no link, though a:audioFile r:link names the package's own part.
  EXPECT_NE(ErrorOf([&] { audio.Child("LinkFormat"); }), 0);
  // Length: what the play command lasts; SoundFormat.Type 0: an MP3, neither WAV nor MIDI.
  Object media = audio.Child("MediaFormat");
  ExpectMembers(media, {{"IsEmbedded", kTrue}, {"IsLinked", kFalse}, {"Length", 3239}, {"StartPoint", 0}});
  ExpectMembers(media, {{"EndPoint", 3239}, {"Volume", 0.8f}, {"Muted", kFalse}});
  Object sound = audio.Child("SoundFormat");
  EXPECT_EQ(sound.Get("Type").AsLong(), 0);
  std::filesystem::path exported = Folder("tmp") / "sound.wav";
  sound.Call("Export", exported.string());
  std::string bytes = engine::Package::Open(Deck(kAudio))->ReadBytes("ppt/media/media1.mp3");
  EXPECT_EQ(ReadFile(exported), bytes);
  EXPECT_EQ(bytes.size(), 52079u);

  // The second is played only by a pause toggle: no length the timeline knows.
  for (auto [deck, length] : {std::pair{"poi__EmbeddedVideo.pptx", 3166}, std::pair{"pptx__shp-movie-props.pptx", 0}}) {
    SCOPED_TRACE(deck);
    Object movie = FirstShape(Open(Deck(deck)));
    ExpectMembers(movie,
                  {{"Type", 16}, {"MediaType", 3}, {"MediaFormat.IsEmbedded", kTrue}, {"MediaFormat.Length", length}});
    EXPECT_EQ(ErrorOf([&] { movie.Child("SoundFormat"); }), hr::kInvalidArgument);
  }

  // PowerPoint 2007 has no MediaFormat, but its SoundFormat exports the same bytes.
  Object older = FirstShape(Open(Deck(kAudio), 12));
  EXPECT_EQ(ErrorOf([&] { older.Child("MediaFormat"); }), hr::kNotSupported);
  older.Child("SoundFormat").Call("Export", (Folder("tmp") / "older.wav").string());
  EXPECT_EQ(ReadFile(Folder("tmp") / "older.wav"), bytes);
  // A picture is no media.
  Object picture = FirstShape(Open(Deck("poi__56812.pptx")));
  for (const char* member : {"MediaFormat", "SoundFormat", "MediaType"})
    EXPECT_EQ(ErrorOf([&] { picture.Get(member); }), hr::kInvalidArgument) << member;
}

TEST_F(EngineMediaTest, LinkedMediaNamesItsFileAsPowerPointResolvesIt) {
  // Linked the way PowerPoint 2010 links: both references external, the part gone.
  auto linked = [&](const char* target, const std::string& name) {
    return Edited(kAudio, [&](pugi::xml_node slide, pugi::xml_node rels) {
      Retarget(rels, "rId2", target, true);
      Retarget(rels, "rId1", target, true);
      pugi::xml_node media = slide.select_node("//p14:media").node();
      media.remove_attribute("r:embed");
      media.append_attribute("r:link") = "rId1";
    }, name);
  };
  std::string relative = linked("sounds/clip%20one.wav", "relative");
  Object shape = FirstShape(Open(relative));
  ExpectMembers(shape, {{"Type", 16}, {"MediaType", 2}});
  std::filesystem::path deckFolder = std::filesystem::path(relative).parent_path();
  EXPECT_EQ(shape.Child("LinkFormat").Get("SourceFullName").AsString(),
            (deckFolder / "sounds" / "clip one.wav").string());
  ExpectMembers(shape, {{"MediaFormat.IsLinked", kTrue}, {"MediaFormat.IsEmbedded", kFalse}, {"SoundFormat.Type", 1}});
  // Nothing embedded to export: the call fails and writes nothing.
  std::filesystem::path target = Folder("tmp") / "linked.wav";
  EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", target.string()); }), hr::kUnspecified);
  EXPECT_FALSE(std::filesystem::exists(target));

  // Opened as an untitled copy, the deck's relative links still start from its file's folder.
  for (auto [target, name, path] :
       {std::tuple{"file:///home/me/Narration.wav", "posix", std::string("/home/me/Narration.wav")},
        std::tuple{"file:///C:/Sounds/a%20b.wav", "windows", std::string("C:\\Sounds\\a b.wav")},
        std::tuple{"../up.wav", "parent", (Folder("tmp") / "up.wav").string()}})
    ExpectMembers(FirstShape(Open(linked(target, name))), {{"LinkFormat.SourceFullName", path}});
}

TEST_F(EngineMediaTest, DamagedMediaReferencesFailTheMembersThatNeedThemAndWriteNothing) {
  struct Damage {
    const char* what;
    std::function<void(pugi::xml_node slide, pugi::xml_node rels)> edit;
  };
  const Damage damages[] = {
      {"missing relationship",
       [](pugi::xml_node, pugi::xml_node rels) {
         rels.remove_child(rels.find_child_by_attribute("Id", "rId1"));
         rels.remove_child(rels.find_child_by_attribute("Id", "rId2"));
       }},
      {"outside the package",
       [](pugi::xml_node, pugi::xml_node rels) {
         Retarget(rels, "rId1", "../../../../../etc/passwd", false);
         Retarget(rels, "rId2", "../../../../../etc/passwd", false);
       }},
      {"absent part",
       [](pugi::xml_node, pugi::xml_node rels) {
         Retarget(rels, "rId1", "../media/gone.mp3", false);
         Retarget(rels, "rId2", "../media/gone.mp3", false);
       }},
      {"no relationship id",
       [](pugi::xml_node slide, pugi::xml_node) {
         slide.select_node("//p14:media").node().remove_attribute("r:embed");
         slide.select_node("//a:audioFile").node().remove_attribute("r:link");
       }},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    Object shape = FirstShape(Open(Edited(kAudio, d.edit)));
    ExpectMembers(
        shape, {{"Type", 16}, {"MediaType", 2}, {"MediaFormat.IsEmbedded", kFalse}, {"MediaFormat.IsLinked", kFalse}});
    EXPECT_NE(ErrorOf([&] { shape.Child("LinkFormat"); }), 0);
    std::filesystem::path target = Folder("tmp") / "out" / "sound.wav";
    std::filesystem::create_directories(target.parent_path());
    EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", target.string()); }), hr::kUnspecified);
    EXPECT_TRUE(std::filesystem::is_empty(target.parent_path()));
  }
  // An export into a folder that does not exist fails without making it.
  Object shape = FirstShape(Open(Deck(kAudio)));
  std::filesystem::path nowhere = Folder("tmp") / "no-such-folder" / "sound.wav";
  EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", nowhere.string()); }), hr::kUnspecified);
  EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
}

TEST_F(EngineMediaTest, ASoundPlayedFirstIsAnimatedFirstAndOthersAreNot) {
  struct Case {
    const char* what;
    std::string timing;
    int soundOrder, boxOrder;
  };
  const Case cases[] = {
      {"played on the first click", Timing(Click({"4", "5"}), ""), 1, 2},
      {"played after the text", Timing(Click({"5"}) + Click({"4"}), ""), 2, 1},
      {"narration recorded beside the text's effect", Timing(Click({"5"}), AudioNode("isNarration=\"1\"")), 1, 2},
      {"a sound that only waits for its own click", Timing(Click({"5"}), AudioNode("")), 0, 1},
  };
  for (const Case& c : cases) {
    Object pres = Open(AudioWithTiming(c.timing));
    Object shapes = pres.Child("Slides").Item(1).Child("Shapes");
    SCOPED_TRACE(c.what);
    ExpectMembers(shapes.Item(1), {{"AnimationSettings.Animate", c.soundOrder > 0 ? kTrue : kFalse},
                                   {"AnimationSettings.AnimationOrder", c.soundOrder}});
    ExpectMembers(shapes.Item(2),
                  {{"AnimationSettings.AnimationOrder", c.boxOrder}, {"AnimationSettings.Animate", kTrue}});
  }
  // The real deck: its sound played on the first click, with the volume and mute its node gives.
  Object real = FirstShape(Open(Deck(kAudio)));
  ExpectMembers(real, {{"AnimationSettings.Animate", kTrue}, {"AnimationSettings.AnimationOrder", 1}});
  Object narrated = FirstShape(Open(AudioWithTiming(Timing(Click({"5"}), AudioNode("isNarration=\"1\"")))));
  ExpectMembers(narrated, {{"MediaFormat.Volume", 0.6f}, {"MediaFormat.Muted", kTrue}});
  // A slide without a timeline animates nothing; an interactive sequence is not the main one.
  Object plain = FirstShape(Open(Deck("poi__56812.pptx")));
  ExpectMembers(plain, {{"AnimationSettings.Animate", kFalse}, {"AnimationSettings.AnimationOrder", 0}});
  ExpectMembers(FirstShape(Open(Deck("pptx__shp-movie-props.pptx"))), {{"AnimationSettings.Animate", kFalse}});
}

}  // namespace
}  // namespace quillmere::testing
