#include "media/QuizObjects.h"

#include "media/EmbeddedPackages.h"
#include "objectmodel/StepRunner.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"

namespace quillmere {
namespace {

constexpr int kQuizObjectsIndent = 16;

void AddQuizElement(pugi::xml_node parent, std::string_view name, std::string_view text) {
  AddElement(kQuizObjectsIndent, parent, name, text);
}

// The tagged path when a package is there, else the one beside the
// presentation when that is there, else the tagged path as it stands.
std::string SlidePackagePath(ExportContext& context, const Object& slide, std::string_view tag) {
  std::string path = ResolvedTaggedPath(context, GetTag(slide, tag));
  if (PackageExists(path)) return path;
  std::string beside = BesidePresentation(context, TaggedFileName(path));
  return PackageExists(beside) ? beside : path;
}

// The package where it is, or where the project archive's copy lands; the
// latter is named even when the archive did not hold it.
std::string SlideProject(ExportContext& context, const std::string& packagePath, const Object& slide) {
  if (PackageExists(packagePath)) return packagePath;
  std::string slideId;
  LeavingOutOnFailure([&] { slideId = std::to_string(slide.Get("SlideID").AsLong()); });
  return ArchivedPackagePath(context, slideId, TaggedFileName(packagePath));
}

std::string_view AdvanceMode(const std::string& mode) {
  if (mode == "1") return "AfterAttempted";
  if (mode == "2") return "AfterPassed";
  return "AdvanceAtWill";
}

std::string_view FinishButton(const std::string& finish) {
  if (finish == "1") return "DoNotShow";
  if (finish == "2") return "ShowAlways";
  return "UponCompletion";
}

}  // namespace

bool WriteQuizSlide(ExportContext& context, const Object& slide, pugi::xml_node slideElement) {
  WriteQuizObject(context, SlidePackagePath(context, slide, "EXAMORA_QUIZ_FILENAME"), slide, slideElement);
  return true;
}

bool WriteKindraSlide(ExportContext& context, const Object& slide, pugi::xml_node slideElement) {
  WriteKindraObject(context, SlidePackagePath(context, slide, "KINDRA_INTERACTION_FILENAME"), slide, slideElement);
  return true;
}

void WriteQuizObject(ExportContext& context, const std::string& packagePath, const Object& slide,
                     pugi::xml_node parent) {
  pugi::xml_node quiz = AppendPackageContainer(parent, "QuizObject");
  pugi::xml_node pass = AppendPackageContainer(quiz, "pass");
  pugi::xml_node fail = AppendPackageContainer(quiz, "fail");
  AddAttribute(kQuizObjectsIndent, quiz, "id", GetTag(slide, "EXAMORA_QUIZ_SLIDE_ID"));
  AddQuizElement(quiz, "project", SlideProject(context, packagePath, slide));
  AddQuizElement(quiz, "trap", LowerBoolText(GetTag(slide, "QZP_TRAP") != "0"));
  AddQuizElement(quiz, "replaycount", ReplayCount(context, GetTag(slide, "QZP_ATTEMPTS")));
  AddQuizElement(quiz, "advancemode", AdvanceMode(GetTag(slide, "QZP_ADVANCE_MODE")));
  AddQuizAction(pass, GetTag(slide, "QZP_PASS_ACTION"), GetTag(slide, "QZP_PASS_ACTION_URL"),
                GetTag(slide, "QZP_PASS_ACTION_SLIDEID"));
  AddQuizAction(fail, GetTag(slide, "QZP_FAIL_ACTION"), GetTag(slide, "QZP_FAIL_ACTION_URL"),
                GetTag(slide, "QZP_FAIL_ACTION_SLIDEID"));
}

void WriteKindraObject(ExportContext& context, const std::string& packagePath, const Object& slide,
                       pugi::xml_node parent) {
  pugi::xml_node kindra = AppendPackageContainer(parent, "KindraObject");
  AddQuizElement(kindra, "project", SlideProject(context, packagePath, slide));
  AddQuizElement(kindra, "trap", LowerBoolText(GetTag(slide, "KINDRA_INTERACTION_TRAP") != "0"));
  AddQuizElement(kindra, "finishbuttonlabel", GetTag(slide, "KINDRA_INTERACTION_FINISH_MESSAGE"));
  AddQuizElement(kindra, "finishbutton", FinishButton(GetTag(slide, "KINDRA_INTERACTION_FINISH")));
}

}  // namespace quillmere
