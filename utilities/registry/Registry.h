#pragma once
// cRegistry: the host's registry access, addressing one value through a root
// key, a key path ("\" between parts) and a value name.
//
// The keys live in a per-user store (RegistryStore). A per-user install has no
// machine-wide store, so the machine-wide roots HKEY_CLASSES_ROOT and
// HKEY_LOCAL_MACHINE are kept in the same per-user file as the other roots.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "objectmodel/automation/ComError.h"
#include "objectmodel/automation/Value.h"
#include "support/registry/RegistryRoots.h"

namespace quillmere {

// Error numbers raised by cRegistry.
inline constexpr HResult kRegistryAccessError = 26001;
inline constexpr HResult kInvalidAssociationList = 0x800469AC;
inline constexpr HResult kAssociationClassUndefined = 0x800469AD;

class cRegistry {
 public:
  std::int32_t ClassKey() const { return classKey_; }
  void SetClassKey(std::int32_t root) { classKey_ = root; }
  const std::string& SectionKey() const { return sectionKey_; }
  void SetSectionKey(std::string path) { sectionKey_ = std::move(path); }
  const std::string& ValueKey() const { return valueKey_; }
  void SetValueKey(std::string name) { valueKey_ = std::move(name); }
  std::int32_t ValueType() const { return valueType_; }
  void SetValueType(std::int32_t type) { valueType_ = type; }
  const quillmere::Value& Default() const { return default_; }
  void SetDefault(quillmere::Value value) { default_ = std::move(value); }

  bool KeyExists() const;
  // Creates SectionKey with its missing parents; raises 26001 on failure.
  bool CreateKey();
  // Deletes SectionKey, which must have no sub-keys; raises 26001 on failure.
  bool DeleteKey();
  // False when there was no such value.
  bool DeleteValue();

  // ValueKey of SectionKey; expandable strings come back expanded, binary data
  // as text of the same bytes; Default when the value cannot be read.
  quillmere::Value GetValue() const;
  // Writes ValueKey with ValueType, creating the key; raises 26001 on failure.
  void SetValue(const quillmere::Value& value);

  // Names of the values (creation order) or sub-keys (alphabetical) of
  // SectionKey; false when the key does not exist.
  bool EnumerateValues(std::vector<std::string>& names, std::int32_t& count) const;
  bool EnumerateSections(std::vector<std::string>& names, std::int32_t& count) const;

  // Registers the extension for the class below HKEY_CLASSES_ROOT with its
  // verbs and icon. Leaves the addressing properties unchanged.
  void CreateEXEAssociation(std::string_view sExePath, std::string_view sClassName,
                            std::string_view sClassDescription, std::string_view sAssociation,
                            std::string_view sOpenMenuText = "&Open", bool bSupportPrint = false,
                            std::string_view sPrintMenuText = "&Print", bool bSupportNew = false,
                            std::string_view sNewMenuText = "&New", bool bSupportInstall = false,
                            std::string_view sInstallMenuText = "", std::int32_t lDefaultIconIndex = -1);
  // Further verbs of a registered class, one per name / menu text / command triple.
  void CreateAdditionalEXEAssociations(std::string_view sClassName, const std::vector<std::string>& items);

 private:
  std::int32_t classKey_ = kHKeyCurrentUser;
  std::string sectionKey_;
  std::string valueKey_;
  std::int32_t valueType_ = kRegSz;
  quillmere::Value default_;
};

// The default value of HKEY_CLASSES_ROOT\<class>\CurVer for the class that
// answers for PowerPoint (AutomationServerClass), the registered PowerPoint's
// version-specific ProgID.
cRegistry PowerPointCurrentVersionKey();

// Points the store at another file (empty: back to the default file, with the
// environment read again). Closes the open store.
void SetRegistryFile(std::string file);

}  // namespace quillmere
