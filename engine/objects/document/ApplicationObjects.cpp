#include "engine/objects/document/ApplicationObjects.h"

#include <string>

#include "engine/core/PresentationOpener.h"
#include "engine/model/document/BlankPresentation.h"
#include "engine/objects/images/SlideImages.h"

namespace quillmere::engine {

std::shared_ptr<PresentationObject> PresentationsObject::Open(Args args, std::string_view member) {
  FileNameWithPasswords file = SplitPasswords(ArgAt(args, 0).AsString());
  bool untitled = !ArgAt(args, 2).IsEmpty() && ArgAt(args, 2).AsBool();
  bool withWindow = ArgAt(args, 3).IsEmpty() || ArgAt(args, 3).AsBool();

  auto pres = std::make_shared<PresentationObject>(session_, LoadPresentation(file.name, member));
  if (untitled) {
    // An untitled copy has no file behind it, so nothing can ever be saved over the original.
    NameUntitled(*pres);
  } else {
    pres->NameAfterFile(file.name);
  }
  return Adopt(std::move(pres), withWindow);
}

std::shared_ptr<PresentationObject> PresentationsObject::Add(Args args) {
  auto pres = std::make_shared<PresentationObject>(session_, NewBlankPresentation());
  NameUntitled(*pres);
  return Adopt(std::move(pres), ArgAt(args, 0).IsEmpty() || ArgAt(args, 0).AsBool());
}

void PresentationsObject::NameUntitled(PresentationObject& pres) {
  pres.name = "Presentation" + std::to_string(++session_->untitledCount);
  pres.fullName = pres.name;
}

std::shared_ptr<PresentationObject> PresentationsObject::Adopt(std::shared_ptr<PresentationObject> pres,
                                                               bool withWindow) {
  pres->withWindow = withWindow;
  pres->owner = shared_from_this();
  open.push_back(pres);
  return pres;
}

void PresentationsObject::Remove(const PresentationObject* pres) {
  std::erase_if(open, [pres](const auto& p) { return p.get() == pres; });
}

const MemberTable<PresentationsObject>& PresentationsObject::Members() {
  static const MemberTable<PresentationsObject> table{
      {.name = "Count",
       .get = [](PresentationsObject& o, Args) { return Value(static_cast<int>(o.open.size())); }},
      {.name = "Item",
       .get =
           [](PresentationsObject& o, Args a) {
             auto& list = o.open;
             return Value(list[CollectionIndex(ArgAt(a, 0), static_cast<int>(list.size()), "Presentations") - 1]);
           }},
      {.name = "Add", .call = [](PresentationsObject& o, Args a) { return Value(o.Add(a)); }},
      {.name = "Open", .call = [](PresentationsObject& o, Args a) { return Value(o.Open(a, "Presentations.Open")); }},
      {.name = "Open2007",
       .sinceVersion = 12,
       .call = [](PresentationsObject& o, Args a) { return Value(o.Open(a, "Presentations.Open2007")); }},
  };
  return table;
}

Value ApplicationObject::Invoke(InvokeKind kind, std::string_view member, Args args) {
  if (session_->quit) throw ComError(0x800706BA, "The RPC server is unavailable.");
  return EngineObject::Invoke(kind, member, args);
}

void ApplicationObject::Quit() {
  while (!presentations->open.empty()) presentations->open.back()->Close();
  EndRendering(*session_);
  session_->quit = true;
}

const MemberTable<ApplicationObject>& ApplicationObject::Members() {
  static const MemberTable<ApplicationObject> table{
      {.name = "Version",
       .get = [](ApplicationObject& o, Args) { return Value(std::to_string(o.Session()->Version()) + ".0"); }},
      {.name = "Name", .get = [](ApplicationObject&, Args) { return Value("Microsoft PowerPoint"); }},
      {.name = "Visible",
       .get = [](ApplicationObject& o, Args) { return MsoBool(o.Session()->visible); },
       .put = [](ApplicationObject& o, Args, const Value& v) { o.Session()->visible = v.AsBool(); }},
      {.name = "AutomationSecurity",
       .get = [](ApplicationObject& o, Args) { return Value(o.Session()->automationSecurity); },
       .put = [](ApplicationObject& o, Args, const Value& v) { o.Session()->automationSecurity = v.AsLong(); }},
      {.name = "Presentations", .get = [](ApplicationObject& o, Args) { return Value(o.presentations); }},
      {.name = "ActivePresentation",
       .get =
           [](ApplicationObject& o, Args) {
             // Only a presentation with a window can be the active one.
             auto& list = o.presentations->open;
             for (auto it = list.rbegin(); it != list.rend(); ++it)
               if ((*it)->withWindow) return Value(*it);
             throw ComError(hr::kUnspecified, "Application.ActivePresentation : No presentation is currently open.");
           }},
      {.name = "Quit",
       .call =
           [](ApplicationObject& o, Args) {
             o.Quit();
             return Value();
           }},
  };
  return table;
}

}  // namespace quillmere::engine
