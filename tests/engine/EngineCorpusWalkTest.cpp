// One walk over every corpus deck the engine opens, each deck opened once:
// every hyperlink answers its members and points where the package's external
// relationships do; every member of every effect of every page, and of every
// shape and group member of every slide, answers a value or a ComError as
// PowerPoint fails, never another exception or a crash (the sanitizer build
// watches memory); every shape answers AnimationSettings with places no two
// shapes share, every media shape its kind and formats, and a sound embedded
// in the deck exports its bytes; then every shape and every slide can be
// duplicated and the copy deleted. The reads come before the copies so that
// the counts are those of the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

#include "engine/package/Package.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/engine/package/PackageTestFiles.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

constexpr const char* kWalkedShapeMembers[] = {
    "Name",     "Id",           "Type",      "AutoShapeType",  "Left",          "Top",
    "Width",    "Height",       "Rotation",  "HorizontalFlip", "VerticalFlip",  "LockAspectRatio",
    "Visible",  "AlternativeText", "Connector", "Child",       "HasTextFrame",  "HasTable",
    "HasChart", "HasSmartArt",  "MediaType", "ZOrderPosition", "ParentGroup",   "Parent"};

constexpr int kWalkedMedia = 16;  // msoMedia
constexpr int kWalkedSound = 2;   // ppMediaTypeSound
constexpr int kWalkedMovie = 3;   // ppMediaTypeMovie

class EngineCorpusWalkTest : public IsolatedUserFolders {
 protected:
  // ---- Hyperlinks ----

  void WalkHyperlinks(const std::string& file, const Object& pres) {
    // What the package's relationships point outside the deck at, as written.
    std::set<std::string> targets;
    std::unique_ptr<engine::Package> package = engine::Package::Open(engine::packagetest::CorpusFile(file));
    for (const std::string& part : package->PartNames())
      for (const engine::Relationship& rel : package->Relationships(part))
        if (rel.external) targets.insert(rel.target);
    for (const Object& page : PagesOf(pres))
      for (int i = 1; i <= page.Child("Hyperlinks").Count(); ++i, ++links_) {
        SCOPED_TRACE(file + " link " + std::to_string(i));
        Object hyperlink = page.Child("Hyperlinks").Item(i);
        Object owner = hyperlink.Child("Parent").Child("Parent");
        // The shape a link sits on, through its text range where it is on text.
        const bool onText = owner.TypeName() == "TextRange";
        (onText ? owner.Child("Parent").Child("Parent") : owner).Get("Id");
        if (onText) {
          EXPECT_GE(owner.Get("Start").AsLong(), 1);
          EXPECT_GE(owner.Get("Length").AsLong(), 0);
        }
        // An address is an external relationship's target up to '#', the rest its sub-address.
        const std::string address = hyperlink.Get("Address").AsString(), sub = hyperlink.Get("SubAddress").AsString();
        if (!address.empty()) {
          ++externalLinks_;
          const bool mail = address.rfind("mailto:", 0) == 0;
          EXPECT_TRUE(targets.contains(mail || sub.empty() ? address : address + "#" + sub) ||
                      (sub.empty() && std::ranges::any_of(targets, [&](const std::string& t) {
                         return t.rfind(address + "#", 0) == 0;
                       })))
              << address << " # " << sub;
        }
        for (int index : {1, 2}) {
          Object setting = owner.Child("ActionSettings", index);
          const int action = setting.Get("Action").AsLong();
          EXPECT_TRUE(action >= 0 && action <= 12) << action;  // ppActionNone .. ppActionPlay
          for (const char* m : {"Run", "ShowandReturn", "AnimateAction"}) setting.Get(m);
          ErrorOf([&] { setting.Get("SlideShowName"); });
          for (const char* m : {"Address", "SubAddress", "ScreenTip", "EmailSubject", "Type"})
            setting.Child("Hyperlink").Get(m);
          setting.Child("SoundEffect").Get("Name");
        }
      }
  }

  // ---- Timelines ----

  void Members(const std::string& where, const Object& o, std::initializer_list<const char*> names) {
    for (const char* name : names) effects_.Read(where, [&] { o.Get(name); });
  }

  void WalkTiming(const std::string& where, const Object& timing) {
    Members(where, timing, {"TriggerType", "TriggerDelayTime", "Duration", "Speed", "RepeatCount", "RepeatDuration",
                            "AutoReverse", "Accelerate", "Decelerate", "Restart", "RewindAtEnd", "SmoothStart",
                            "SmoothEnd"});
    effects_.Read(where, [&] { timing.Child("TriggerShape").Get("Name"); });
  }

