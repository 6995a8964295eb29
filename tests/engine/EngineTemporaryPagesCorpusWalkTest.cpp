// Every slide of every corpus deck can be duplicated and the copy deleted,
// every shape answers AnimationSettings with places no two shapes share, and
// every media shape answers its kind and formats; a sound embedded in the
// deck exports its bytes. Failures are ComErrors, never crashes (the
// sanitizer build watches memory).

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "objectmodel/automation/ComError.h"
#include "tests/engine/EngineDecks.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/OfficeValues.h"

namespace quillmere::testing {
namespace {

constexpr int kMedia = 16;
constexpr int kSound = 2;
constexpr int kMovie = 3;

class EngineTemporaryPagesCorpusWalkTest : public IsolatedUserFolders {
 protected:
  void CheckMedia(const Object& shape, const std::string& where) {
    ++media_;
    int type = shape.Get("MediaType").AsLong();
    EXPECT_TRUE(type == kSound || type == kMovie) << where;
    Object format = shape.Child("MediaFormat");
    bool embedded = format.Get("IsEmbedded").AsLong() == kTrue, linked = format.Get("IsLinked").AsLong() == kTrue;
    EXPECT_GE(format.Get("EndPoint").AsLong(), format.Get("StartPoint").AsLong()) << where;
    if (linked) {
      EXPECT_FALSE(shape.Child("LinkFormat").Get("SourceFullName").AsString().empty()) << where;
    }
    if (type != kSound || !embedded) return;
    std::filesystem::path file = Folder("tmp") / "sound";
    shape.Child("SoundFormat").Call("Export", file.string());
    EXPECT_GT(std::filesystem::file_size(file), 0u) << where;
  }

  int media_ = 0;
};

TEST_F(EngineTemporaryPagesCorpusWalkTest, EverySlideDuplicatesAndEveryShapeAnswersItsAnimationAndMedia) {
  Object app = StartEngine(14);
  int slidesCopied = 0;
  int decks = ForEachOpenableCorpusDeck(app, [&](const std::string& file, const Object& pres) {
    Object slides = pres.Child("Slides");
    int count = slides.Count();
    for (int s = 1; s <= count; ++s) {
      std::string where = file + " slide " + std::to_string(s);
      Object slide = slides.Item(s);
      Object shapes = slide.Child("Shapes");
      std::set<int> orders;
      for (int i = 1; i <= shapes.Count(); ++i) {
        Object shape = shapes.Item(i);
        Object settings = shape.Child("AnimationSettings");
        int order = settings.Get("AnimationOrder").AsLong();
        EXPECT_EQ(settings.Get("Animate").AsLong() == kTrue, order > 0) << where;
        if (order > 0) {
          EXPECT_TRUE(orders.insert(order).second) << where << " shape " << i;
        }
        if (shape.Get("Type").AsLong() == kMedia) CheckMedia(shape, where + " shape " + std::to_string(i));
      }
      Object copy = Object(slide.Call("Duplicate")).Item(1);
      EXPECT_EQ(copy.Get("SlideIndex").AsLong(), s + 1) << where;
      EXPECT_EQ(copy.Child("Shapes").Count(), shapes.Count()) << where;
      copy.Call("Delete");
      EXPECT_EQ(slides.Count(), count) << where;
      ++slidesCopied;
    }
  });
  EXPECT_GT(decks, 100);
  EXPECT_GT(slidesCopied, 700);
  EXPECT_GE(media_, 3);
}

}  // namespace
}  // namespace quillmere::testing
