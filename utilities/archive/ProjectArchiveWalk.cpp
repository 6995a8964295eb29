#include "utilities/archive/ProjectArchiveWalk.h"

#include <algorithm>
#include <array>
#include <map>

#include "objectmodel/trace/ExportLog.h"
#include "support/files/RealFolder.h"
#include "support/storage/RelationshipFile.h"
#include "support/text/SafeFileName.h"
#include "support/text/Text.h"
#include "support/text/Utf16Text.h"

namespace quillmere {
namespace {

struct Listed {
  std::u16string name;
  std::string text;  // the name as UTF-8
  bool isFolder = false;
};

bool IsListedRelationshipFile(const Listed& entry) {
  return !entry.isFolder && LowerAscii(entry.text) == kRelationshipFileName;
}

// Compound files keep streams of their own beside the user's files (\x01CompObj, \x05SummaryInformation,
// a writer's marker such as \x01Sh33tJ5), marked by a first character below 0x20. They are nobody's
// file to extract, so the walk names them and passes over them without calling them refused.
bool IsSystemStream(const Listed& entry) {
  return !entry.isFolder && entry.text.size() > 1 && static_cast<unsigned char>(entry.text[0]) < 0x20 &&
         SafeFileName(std::string_view(entry.text).substr(1));
}

// A long name must be safe, and must not overwrite the list it came from.
bool UsableLongName(const std::string& name, std::string* why) {
  if (LowerAscii(name) != kRelationshipFileName) return SafeFileName(name, why);
  *why = "the name is kept for the lists of long names";
  return false;
}

class StorageWalk {
 public:
  StorageWalk(ArchiveWalkPolicy& policy, const ProjectArchiveLimits& limits) : policy_(policy), limits_(limits) {}

  void Folder(storage::Handle folder, const std::string& destination, const std::string& path, int depth) {
    std::vector<Listed> entries;
    if (!List(folder, entries)) return;
    auto relationships = std::find_if(entries.begin(), entries.end(), IsListedRelationshipFile);
    std::map<std::string, std::string> longNames;
    if (relationships != entries.end()) {
      File(folder, *relationships, destination, path, longNames);
      for (const NamePair& pair : ReadRelationshipFile(destination + "/" + std::string(kRelationshipFileName)))
        longNames.emplace(LowerAscii(pair.shortName), pair.longName);
    }
    for (auto entry = entries.begin(); entry != entries.end() && !result_.stopped; ++entry) {
      if (entry == relationships) continue;
      if (entry->isFolder)
        SubFolder(folder, *entry, destination, path, depth);
      else
        File(folder, *entry, destination, path, longNames);
    }
  }

  ArchiveWalkResult Result() { return std::move(result_); }

 private:
  bool List(storage::Handle folder, std::vector<Listed>& entries) {
    storage::Handle handle = 0;
    if (storage::BeginFolderEnum(folder, handle) != storage::kStorageOk) return true;
    storage::ScopedEnumeration enumeration(handle);
    std::array<char16_t, storage::kNameBufferUnits> buffer{};
    do {
      if (++entriesMet_ > limits_.maxEntries) {
        Stop("it holds more than " + std::to_string(limits_.maxEntries) + " entries");
        return false;
      }
      std::int32_t length = 0, type = 0;
      if (storage::GetFolderEnumData(handle, buffer, length, type) != storage::kStorageOk) break;
      std::u16string name(buffer.data(), static_cast<std::size_t>(length));
      entries.push_back({name, FromUtf16(name), type != storage::kEntryFile});
    } while (storage::NextFolderEnum(handle) == storage::kStorageOk);
    return true;
  }

  void File(storage::Handle folder, const Listed& entry, const std::string& destination, const std::string& path,
            const std::map<std::string, std::string>& longNames) {
    if (IsSystemStream(entry)) return policy_.Met({path + entry.text, entry.text, false, false, true});
    std::string why;
    if (!SafeFileName(entry.text, &why)) return Problem("entry \"" + path + entry.text + "\" refused: " + why);
    std::string name = entry.text;
    auto found = name.find('~') == std::string::npos ? longNames.end() : longNames.find(LowerAscii(name));
    if (found != longNames.end()) {
      if (UsableLongName(found->second, &why))
        name = found->second;
      else
        Problem("long name \"" + found->second + "\" of \"" + path + entry.text + "\" refused: " + why);
    }
    bool take = policy_.TakeFile(entry.text);
    policy_.Met({path + name, entry.text, false, take});
    if (!take) return;
    std::int32_t status = storage::ReadFile(folder, entry.name, destination + "/" + name);
    if (status == storage::kStorageOk) {
      ++result_.filesWritten;
    } else if (status == storage::kStorageReadFault || status == storage::kStorageTooLarge) {
      Stop("\"" + path + entry.text + "\" " +
           (status == storage::kStorageTooLarge ? "claims more bytes than the archive holds" : "is damaged"));
    } else {
      Problem("\"" + path + name + "\" could not be written to " + destination);
    }
  }

  void SubFolder(storage::Handle folder, const Listed& entry, const std::string& destination, const std::string& path,
                 int depth) {
    std::string why;
    if (!SafeFileName(entry.text, &why)) {
      Problem("folder \"" + path + entry.text + "\" refused: " + why);
    } else {
      bool enter = policy_.EnterFolder(entry.text);
      std::string inner = path + entry.text + "/";
      policy_.Met({inner, entry.text, true, enter});
      if (enter) Enter(folder, entry, destination + "/" + entry.text, inner, depth + 1);
    }
    policy_.PassedFolder(entry.text);
  }

  void Enter(storage::Handle parent, const Listed& entry, const std::string& destination, const std::string& path,
             int depth) {
    if (depth > limits_.maxDepth)
      return Stop("its folders nest deeper than " + std::to_string(limits_.maxDepth) + " at \"" + path + "\"");
    if (!MakeRealFolder(destination)) return Problem("folder \"" + path + "\" could not be made at " + destination);
    storage::Handle handle = 0;
    if (storage::OpenFolder(parent, entry.name, handle) != storage::kStorageOk)
      return Problem("folder \"" + path + "\" could not be opened");
    storage::ScopedFolder sub(handle);
    Folder(handle, destination, path, depth);
  }

  // Names in the text are the archive's own, control characters and all.
  void Problem(const std::string& named) {
    std::string text = VisibleText(named);
    WriteExportLog("Project archive: " + text);
    result_.problems.push_back(std::move(text));
  }

  void Stop(const std::string& why) {
    result_.stopped = true;
    Problem("walk stopped: " + why);
  }

  ArchiveWalkPolicy& policy_;
  const ProjectArchiveLimits& limits_;
  ArchiveWalkResult result_;
  std::uint64_t entriesMet_ = 0;
};

}  // namespace

ArchiveWalkResult WalkProjectArchive(storage::Handle folder, const std::string& destinationFolder,
                                     ArchiveWalkPolicy& policy, const ProjectArchiveLimits& limits) {
  StorageWalk walk(policy, limits);
  walk.Folder(folder, destinationFolder, "", 0);
  return walk.Result();
}

}  // namespace quillmere
