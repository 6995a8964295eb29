#include "tests/fakes/FakeObject.h"

#include <gtest/gtest.h>

#include "engine/core/MemberRegistry.h"

namespace quillmere::testing {

FakeObject& FakeObject::Prop(const std::string& member, Value value, int sinceVersion) {
  auto& m = members_[member];
  m.value = std::move(value);
  m.sinceVersion = sinceVersion;
  return *this;
}

FakeObject& FakeObject::On(const std::string& member, Handler handler, int sinceVersion) {
  auto& m = members_[member];
  m.handler = std::move(handler);
  m.sinceVersion = sinceVersion;
  return *this;
}

FakeObject& FakeObject::Fail(const std::string& member, HResult number, std::string description, int times) {
  auto& m = members_[member];
  m.failuresLeft = times;
  m.failNumber = number;
  m.failDescription = std::move(description);
  return *this;
}

int FakeObject::Calls(const std::string& member) const {
  auto it = members_.find(member);
  return it == members_.end() ? 0 : it->second.calls;
}

void FakeObject::ExpectTheEngineAnswers(std::string_view member) const {
  std::optional<bool> answers = engine::EngineAnswers(typeName_, member, *version_);
  if (!answers)
    ADD_FAILURE() << "a stand-in for " << typeName_ << ", which no engine object is";
  else if (!*answers)
    ADD_FAILURE() << "the stand-in answers " << typeName_ << "." << member << " as PowerPoint " << *version_
                  << ", which the engine's " << typeName_ << " does not";
}

Value FakeObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  auto it = members_.find(member);
  if (it == members_.end() || it->second.sinceVersion > *version_)
    throw ComError(hr::kNotSupported, "Object doesn't support this property or method");
  Member& m = it->second;
  ++m.calls;
  if (m.failuresLeft != 0) {
    if (m.failuresLeft > 0) --m.failuresLeft;
    throw ComError(m.failNumber, m.failDescription);
  }
  if (heldToEngine_) ExpectTheEngineAnswers(member);
  if (kind == InvokeKind::Put) {
    m.value = args.back();
    m.puts.push_back(args.back());
    if (m.handler) m.handler(args);
    return {};
  }
  return m.handler ? m.handler(args) : m.value;
}

std::shared_ptr<FakeObject> MakeCollection(std::string typeName, std::shared_ptr<int> version,
                                           std::vector<std::shared_ptr<FakeObject>> items) {
  auto c = std::make_shared<FakeObject>(std::move(typeName), version, true);
  auto shared = std::make_shared<std::vector<std::shared_ptr<FakeObject>>>(std::move(items));
  c->On("Count", [shared](Args) { return Value(static_cast<int>(shared->size())); });
  c->On("Item", [shared](Args a) {
    int i = a[0].AsLong();
    if (i < 1 || i > static_cast<int>(shared->size())) throw ComError(hr::kInvalidArgument, "Item : out of range");
    return Value(std::shared_ptr<Dispatch>((*shared)[i - 1]));
  });
  return c;
}

FakePowerPoint::FakePowerPoint(int majorVersion, int slideCount, int shapesPerSlide)
    : version(std::make_shared<int>(majorVersion)) {
  auto make = [&](const char* type) { return std::make_shared<FakeObject>(type, version, true); };
  auto shapes = make("Shapes");
  shapes->Prop("Count", shapesPerSlide).Prop("HasTitle", false);
  std::vector<std::shared_ptr<FakeObject>> slideList;
  auto master = make("Master");
  master->Prop("Shapes", std::shared_ptr<Dispatch>(shapes));
  master->Prop("CustomLayouts", std::shared_ptr<Dispatch>(MakeCollection("CustomLayouts", version, {})), 12);
  auto design = make("Design");
  design->Prop("Index", 1).Prop("SlideMaster", std::shared_ptr<Dispatch>(master)).Prop("HasTitleMaster", 0);
  for (int i = 1; i <= slideCount; ++i) {
    auto slide = make("Slide");
    slide->Prop("SlideIndex", i).Prop("Shapes", std::shared_ptr<Dispatch>(shapes)).Prop("Design",
                                                                                          std::shared_ptr<Dispatch>(design));
    slideList.push_back(slide);
  }
  slides = MakeCollection("Slides", version, slideList);
  designs = MakeCollection("Designs", version, {design});

  auto setup = make("PageSetup");
  setup->Prop("SlideWidth", 720.0f).Prop("SlideHeight", 540.0f).Prop("FirstSlideNumber", 1);

  properties = make("DocumentProperties");
  properties->On("Item", [this](Args a) {
    std::string name = a[0].AsString();
    if (name != "CorvantaPath") throw ComError(hr::kInvalidArgument, "Invalid procedure call or argument");
    auto prop = std::make_shared<FakeObject>("DocumentProperty", version, true);
    prop->On("Delete", [](Args) { return Value(); });
    deletedProperties.push_back(prop);
    return Value(std::shared_ptr<Dispatch>(prop));
  });

  presentation = make("Presentation");
  presentation->Prop("FullName", "/decks/a.pptx")
      .Prop("Saved", -1)
      .Prop("Final", true, 12)
      .Prop("Slides", std::shared_ptr<Dispatch>(slides))
      .Prop("Designs", std::shared_ptr<Dispatch>(designs))
      .Prop("PageSetup", std::shared_ptr<Dispatch>(setup))
      .Prop("CustomDocumentProperties", std::shared_ptr<Dispatch>(properties))
      .On("SaveCopyAs", [](Args) { return Value(); })
      .On("Export", [](Args) { return Value(); })
      .On("Close", [this](Args) {
        open = false;
        return Value();
      });

  presentations = make("Presentations");
  auto opener = [this](Args) {
    open = true;
    return Value(std::shared_ptr<Dispatch>(presentation));
  };
  presentations->On("Open", opener).On("Open2007", opener, 12);
  presentations->On("Count", [this](Args) { return Value(open ? 1 : 0); });
  presentations->On("Item", [this](Args) { return Value(std::shared_ptr<Dispatch>(presentation)); });

  app = make("Application");
  app->Prop("Version", std::to_string(majorVersion) + ".0")
      .Prop("Visible", -1)
      .Prop("AutomationSecurity", 1)
      .Prop("Presentations", std::shared_ptr<Dispatch>(presentations))
      .Prop("ActivePresentation", std::shared_ptr<Dispatch>(presentation))
      .On("Quit", [](Args) { return Value(); });
}

Object FakeRuntime::GetObject(std::string_view) {
  ++getCalls;
  if (!running) throw ComError(hr::kCannotCreateObject, "ActiveX component can't create object");
  return Object(app_);
}

Object FakeRuntime::CreateObject(std::string_view) {
  ++createCalls;
  if (createError) throw ComError(createError, "Automation error");
  return Object(app_);
}

}  // namespace quillmere::testing
