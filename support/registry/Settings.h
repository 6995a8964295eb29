#pragma once
// The per-user program-settings store: one text value per application,
// section and key, kept below HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<application>\<section>.

#include <string>
#include <string_view>

namespace quillmere {

// The stored text, or defaultValue when it is missing or cannot be read.
std::string GetSetting(std::string_view appName, std::string_view section, std::string_view key,
                       std::string_view defaultValue = "");
// False when the value cannot be written.
bool SaveSetting(std::string_view appName, std::string_view section, std::string_view key,
                 std::string_view value);

// The host options the library reads.
std::string UseGetObjectOption();     // "1": attach to a running PowerPoint first
std::string LogImportOption();        // "1": append log lines to export.log
std::string MouseClickDelayOption();  // delay of click animations

// The class that answers for PowerPoint: "PowerPoint.Application" unless our
// own setting names another, such as the engine's automation server on a
// machine without PowerPoint.
std::string AutomationServerClass();

}  // namespace quillmere
