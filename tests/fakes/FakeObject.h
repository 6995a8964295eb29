#pragma once
// A scripted stand-in for any object of the presentation model: members are
// plain values or handlers, may fail a given number of times with a chosen
// error, may exist only from a given PowerPoint version on, and every call is
// counted. Enough to play PowerPoint 2002 to 2010 in driver and writer tests.
// A stand-in held to the engine fails its test when it answers a member that
// the engine's object of its type name lacks in that version, so the writers'
// stand-ins and the engine cannot drift apart.

#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "objectmodel/automation/AutomationRuntime.h"
#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Dispatch.h"
#include "support/platform/Sleeper.h"

namespace quillmere::testing {

class FakeObject : public Dispatch, public std::enable_shared_from_this<FakeObject> {
 public:
  using Handler = std::function<Value(Args)>;

  // version is shared by all objects of one fake PowerPoint.
  FakeObject(std::string typeName, std::shared_ptr<int> version, bool heldToEngine = false)
      : typeName_(std::move(typeName)), version_(std::move(version)), heldToEngine_(heldToEngine) {}

  // A property: get answers the value, put replaces it.
  FakeObject& Prop(const std::string& member, Value value, int sinceVersion = 0);
  // A method or computed property.
  FakeObject& On(const std::string& member, Handler handler, int sinceVersion = 0);
  // The next `times` calls of member fail with this error (-1: every call).
  FakeObject& Fail(const std::string& member, HResult number, std::string description, int times = -1);

  int Calls(const std::string& member) const;
  Value Peek(const std::string& member) const { return members_.at(member).value; }
  // Put values of member, in order.
  const std::vector<Value>& Puts(const std::string& member) { return members_[member].puts; }

  Value Invoke(InvokeKind kind, std::string_view member, Args args) override;
  std::string_view TypeName() const override { return typeName_; }

 private:
  void ExpectTheEngineAnswers(std::string_view member) const;

  struct Member {
    Value value;
    Handler handler;
    int sinceVersion = 0;
    int calls = 0;
    int failuresLeft = 0;
    HResult failNumber = 0;
    std::string failDescription;
    std::vector<Value> puts;
  };
  std::string typeName_;
  std::shared_ptr<int> version_;
  bool heldToEngine_;
  std::map<std::string, Member, std::less<>> members_;
};

// A 1-based collection of fake objects.
std::shared_ptr<FakeObject> MakeCollection(std::string typeName, std::shared_ptr<int> version,
                                           std::vector<std::shared_ptr<FakeObject>> items);

// A PowerPoint with one presentation of `slides` slides, each with `shapesPerSlide` shapes,
// and one design; Open/Open2007 hand out that presentation.
struct FakePowerPoint {
  explicit FakePowerPoint(int majorVersion, int slides = 2, int shapesPerSlide = 3);
  std::shared_ptr<int> version;
  std::shared_ptr<FakeObject> app, presentations, presentation, slides, designs, properties;
  std::vector<std::shared_ptr<FakeObject>> deletedProperties;
  bool open = false;  // the presentation is in the Presentations collection
};

// Attach and start as scripted.
class FakeRuntime : public AutomationRuntime {
 public:
  explicit FakeRuntime(std::shared_ptr<FakeObject> app) : app_(std::move(app)) {}
  Object GetObject(std::string_view) override;
  Object CreateObject(std::string_view) override;
  bool MainWindowDisabled() const override { return dialogOpen; }

  bool running = false;
  bool dialogOpen = false;
  HResult createError = 0;  // CreateObject fails with this when set
  int getCalls = 0, createCalls = 0;

 private:
  std::shared_ptr<FakeObject> app_;
};

class CountingSleeper : public Sleeper {
 public:
  void Sleep(std::chrono::milliseconds d) override { waits.push_back(d.count()); }
  std::vector<long long> waits;
};

}  // namespace quillmere::testing
