// The file-association members of cRegistry: the class and its verbs below
// HKEY_CLASSES_ROOT, each as the default (unnamed) value of its key.
#include <string>

#include "support/registry/RegistryStore.h"
#include "utilities/registry/Registry.h"
#include "utilities/registry/RegistryErrors.h"

namespace quillmere {
namespace {

void WriteDefaultText(const std::string& key, const std::string& text) {
  if (!RegistryStore::Instance().WriteValue(kHKeyClassesRoot, key, "", StoredValue{kRegSz, text}))
    RaiseSetValueFailure(kHKeyClassesRoot, key, "", text);
}

void WriteVerb(const std::string& classKey, std::string_view verb, std::string_view menuText,
               const std::string& command) {
  std::string verbKey = classKey + "\\shell\\" + std::string(verb);
  WriteDefaultText(verbKey, std::string(menuText));
  WriteDefaultText(verbKey + "\\command", command);
}

std::string Command(std::string_view exePath, std::string_view option) {
  std::string command(exePath);
  if (!option.empty()) command += " " + std::string(option);
  return command + " \"%1\"";
}

}  // namespace

void cRegistry::CreateEXEAssociation(std::string_view sExePath, std::string_view sClassName,
                                     std::string_view sClassDescription, std::string_view sAssociation,
                                     std::string_view sOpenMenuText, bool bSupportPrint,
                                     std::string_view sPrintMenuText, bool bSupportNew,
                                     std::string_view sNewMenuText, bool bSupportInstall,
                                     std::string_view sInstallMenuText, std::int32_t lDefaultIconIndex) {
  std::string classKey(sClassName);
  std::string extension(sAssociation);
  if (extension.empty() || extension.front() != '.') extension.insert(0, ".");
  WriteDefaultText(extension, classKey);
  WriteDefaultText(classKey, std::string(sClassDescription));
  WriteVerb(classKey, "open", sOpenMenuText, Command(sExePath, ""));
  if (bSupportPrint) WriteVerb(classKey, "print", sPrintMenuText, Command(sExePath, "/p"));
  if (bSupportNew) WriteVerb(classKey, "new", sNewMenuText, Command(sExePath, "/n"));
  if (bSupportInstall)
    WriteVerb(classKey, "add", sInstallMenuText.empty() ? "&Install " : sInstallMenuText, Command(sExePath, "/a"));
  WriteDefaultText(classKey + "\\DefaultIcon", std::string(sExePath) + "," + std::to_string(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(std::string_view sClassName, const std::vector<std::string>& items) {
  if (items.empty() || items.size() % 3 != 0)
    throw ComError(kInvalidAssociationList,
                   "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  std::string classKey(sClassName);
  if (classKey.empty() || !RegistryStore::Instance().KeyExists(kHKeyClassesRoot, classKey))
    throw ComError(kAssociationClassUndefined, "Error - attempt to create additional associations before class defined.");
  for (std::size_t i = 0; i < items.size(); i += 3) WriteVerb(classKey, items[i], items[i + 1], items[i + 2]);
}

}  // namespace quillmere
