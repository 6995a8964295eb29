// A renderer that is missing, does not start, hangs or leaves a helper behind
// fails with E_FAIL promptly, and once it is known to be down every later
// image fails at once: the writers retry E_FAIL, and each try must not wait
// for a server again. Stand-in servers and short time limits, no LibreOffice.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "engine/EngineRuntime.h"
#include "engine/objects/images/SlideImages.h"
#include "engine/render/SlideRenderer.h"
#include "objectmodel/automation/ComError.h"
#include "tests/helpers/ErrorNumber.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/render/RenderTestSupport.h"

namespace quillmere::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr const char* kDrawnDeck = "pptx__shp-common-props.pptx";

class RendererFailureTest : public IsolatedUserFolders {
 protected:
  void SetUp() override {
    IsolatedUserFolders::SetUp();
    std::filesystem::create_directories(Folder("out"));
  }
  engine::RendererSetup Setup(const std::filesystem::path& server) {
    engine::RendererSetup setup{"/bin/true", server, {}};
    setup.timeouts = {.start = 400ms, .load = 400ms, .image = 400ms, .quit = 200ms};
    return setup;
  }
  // Shape.Export of a shape of a deck opened with that renderer.
  Object OpenShape(const engine::RendererSetup& setup) {
    engine::EngineOptions options;
    options.renderer = std::make_shared<engine::RendererSetup>(setup);
    app_ = engine::EngineRuntime(options).CreateObject("PowerPoint.Application");
    Object pres =
        app_.Child("Presentations").Call("Open", std::string(QUILLMERE_CORPUS_DIR) + "/" + kDrawnDeck, 0, -1, 0);
    return pres.Child("Slides").Item(1).Child("Shapes").Item("Picture 2");
  }
  // The failures of a writer's seven tries, and how long the slowest took.
  std::chrono::milliseconds SevenTries(const Object& shape, int& failures) {
    std::chrono::milliseconds slowest{0};
    failures = 0;
    for (int i = 0; i < 7; ++i) {
      auto start = Clock::now();
      if (ErrorOf([&] { shape.Call("Export", (Folder("out") / "x.png").string(), 2, 960, 720); }) ==
          hr::kUnspecified)
        ++failures;
      slowest = std::max(slowest, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start));
    }
    return slowest;
  }
  // Quit ends the renderer, whatever state it was left in, and removes the copies made for it.
  void QuitLeavingNothing() {
    app_.Call("Quit");
    EXPECT_TRUE(RenderLeftovers(Folder("tmp")).empty());
  }
  Object app_;
};

TEST_F(RendererFailureTest, ADownRendererFailsEveryImageAtOnce) {
  int failures = 0;
  // Not installed.
  Object missing = OpenShape(Setup(Folder("nowhere") / "quillmere-render"));
  EXPECT_LT(SevenTries(missing, failures), 100ms);
  EXPECT_EQ(failures, 7);
  QuitLeavingNothing();

  // Never greets: the first try waits out the start limit, later ones do not
  // start it again.
  std::filesystem::path pid = Folder("out") / "server.pid";
  Object silent = OpenShape(Setup(WriteScript(Folder("bin") / "silent", "echo $$ > " + pid.string() + "\nexec sleep 600")));
  auto start = Clock::now();
  EXPECT_LT(SevenTries(silent, failures), 2s);
  EXPECT_EQ(failures, 7);
  EXPECT_LT(Clock::now() - start, 3s);
  EXPECT_FALSE(StillRunning(pid));
  QuitLeavingNothing();

  // Greets, then hangs on every request: the images wait to be drawn
  // together; when they are, the server is killed, started once more, killed
  // again, and then left down, and the user is told.
  std::filesystem::path starts = Folder("out") / "starts";
  Object hanging = OpenShape(Setup(WriteScript(
      Folder("bin") / "hanging", "echo $$ > " + pid.string() + "\necho x >> " + starts.string() +
                                     "\necho ok ready\nread line\nexec sleep 600")));
  start = Clock::now();
  SevenTries(hanging, failures);
  EXPECT_EQ(failures, 0);
  QuitLeavingNothing();
  EXPECT_LT(Clock::now() - start, 4s);
  EXPECT_FALSE(engine::TakeImageNotice().empty());
  std::ifstream lines(starts);
  EXPECT_EQ(std::count(std::istreambuf_iterator<char>(lines), {}, '\n'), 2);
  EXPECT_FALSE(StillRunning(pid));
}

