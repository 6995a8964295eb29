// Names in a batch: each deck's folder, and the tab-separated lines that
// carry paths between the batch, its workers and the user.

#include <gtest/gtest.h>

#include "cli/BatchFolders.h"
#include "cli/BatchProtocol.h"

namespace quillmere::cli {
namespace {

TEST(BatchFolders, NamesComeFromTheFileAndStayUniqueAndInside) {
  const std::string longName(300, 'x');
  const std::vector<std::string> names = DeckFolderNames(
      {"talks/Q3.pptx", "old/q3.ppt", "q3-2.pptx", "Q3.pptx", "..", "dir/", "/", "../../etc/passwd", ".pptx",
       longName + ".pptx", "\xC3\xA9t\xC3\xA9.pptx"});
  EXPECT_EQ(names, (std::vector<std::string>{"Q3", "q3-2", "q3-2-2", "Q3-3", "deck", "deck-2", "deck-3", "passwd",
                                             ".pptx", std::string(200, 'x'), "\xC3\xA9t\xC3\xA9"}));

  // A multi-byte character is never cut in half.
  const std::string accents = std::string(199, 'a') + "\xC3\xA9\xC3\xA9.pptx";
  EXPECT_EQ(DeckFolderNames({accents})[0], std::string(199, 'a'));
}

TEST(BatchProtocol, AnyPathSurvivesALine) {
  const std::vector<std::string> fields = {"done", "0", "/a\tb/c\nd\\e\r.xml", "", "trailing\\"};
  const std::string line = JoinFields(fields);
  EXPECT_EQ(line.find('\n'), std::string::npos);
  EXPECT_EQ(line, "done\t0\t/a\\tb/c\\nd\\\\e\\r.xml\t\ttrailing\\\\");
  EXPECT_EQ(SplitFields(line), fields);
  EXPECT_EQ(SplitFields(""), std::vector<std::string>{""});
}

}  // namespace
}  // namespace quillmere::cli