  void WalkEffect(const std::string& where, const Object& effect) {
    ++effects_.items;
    Members(where, effect, {"DisplayName", "EffectType", "Exit", "Paragraph", "Index"});
    effects_.Read(where, [&] { effect.Child("Shape").Get("Name"); });
    WalkTiming(where, effect.Child("Timing"));
    Object info = effect.Child("EffectInformation");
    Members(where, info, {"AfterEffect", "AnimateBackground", "BuildByLevelEffect", "TextUnitEffect", "PlayOnEntry"});
    effects_.Read(where, [&] { info.Child("Dim").Get("RGB"); });
    effects_.Read(where, [&] { info.Child("SoundEffect").Get("Type"); });
    Object parameters = effect.Child("EffectParameters");
    Members(where, parameters, {"Direction", "Amount", "Size", "Relative"});
    effects_.Read(where, [&] { parameters.Child("Color2").Get("RGB"); });
    Object behaviours = effect.Child("Behaviors");
    for (int i = 1; i <= behaviours.Count(); ++i) {
      Object b = behaviours.Item(i);
      b.Get("Type");
      WalkTiming(where, b.Child("Timing"));
      effects_.Read(where, [&] { b.Child("MotionEffect").Get("Path"); });
      effects_.Read(where, [&] { Members(where, b.Child("ScaleEffect"), {"ByX", "ByY"}); });
      effects_.Read(where, [&] { Members(where, b.Child("SetEffect"), {"To", "Property"}); });
      effects_.Read(where, [&] { b.Child("RotationEffect").Get("By"); });
      effects_.Read(where, [&] { Members(where, b.Child("PropertyEffect"), {"Property", "From", "To"}); });
    }
  }

  void WalkTimeLines(const std::string& file, const Object& pres) {
    for (const Object& page : PagesOf(pres)) {
      const std::string where = file + " " + std::string(page.TypeName()) + " " + page.Get("Name").AsString();
      Object timeline = page.Child("TimeLine");
      Object main = timeline.Child("MainSequence");
      for (int i = 1; i <= main.Count(); ++i) WalkEffect(where, main.Item(i));
      Object interactive = timeline.Child("InteractiveSequences");
      for (int s = 1; s <= interactive.Count(); ++s) {
        Object seq = interactive.Item(s);
        for (int i = 1; i <= seq.Count(); ++i) WalkEffect(where, seq.Item(i));
      }
    }
  }

  // ---- Shapes ----

  void WalkShape(const Object& shape, const std::string& where) {
    ++shapes_.items;
    auto read = [this](const std::string& at, const std::function<void()>& f) { shapes_.Read(at, f); };
    for (const char* member : kWalkedShapeMembers) read(where + "." + member, [&] { shape.Get(member); });
    read(where + ".Adjustments", [&] {
      Object adjustments = shape.Child("Adjustments");
      for (int i = 1; i <= adjustments.Count(); ++i) adjustments.Get("Item", i);
    });
    read(where + ".ConnectorFormat", [&] {
      Object format = shape.Child("ConnectorFormat");
      for (const char* m : {"Type", "BeginConnected", "EndConnected", "BeginConnectionSite", "EndConnectionSite"})
        read(where + ".ConnectorFormat." + m, [&] { format.Get(m); });
      read(where + ".BeginConnectedShape", [&] { format.Child("BeginConnectedShape").Get("Name"); });
      read(where + ".EndConnectedShape", [&] { format.Child("EndConnectedShape").Get("Name"); });
    });
    read(where + ".Callout", [&] {
      Object callout = shape.Child("Callout");
      for (const char* m : {"Type", "Accent", "Border"}) callout.Get(m);
    });
    read(where + ".PlaceholderFormat", [&] {
      shape.Child("PlaceholderFormat").Get("Type");
      shape.Child("PlaceholderFormat").Get("ContainedType");
    });
    read(where + ".LinkFormat", [&] { shape.Child("LinkFormat").Get("SourceFullName"); });
    read(where + ".Tags", [&] {
      Object tags = shape.Child("Tags");
      for (int i = 1; i <= tags.Count(); ++i) tags.Get("Item", tags.Get("Name", i));
    });
    read(where + ".TextFrame", [&] { shape.Child("TextFrame").Child("TextRange").Get("Text"); });
    read(where + ".GroupItems", [&] {
      Object items = shape.Child("GroupItems");
      for (int i = 1; i <= items.Count(); ++i) WalkShape(items.Item(i), where + "/" + std::to_string(i));
    });
  }

