#include "support/registry/Settings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/helpers/IsolatedUserFolders.h"
#include "utilities/registry/Registry.h"

namespace quillmere {
namespace {

using SettingsTest = testing::IsolatedUserFolders;

TEST_F(SettingsTest, DefaultsAndStoredValues) {
  EXPECT_EQ(UseGetObjectOption(), "1");
  EXPECT_EQ(LogImportOption(), "1");
  EXPECT_EQ(MouseClickDelayOption(), "5");
  EXPECT_EQ(GetSetting("Corvanta Narravel", "Options", "Other", "fallback"), "fallback");

  SaveSetting("Corvanta Narravel", "Logs", "LogImport", "0");
  SaveSetting("Corvanta Lumidesk", "Options", "MouseClickDelay", "12");
  SaveSetting("Corvanta Narravel", "Options", "UseGetObject", "0");
  EXPECT_EQ(LogImportOption(), "0");
  EXPECT_EQ(MouseClickDelayOption(), "12");
  EXPECT_EQ(UseGetObjectOption(), "0");

  // Where the host itself keeps them.
  cRegistry stored;
  stored.SetClassKey(kHKeyCurrentUser);
  stored.SetSectionKey("Software\\VB and VBA Program Settings\\Corvanta Narravel\\Logs");
  stored.SetValueKey("LogImport");
  EXPECT_EQ(stored.GetValue().AsString(), "0");
}

TEST_F(SettingsTest, UnusableStoreGivesDefaults) {
  std::ofstream(Folder("config") / "quillmere") << "a file where the folder should be";
  SetRegistryFile("");
  EXPECT_EQ(LogImportOption(), "1");
  EXPECT_FALSE(SaveSetting("Corvanta Narravel", "Logs", "LogImport", "0"));
}

}  // namespace
}  // namespace quillmere