// Like the real server, but drawing a shape writes only its page number, an
// image named "bad" fails, one named "lost" ends the server, and the first
// copy loaded is refused unless the marker file exists.
std::string DrawingServer(const std::filesystem::path& marker) {
  return "echo ok ready\nloads=0\nmarker=" + marker.string() + R"(
while read -r request rest; do
  case "$request" in
    load) loads=$((loads+1)); if [ ! -e $marker ]; then touch $marker; echo "error cannot open $rest"; else echo "ok $loads"; fi ;;
    shapes) set -- $rest; if [ "$3" = emf ]; then out=$4; else out=$6; fi
      case "$out" in
        *bad*) echo "error cannot draw" ;;
        *lost*) exit 1 ;;
        *) mkdir -p "${out%/*}"; echo "$1" > "$out"; if [ "$3" = emf ]; then echo ok; else echo "ok 10 10"; fi ;;
      esac ;;
    quit) echo ok; exit 0 ;;
  esac
done)";
}

TEST_F(RendererFailureTest, AnImageThatFailsAmongOthersCostsOnlyItself) {
  const std::vector<std::string> names{"a.png", "bad.png", "c.emf", "lost.png", "e.png"};
  for (bool refuseFirst : {false, true}) {
    SCOPED_TRACE(refuseFirst ? "the shared copy refused" : "the shared copy opened");
    std::filesystem::path out = Folder("out") / (refuseFirst ? "refused" : "opened");
    std::filesystem::path marker = Folder("out") / (refuseFirst ? "refused.marker" : "opened.marker");
    if (!refuseFirst) std::ofstream(marker) << "";
    Object shape = OpenShape(Setup(WriteScript(Folder("bin") / "drawing", DrawingServer(marker))));
    for (const std::string& name : names)
      shape.Call("Export", (out / name).string(), name.ends_with(".emf") ? 5 : 2, 960, 720);
    for (const std::string& name : names) EXPECT_FALSE(std::filesystem::exists(out / name)) << name;
    QuitLeavingNothing();
    // Each image drawn from the shared copy's page or else from a copy of its own.
    for (const std::string& name : names)
      EXPECT_EQ(std::filesystem::exists(out / name), name != "bad.png" && name != "lost.png") << name;
    EXPECT_FALSE(engine::TakeImageNotice().empty());
  }
}

TEST_F(RendererFailureTest, AServerThatEndsIsNoticedThoughItsHelperLingers) {
  // The helper keeps the server's output open long after the server ended.
  std::filesystem::path helper = Folder("out") / "helper.pid";
  engine::RendererSetup setup = Setup(
      WriteScript(Folder("bin") / "leaves", "sleep 600 &\necho $! > " + helper.string() + "\nexit 3"));
  setup.timeouts.start = 60s;
  engine::SlideRenderer renderer(setup);
  renderer.Load(Folder("deck.pptx"), "1");
  auto start = Clock::now();
  EXPECT_THROW(renderer.PageCount(), engine::RenderError);
  EXPECT_LT(Clock::now() - start, 5s);
  EXPECT_TRUE(renderer.Down());
  EXPECT_FALSE(StillRunning(helper));
}

TEST_F(RendererFailureTest, AFailedLoadLeavesNothingLoaded) {
  // Like the real server: a load closes the open deck first, and a deck whose
  // name holds "bad" does not open.
  std::filesystem::path server = WriteScript(Folder("bin") / "loads", R"(echo ok ready
loads=0
open=
while read -r request rest; do
  case "$request" in
    load) open=; case "$rest" in *bad*) echo "error cannot open $rest" ;; *) loads=$((loads+1)); open=$rest; echo "ok $loads" ;; esac ;;
    pages) if [ -n "$open" ]; then echo "ok 2"; else echo "error no document is loaded"; fi ;;
    quit) echo ok; exit 0 ;;
  esac
done)");
  engine::SlideRenderer renderer(Setup(server));
  renderer.Load(Folder("good.pptx"), "1");
  EXPECT_EQ(renderer.PageCount(), 2);
  renderer.Load(Folder("bad.pptx"), "1");
  EXPECT_THROW(renderer.PageCount(), engine::RenderError);
  renderer.Load(Folder("good.pptx"), "1");
  EXPECT_EQ(renderer.PageCount(), 2);
  EXPECT_EQ(renderer.DocumentLoads(), 2);
  renderer.Shutdown();
  EXPECT_TRUE(RenderLeftovers(Folder("tmp")).empty());
}

}  // namespace
}  // namespace quillmere::testing
