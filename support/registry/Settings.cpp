#include "support/registry/Settings.h"

#include <optional>
#include <variant>

#include "support/files/ExpandEnvironment.h"
#include "support/registry/RegistryRoots.h"
#include "support/registry/RegistryStore.h"

namespace quillmere {
namespace {

constexpr std::string_view kNarravel = "Corvanta Narravel";
constexpr std::string_view kLumidesk = "Corvanta Lumidesk";

std::string SettingKey(std::string_view appName, std::string_view section) {
  return "Software\\VB and VBA Program Settings\\" + std::string(appName) + "\\" + std::string(section);
}

}  // namespace

std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
  std::optional<StoredValue> stored =
      RegistryStore::Instance().ReadValue(kHKeyCurrentUser, SettingKey(appName, section), key);
  if (!stored) return std::string(defaultValue);
  if (const auto* number = std::get_if<std::int32_t>(&stored->data)) return std::to_string(*number);
  const std::string& text = std::get<std::string>(stored->data);
  return stored->type == kRegExpandSz ? ExpandEnvironmentStrings(text) : text;
}

bool SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                 std::string_view value) {
  return RegistryStore::Instance().WriteValue(kHKeyCurrentUser, SettingKey(appName, section), key,
                                             StoredValue{kRegSz, std::string(value)});
}

std::string UseGetObjectOption() { return GetSetting(kNarravel, "Options", "UseGetObject", "1"); }
std::string LogImportOption() { return GetSetting(kNarravel, "Logs", "LogImport", "1"); }
std::string MouseClickDelayOption() { return GetSetting(kLumidesk, "Options", "MouseClickDelay", "5"); }
std::string AutomationServerClass() {
  return GetSetting("Quillmere", "Options", "AutomationServer", "PowerPoint.Application");
}

}  // namespace quillmere
