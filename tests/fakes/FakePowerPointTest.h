#pragma once
// A scripted PowerPoint of a chosen version as the writers see it through the
// export context they are given: objects made on demand, a counting sleeper instead of real
// waits, theme colour schemes, and the export log to look at afterwards.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "objectmodel/ExportContext.h"
#include "objectmodel/trace/ExportLog.h"
#include "tests/fakes/FakeObject.h"
#include "tests/helpers/IsolatedUserFolders.h"
#include "tests/helpers/TestFiles.h"

namespace quillmere::testing {

class FakePowerPointTest : public IsolatedUserFolders {
 protected:
  using FakePtr = std::shared_ptr<FakeObject>;

  // The Office theme's twelve slots, packed as PowerPoint packs them (red in the low byte).
  inline static const std::vector<std::int32_t> kOfficeColors{0x000000, 0xFFFFFF, 0x7D491F, 0xE1ECEE,
                                                              0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480,
                                                              0xC6AC4B, 0x4696F7, 0xFF0000, 0x800080};

  // A fresh export context on a 720 x 540 pt deck exported to "/out/" by PowerPoint `major`.
  ExportContext& StartPowerPoint(int major) {
    version = std::make_shared<int>(major);
    app = Make("Application");
    app->Prop("Version", std::to_string(major) + ".0");
    context = ExportContext{};
    context.application = Object(app);
    context.outputFolder = "/out/";
    context.slideWidth = 720.0f;
    context.slideHeight = 540.0f;
    sleeper = std::make_shared<CountingSleeper>();
    context.sleeper = sleeper;
    return context;
  }

  FakePtr Make(const char* type) { return std::make_shared<FakeObject>(type, version, true); }
  static Value Dispatched(const FakePtr& o) { return Value(std::shared_ptr<Dispatch>(o)); }

  // A ThemeColorScheme whose Colors(i) answer the twelve packed colours.
  FakePtr Scheme(const std::vector<std::int32_t>& colors) {
    auto scheme = Make("ThemeColorScheme");
    scheme->On("Colors", [this, colors](Args a) {
      auto color = Make("ThemeColor");
      color->Prop("RGB", colors.at(static_cast<std::size_t>(a[0].AsLong() - 1)));
      return Dispatched(color);
    });
    return scheme;
  }

  // A Tags collection whose Item answers from values, empty text for a name they lack.
  FakePtr TagsOf(const std::map<std::string, std::string>& values) {
    auto tags = Make("Tags");
    tags->On("Item", [&values](Args a) {
      auto it = values.find(a[0].AsString());
      return Value(it == values.end() ? std::string() : it->second);
    });
    return tags;
  }

  // A slide, master or layout with an empty animation timeline and no links.
  FakePtr WithoutAnimationsOrLinks(FakePtr page) {
    auto timeline = Make("TimeLine");
    timeline->Prop("MainSequence", Dispatched(MakeCollection("Sequence", version, {})))
        .Prop("InteractiveSequences", Dispatched(MakeCollection("Sequences", version, {})));
    page->Prop("TimeLine", Dispatched(timeline))
        .Prop("Hyperlinks", Dispatched(MakeCollection("Hyperlinks", version, {})));
    return page;
  }

  static std::string Log() { return ReadFile(ExportLogPath()); }

  ExportContext context;
  std::shared_ptr<int> version;
  FakePtr app;
  std::shared_ptr<CountingSleeper> sleeper;
};

}  // namespace quillmere::testing