  // ---- Animation settings and media ----

  void CheckMedia(const Object& shape, const std::string& where) {
    ++media_;
    int type = shape.Get("MediaType").AsLong();
    EXPECT_TRUE(type == kWalkedSound || type == kWalkedMovie) << where;
    Object format = shape.Child("MediaFormat");
    bool embedded = format.Get("IsEmbedded").AsLong() == kTrue, linked = format.Get("IsLinked").AsLong() == kTrue;
    EXPECT_GE(format.Get("EndPoint").AsLong(), format.Get("StartPoint").AsLong()) << where;
    if (linked) {
      EXPECT_FALSE(shape.Child("LinkFormat").Get("SourceFullName").AsString().empty()) << where;
    }
    if (type != kWalkedSound || !embedded) return;
    std::filesystem::path file = Folder("tmp") / "sound";
    shape.Child("SoundFormat").Call("Export", file.string());
    EXPECT_GT(std::filesystem::file_size(file), 0u) << where;
  }

  void CheckAnimationAndMedia(const Object& shapes, const std::string& where) {
    std::set<int> orders;
    for (int i = 1; i <= shapes.Count(); ++i) {
      Object shape = shapes.Item(i);
      Object settings = shape.Child("AnimationSettings");
      int order = settings.Get("AnimationOrder").AsLong();
      EXPECT_EQ(settings.Get("Animate").AsLong() == kTrue, order > 0) << where;
      if (order > 0) {
        EXPECT_TRUE(orders.insert(order).second) << where << " shape " << i;
      }
      if (shape.Get("Type").AsLong() == kWalkedMedia) CheckMedia(shape, where + " shape " + std::to_string(i));
    }
  }

  void WalkSlides(const std::string& file, const Object& pres) {
    Object slides = pres.Child("Slides");
    const int count = slides.Count();
    for (int s = 1; s <= count; ++s) {
      const std::string where = file + " slide " + std::to_string(s);
      Object slide = slides.Item(s);
      Object shapes = slide.Child("Shapes");
      const int shapeCount = shapes.Count();
      for (int i = 1; i <= shapeCount; ++i) WalkShape(shapes.Item(i), where + " shape " + std::to_string(i));
      CheckAnimationAndMedia(shapes, where);
      // Copies made and removed leave the counts as they were.
      if (shapeCount > 0) {
        shapes_.Read(where + " duplicate", [&] { Object(shapes.Item(1).Call("Duplicate")).Item(1).Call("Delete"); });
        EXPECT_EQ(shapes.Count(), shapeCount) << where;
      }
      Object copy = Object(slide.Call("Duplicate")).Item(1);
      EXPECT_EQ(copy.Get("SlideIndex").AsLong(), s + 1) << where;
      EXPECT_EQ(copy.Child("Shapes").Count(), shapeCount) << where;
      copy.Call("Delete");
      EXPECT_EQ(slides.Count(), count) << where;
      ++slidesCopied_;
    }
  }

  int links_ = 0, externalLinks_ = 0, media_ = 0, slidesCopied_ = 0;
  WalkCount effects_, shapes_;
};

TEST_F(EngineCorpusWalkTest, EveryLinkEffectShapeAndMediaAnswersAndEverySlideAndShapeDuplicates) {
  Object app = StartEngine();
  int decks = ForEachOpenableCorpusDeck(app, [&](const std::string& file, const Object& pres) {
    WalkHyperlinks(file, pres);
    WalkTimeLines(file, pres);
    WalkSlides(file, pres);
  });
  EXPECT_GT(decks, 100);
  EXPECT_GT(links_, 200);
  EXPECT_GT(externalLinks_, 50);
  EXPECT_EQ(effects_.items, 268);  // every effect node the corpus timelines hold
  EXPECT_GT(effects_.failures, 0);
  EXPECT_GT(shapes_.items, 5000);
  EXPECT_GT(shapes_.failures, 0);
  EXPECT_GT(slidesCopied_, 700);
  EXPECT_GE(media_, 3);
}

}  // namespace
}  // namespace quillmere::testing
