#include "support/Settings.h"

#include "support/Registry.h"

namespace quillmere {
namespace {

constexpr std::string_view kNarravel = "Corvanta Narravel";
constexpr std::string_view kLumidesk = "Corvanta Lumidesk";

cRegistry SettingAddress(std::string_view appName, std::string_view section, std::string_view key) {
  cRegistry registry;
  registry.SetClassKey(kHKeyCurrentUser);
  registry.SetSectionKey("Software\\VB and VBA Program Settings\\" + std::string(appName) + "\\" +
                         std::string(section));
  registry.SetValueKey(std::string(key));
  registry.SetValueType(kRegSz);
  return registry;
}

}  // namespace

std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  try {
    cRegistry registry = SettingAddress(appName, section, key);
    registry.SetDefault(Value(defaultValue));
    return registry.GetValue().AsString();
  } catch (const std::exception&) {
    return std::string(defaultValue);
  }
}

void SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                 std::string_view value) {
  SettingAddress(appName, section, key).SetValue(Value(value));
}

std::string UseGetObjectOption() { return GetSetting(kNarravel, "Options", "UseGetObject", "1"); }
std::string LogImportOption() { return GetSetting(kNarravel, "Logs", "LogImport", "1"); }
std::string MouseClickDelayOption() { return GetSetting(kLumidesk, "Options", "MouseClickDelay", "5"); }
std::string AutomationServerClass() {
  return GetSetting("Quillmere", "Options", "AutomationServer", "PowerPoint.Application");
}

}  // namespace quillmere
