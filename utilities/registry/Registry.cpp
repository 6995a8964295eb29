#include "utilities/registry/Registry.h"

#include <string>

#include "support/files/ExpandEnvironment.h"
#include "support/registry/RegistryStore.h"
#include "support/registry/Settings.h"
#include "utilities/registry/RegistryErrors.h"

namespace quillmere {
namespace {

std::string TextOf(const Value& value) {
  try {
    return value.AsString();
  } catch (const ComError&) {
    return {};
  }
}

// The value in the form stored for the type; nullopt for a type the store does
// not keep or a value that has no such form.
std::optional<StoredValue> Encoded(std::int32_t type, const Value& value) {
  try {
    switch (type) {
      case kRegSz:
      case kRegExpandSz:
      case kRegBinary:
        return StoredValue{type, value.AsString()};
      case kRegDword:
        return StoredValue{type, value.AsLong()};
      default:
        return std::nullopt;
    }
  } catch (const ComError&) {
    return std::nullopt;
  }
}

bool FillNames(const std::optional<std::vector<std::string>>& found, std::vector<std::string>& names,
               std::int32_t& count) {
  names = found.value_or(std::vector<std::string>());
  count = static_cast<std::int32_t>(names.size());
  return found.has_value();
}

}  // namespace

void RaiseSetValueFailure(std::int32_t root, std::string_view section, std::string_view name,
                          std::string_view valueText) {
  throw ComError(kRegistryAccessError, "Failed to set registry value Key: '" + std::to_string(root) +
                                           "',Section: '" + std::string(section) + "',Key: '" +
                                           std::string(name) + "' to value: '" + std::string(valueText) + "'");
}

void SetRegistryFile(std::string file) { RegistryStore::Instance().UseFile(std::move(file)); }

bool cRegistry::KeyExists() const { return RegistryStore::Instance().KeyExists(classKey_, sectionKey_); }

bool cRegistry::CreateKey() {
  if (!RegistryStore::Instance().CreateKey(classKey_, sectionKey_))
    throw ComError(kRegistryAccessError, "Failed to create registry Key: '" + sectionKey_);
  return true;
}

bool cRegistry::DeleteKey() {
  std::size_t cut = sectionKey_.rfind('\\');
  std::string parent = cut == std::string::npos ? std::string() : sectionKey_.substr(0, cut);
  std::string leaf = cut == std::string::npos ? sectionKey_ : sectionKey_.substr(cut + 1);
  switch (RegistryStore::Instance().DeleteKey(classKey_, sectionKey_)) {
    case RegistryStore::DeleteOutcome::kDeleted:
      return true;
    case RegistryStore::DeleteOutcome::kParentMissing:
      throw ComError(kRegistryAccessError, "Failed to open key '" + std::to_string(classKey_) + "',Section: '" +
                                               parent + "' for delete access");
    case RegistryStore::DeleteOutcome::kFailed:
      break;
  }
  throw ComError(kRegistryAccessError, "Failed to delete registry Key: '" + std::to_string(classKey_) +
                                           "',Section: '" + parent + "',Key: '" + leaf);
}

bool cRegistry::DeleteValue() { return RegistryStore::Instance().DeleteValue(classKey_, sectionKey_, valueKey_); }

Value cRegistry::GetValue() const {
  std::optional<StoredValue> stored = RegistryStore::Instance().ReadValue(classKey_, sectionKey_, valueKey_);
  if (!stored) return default_;
  if (const auto* number = std::get_if<std::int32_t>(&stored->data)) return Value(*number);
  const std::string& text = std::get<std::string>(stored->data);
  return stored->type == kRegExpandSz ? Value(ExpandEnvironmentStrings(text)) : Value(text);
}

void cRegistry::SetValue(const Value& value) {
  std::optional<StoredValue> stored = Encoded(valueType_, value);
  if (!stored || !RegistryStore::Instance().WriteValue(classKey_, sectionKey_, valueKey_, *stored))
    RaiseSetValueFailure(classKey_, sectionKey_, valueKey_, TextOf(value));
}

bool cRegistry::EnumerateValues(std::vector<std::string>& names, std::int32_t& count) const {
  return FillNames(RegistryStore::Instance().ValueNames(classKey_, sectionKey_), names, count);
}

bool cRegistry::EnumerateSections(std::vector<std::string>& names, std::int32_t& count) const {
  return FillNames(RegistryStore::Instance().SubKeyNames(classKey_, sectionKey_), names, count);
}

cRegistry PowerPointCurrentVersionKey() {
  cRegistry reg;
  reg.SetClassKey(kHKeyClassesRoot);
  reg.SetSectionKey(AutomationServerClass() + "\\CurVer");
  reg.SetValueKey("");
  reg.SetDefault(Value(std::string()));
  return reg;
}

}  // namespace quillmere
