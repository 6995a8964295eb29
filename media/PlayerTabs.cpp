#include "media/PlayerTabs.h"

#include <limits>
#include <string>

#include "media/EmbeddedPackages.h"
#include "objectmodel/powerpoint/Tags.h"
#include "objectmodel/xml/NumberText.h"
#include "objectmodel/xml/XmlHelpers.h"
#include "support/files/Paths.h"
#include "support/text/Guid.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

constexpr int kPlayerTabsIndent = 16;
constexpr int kAttributeIndent = 2;
constexpr std::size_t kGuidLength = 36;

// The tags of tab n: name followed by "_" and the number.
class TabTags {
 public:
  TabTags(const Object& presentation, int n) : presentation_(presentation), suffix_("_" + std::to_string(n)) {}
  std::string operator()(std::string_view name) const { return GetTag(presentation_, Name(name)); }
  std::string Name(std::string_view name) const { return std::string(name) + suffix_; }

 private:
  const Object& presentation_;
  std::string suffix_;
};

// KINDRA_TAB_COUNT as a 16-bit count: text that is no number, or a number out
// of range, counts as no tabs.
int TabCount(const std::string& tagged) {
  std::int64_t count = RoundHalfEven(LeadingNumber(tagged));
  return count > std::numeric_limits<std::int16_t>::max() ? 0 : static_cast<int>(count);
}

// The package at its tagged path, beside the presentation or in the project
// archive under the tab's id; empty when it is in none of them.
std::string TabPackagePath(ExportContext& context, const TabTags& tab) {
  std::string tagged = tab("KINDRA_INTERACTION_FILENAME");
  std::string fileName = TaggedFileName(tagged);
  std::string path = ResolvedTaggedPath(context, tagged);
  if (PackageExists(path)) return path;
  path = BesidePresentation(context, fileName);
  if (PackageExists(path)) return path;
  path = ArchivedPackagePath(context, tab("KINDRA_INTERACTION_ID"), fileName);
  return PackageExists(path) ? path : std::string();
}

void AddTabElement(pugi::xml_node parent, std::string_view name, std::string_view text) {
  AddElement(kPlayerTabsIndent, parent, name, text);
}

void WriteTabKindra(pugi::xml_node tabElement, const TabTags& tab, const std::string& project) {
  pugi::xml_node kindra = AppendPackageContainer(tabElement, "KindraObject");
  AddTabElement(kindra, "id", tab("KINDRA_INTERACTION_ID"));
  AddTabElement(kindra, "project", project);
  AddTabElement(kindra, "trap", "false");
  AddTabElement(kindra, "finishbuttonlabel", "Close");
  AddTabElement(kindra, "tabname", tab("KINDRA_INTERACTION_TABNAME"));
}

// A tab's quiz traps the learner only when asked to, unlike a quiz slide.
void WriteTabQuiz(ExportContext& context, pugi::xml_node tabElement, const TabTags& tab, const std::string& project) {
  pugi::xml_node quiz = AppendPackageContainer(tabElement, "QuizObject");
  pugi::xml_node pass = AppendPackageContainer(quiz, "pass");
  pugi::xml_node fail = AppendPackageContainer(quiz, "fail");
  bool trap = tab("QZP_TRAP") == "1";
  AddAttribute(kAttributeIndent, quiz, "id", tab("KINDRA_INTERACTION_ID"));
  AddTabElement(quiz, "project", project);
  AddTabElement(quiz, "trap", LowerBoolText(trap));
  AddTabElement(quiz, "tabname", tab("KINDRA_INTERACTION_TABNAME"));
  AddTabElement(quiz, "advancemode", trap ? "AfterAttempted" : "AdvanceAtWill");
  AddTabElement(quiz, "replaycount", ReplayCount(context, tab("QZP_ATTEMPTS")));
  AddQuizAction(pass, tab("QZP_PASS_ACTION"), tab("QZP_PASS_ACTION_URL"), tab("QZP_PASS_ACTION_SLIDEID"));
  AddQuizAction(fail, tab("QZP_FAIL_ACTION"), tab("QZP_FAIL_ACTION_URL"), tab("QZP_FAIL_ACTION_SLIDEID"));
}

void WritePlayerTab(ExportContext& context, const Object& presentation, pugi::xml_node tabs, int n,
                    std::int16_t projectVersion) {
  TabTags tab(presentation, n);
  if (tab("KINDRA_INTERACTION_GUID").empty())
    SetTag(presentation, tab.Name("KINDRA_INTERACTION_GUID"), LowerAscii(NewGuidText(kGuidLength)));
  std::string project = TabPackagePath(context, tab);
  if (TrimSpaces(project).empty()) return;
  pugi::xml_node tabElement = AppendPackageContainer(tabs, "PlayerTab");
  std::string fileName = TaggedFileName(tab("KINDRA_INTERACTION_FILENAME"));
  std::string extension = LowerAscii(fileName.size() < 5 ? fileName : fileName.substr(fileName.size() - 5));
  if (extension == ".intr") {
    AddEncodedType(tabElement, PackageKind::Kindra, projectVersion);
    WriteTabKindra(tabElement, tab, project);
  } else if (extension == ".quiz") {
    AddEncodedType(tabElement, PackageKind::Quiz, projectVersion);
    WriteTabQuiz(context, tabElement, tab, project);
  }
}

}  // namespace

void WritePlayerTabs(ExportContext& context, const Object& presentation, pugi::xml_node parent,
                     std::int16_t projectVersion) {
  pugi::xml_node tabs = AppendPackageContainer(parent, "PlayerTabs");
  int count = TabCount(GetTag(presentation, "KINDRA_TAB_COUNT"));
  for (int n = 1; n <= count; ++n) WritePlayerTab(context, presentation, tabs, n, projectVersion);
}

}  // namespace quillmere
