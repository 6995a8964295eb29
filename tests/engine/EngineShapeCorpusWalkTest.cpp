// Every shape and group member of every slide of every corpus deck answers
// every shape member: a value, or a ComError as PowerPoint fails, never any
// other exception or a crash (the sanitizer build watches memory).

#include <gtest/gtest.h>

#include <functional>

#include "engine/EngineRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"

namespace quillmere::testing {
namespace {

constexpr const char* kShapeMembers[] = {"Name",         "Id",
                                         "Type",         "AutoShapeType",
                                         "Left",         "Top",
                                         "Width",        "Height",
                                         "Rotation",     "HorizontalFlip",
                                         "VerticalFlip", "LockAspectRatio",
                                         "Visible",      "AlternativeText",
                                         "Connector",    "Child",
                                         "HasTextFrame", "HasTable",
                                         "HasChart",     "HasSmartArt",
                                         "MediaType",    "ZOrderPosition",
                                         "ParentGroup",  "Parent"};

class EngineShapeCorpusWalkTest : public IsolatedUserFolders {
 protected:
  // Runs a read; a ComError counts as an answer.
  void Read(const std::string& where, const std::function<void()>& read) {
    try {
      read();
    } catch (const ComError&) {
      ++failures_;
    } catch (const std::exception& e) {
      ADD_FAILURE() << where << ": " << e.what();
    }
  }

  void Walk(const Object& shape, const std::string& where) {
    ++shapes_;
    for (const char* member : kShapeMembers) Read(where + "." + member, [&] { shape.Get(member); });
    Read(where + ".Adjustments", [&] {
      Object adjustments = shape.Child("Adjustments");
      for (int i = 1; i <= adjustments.Count(); ++i) adjustments.Get("Item", i);
    });
    Read(where + ".ConnectorFormat", [&] {
      Object format = shape.Child("ConnectorFormat");
      for (const char* m : {"Type", "BeginConnected", "EndConnected", "BeginConnectionSite", "EndConnectionSite"})
        Read(where + ".ConnectorFormat." + m, [&] { format.Get(m); });
      Read(where + ".BeginConnectedShape", [&] { format.Child("BeginConnectedShape").Get("Name"); });
      Read(where + ".EndConnectedShape", [&] { format.Child("EndConnectedShape").Get("Name"); });
    });
    Read(where + ".Callout", [&] {
      Object callout = shape.Child("Callout");
      for (const char* m : {"Type", "Accent", "Border"}) callout.Get(m);
    });
    Read(where + ".PlaceholderFormat", [&] {
      shape.Child("PlaceholderFormat").Get("Type");
      shape.Child("PlaceholderFormat").Get("ContainedType");
    });
    Read(where + ".LinkFormat", [&] { shape.Child("LinkFormat").Get("SourceFullName"); });
    Read(where + ".Tags", [&] {
      Object tags = shape.Child("Tags");
      for (int i = 1; i <= tags.Count(); ++i) tags.Get("Item", tags.Get("Name", i));
    });
    Read(where + ".TextFrame", [&] { shape.Child("TextFrame").Child("TextRange").Get("Text"); });
    Read(where + ".GroupItems", [&] {
      Object items = shape.Child("GroupItems");
      for (int i = 1; i <= items.Count(); ++i) Walk(items.Item(i), where + "/" + std::to_string(i));
    });
  }

  int shapes_ = 0;
  int failures_ = 0;
};

TEST_F(EngineShapeCorpusWalkTest, EveryMemberOfEveryShapeAnswersOrFailsAsPowerPointDoes) {
  Object app = StartEngine(14);
  int decks = ForEachOpenableCorpusDeck(app, [&](const std::string& file, const Object& pres) {
    Object slides = pres.Child("Slides");
    for (int s = 1; s <= slides.Count(); ++s) {
      Object shapes = slides.Item(s).Child("Shapes");
      int count = shapes.Count();
      for (int i = 1; i <= count; ++i)
        Walk(shapes.Item(i), file + " slide " + std::to_string(s) + " shape " + std::to_string(i));
      if (count == 0) continue;
      // A copy made and removed leaves the count as it was.
      Read(file + " duplicate", [&] { Object(shapes.Item(1).Call("Duplicate")).Item(1).Call("Delete"); });
      EXPECT_EQ(shapes.Count(), count) << file << " slide " << s;
    }
  });
  EXPECT_GT(decks, 100);
  EXPECT_GT(shapes_, 5000);
  EXPECT_GT(failures_, 0);
}

}  // namespace
}  // namespace quillmere::testing
