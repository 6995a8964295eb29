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
    std::unique_ptr<engine::Package> package = engine::Package::Open(Deck(deck));
    edit(package->FindXml(kSlide)->document_element(), package->FindXml(kSlideRels)->document_element());
    package->MarkModified(kSlide);
    package->MarkModified(kSlideRels);
    std::string folder = name.empty() ? "edited" + std::to_string(++copies_) : name;
    std::filesystem::path copy = Folder("tmp") / folder / "deck.pptx";
    std::filesystem::create_directories(copy.parent_path());
    package->SaveAs(copy);
    return copy.string();
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
  Object media = audio.Child("MediaFormat");
  ExpectMembers(media, {{"IsEmbedded", kTrue}, {"IsLinked", kFalse}});
  EXPECT_EQ(media.Get("Length").AsLong(), 3239);  // what the play command lasts
  ExpectMembers(media, {{"StartPoint", 0}, {"EndPoint", 3239}, {"Volume", 0.8f}, {"Muted", kFalse}});
  Object sound = audio.Child("SoundFormat");
  EXPECT_EQ(sound.Get("Type").AsLong(), 0);  // an MP3: neither WAV nor MIDI
  std::filesystem::path exported = Folder("tmp") / "sound.wav";
  sound.Call("Export", exported.string());
  std::string bytes = engine::Package::Open(Deck(kAudio))->ReadBytes("ppt/media/media1.mp3");
  EXPECT_EQ(ReadFile(exported), bytes);
  EXPECT_EQ(bytes.size(), 52079u);

  for (const char* deck : {"poi__EmbeddedVideo.pptx", "pptx__shp-movie-props.pptx"}) {
    Object movie = FirstShape(Open(Deck(deck)));
    EXPECT_EQ(movie.Get("Type").AsLong(), 16) << deck;
    EXPECT_EQ(movie.Get("MediaType").AsLong(), 3) << deck;
    EXPECT_EQ(movie.Child("MediaFormat").Get("IsEmbedded").AsLong(), kTrue) << deck;
    EXPECT_EQ(ErrorOf([&] { movie.Child("SoundFormat"); }), hr::kInvalidArgument) << deck;
  }
  // Played only by a pause toggle: no length the timeline knows.
  EXPECT_EQ(FirstShape(Open(Deck("pptx__shp-movie-props.pptx"))).Child("MediaFormat").Get("Length").AsLong(), 0);
  EXPECT_EQ(FirstShape(Open(Deck("poi__EmbeddedVideo.pptx"))).Child("MediaFormat").Get("Length").AsLong(), 3166);

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

  EXPECT_EQ(FirstShape(Open(linked("file:///home/me/Narration.wav", "posix")))
                .Child("LinkFormat").Get("SourceFullName").AsString(),
            "/home/me/Narration.wav");
  EXPECT_EQ(FirstShape(Open(linked("file:///C:/Sounds/a%20b.wav", "windows")))
                .Child("LinkFormat").Get("SourceFullName").AsString(),
            "C:\\Sounds\\a b.wav");
  // Opened as an untitled copy, the deck's relative links still start from its file's folder.
  EXPECT_EQ(FirstShape(Open(linked("../up.wav", "parent"))).Child("LinkFormat").Get("SourceFullName").AsString(),
            (Folder("tmp") / "up.wav").string());
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
    Object shape = FirstShape(Open(Edited(kAudio, d.edit)));
    EXPECT_EQ(shape.Get("Type").AsLong(), 16) << d.what;
    EXPECT_EQ(shape.Get("MediaType").AsLong(), 2) << d.what;
    EXPECT_EQ(shape.Child("MediaFormat").Get("IsEmbedded").AsLong(), kFalse) << d.what;
    EXPECT_EQ(shape.Child("MediaFormat").Get("IsLinked").AsLong(), kFalse) << d.what;
    EXPECT_NE(ErrorOf([&] { shape.Child("LinkFormat"); }), 0) << d.what;
    std::filesystem::path target = Folder("tmp") / "out" / "sound.wav";
    std::filesystem::create_directories(target.parent_path());
    EXPECT_EQ(ErrorOf([&] { shape.Child("SoundFormat").Call("Export", target.string()); }), hr::kUnspecified)
        << d.what;
    EXPECT_TRUE(std::filesystem::is_empty(target.parent_path())) << d.what;
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
    Object sound = shapes.Item(1), box = shapes.Item(2);
    Object settings = sound.Child("AnimationSettings");
    EXPECT_EQ(settings.Get("Animate").AsLong(), c.soundOrder > 0 ? kTrue : kFalse) << c.what;
    EXPECT_EQ(settings.Get("AnimationOrder").AsLong(), c.soundOrder) << c.what;
    EXPECT_EQ(box.Child("AnimationSettings").Get("AnimationOrder").AsLong(), c.boxOrder) << c.what;
    EXPECT_EQ(box.Child("AnimationSettings").Get("Animate").AsLong(), kTrue) << c.what;
  }
  // The real deck: its sound played on the first click, with the volume and mute its node gives.
  Object real = FirstShape(Open(Deck(kAudio)));
  ExpectMembers(real, {{"AnimationSettings.Animate", kTrue}, {"AnimationSettings.AnimationOrder", 1}});
  Object narrated = FirstShape(Open(AudioWithTiming(Timing(Click({"5"}), AudioNode("isNarration=\"1\"")))));
  ExpectMembers(narrated, {{"MediaFormat.Volume", 0.6f}, {"MediaFormat.Muted", kTrue}});
  // A slide without a timeline animates nothing; an interactive sequence is not the main one.
  Object plain = FirstShape(Open(Deck("poi__56812.pptx")));
  ExpectMembers(plain, {{"AnimationSettings.Animate", kFalse}, {"AnimationSettings.AnimationOrder", 0}});
  Object toggled = FirstShape(Open(Deck("pptx__shp-movie-props.pptx")));
  EXPECT_EQ(toggled.Child("AnimationSettings").Get("Animate").AsLong(), kFalse);
}

}  // namespace
}  // namespace quillmere::testing
