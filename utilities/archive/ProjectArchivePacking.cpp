#include "utilities/archive/ProjectArchivePacking.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>

#include <glib.h>

#include "support/storage/CompoundFileNames.h"
#include "support/storage/ProjectArchiveWriter.h"
#include "support/storage/RelationshipFile.h"
#include "support/text/SafeFileName.h"
#include "support/text/Text.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

struct Node {
  std::string name;
  std::string path;  // on disk
  bool isFolder = false;
  std::vector<Node> children;
};

struct FileId {
  dev_t device;
  ino_t inode;
};

class Packing {
 public:
  Packing(const ProjectArchiveLimits& limits, PackResult& result, std::optional<FileId> archive)
      : limits_(limits), result_(result), archive_(archive) {}

  // The folder's entries worth packing, sorted by name; false when the folder is too big to pack.
  bool Gather(const std::string& folder, const std::string& shown, int depth, std::vector<Node>& children) {
    std::error_code error;
    std::vector<fs::path> items;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
      items.push_back(it->path());
    if (error) Skip(shown.empty() ? "." : shown, "the folder cannot be read: " + error.message());
    std::sort(items.begin(), items.end());
    for (const fs::path& item : items) {
      if (++entries_ > limits_.maxEntries) {
        result_.error = "the folder holds more than " + std::to_string(limits_.maxEntries) + " entries";
        return false;
      }
      std::string name = item.filename().string(), shownName = shown + name, why;
      struct stat st {};
      if (!g_utf8_validate_len(name.data(), name.size(), nullptr)) {
        Skip(shownName, "the name is not UTF-8 text");
      } else if (!SafeFileName(name, &why)) {
        Skip(shownName, why);
      } else if (LowerAscii(name) == kRelationshipFileName) {
        Skip(shownName, "the name is kept for the archive's lists of long names");
      } else if (lstat(item.c_str(), &st) != 0) {
        Skip(shownName, "it cannot be read");
      } else if (S_ISDIR(st.st_mode)) {
        if (depth + 1 > limits_.maxDepth) {
          Skip(shownName + "/", "folders nest deeper than " + std::to_string(limits_.maxDepth));
          continue;
        }
        Node node{name, item.string(), true, {}};
        if (!Gather(node.path, shownName + "/", depth + 1, node.children)) return false;
        children.push_back(std::move(node));
      } else if (!S_ISREG(st.st_mode)) {
        Skip(shownName, S_ISLNK(st.st_mode) ? "links are not packed" : "it is not a regular file");
      } else if (archive_ && archive_->device == st.st_dev && archive_->inode == st.st_ino) {
        Skip(shownName, "it is the archive being written");
      } else {
        children.push_back({name, item.string(), false, {}});
      }
    }
    return true;
  }

  // Writes the entries into the writer's current folder; false when the writer failed.
  bool Emit(ProjectArchiveWriter& writer, const std::vector<Node>& children, const std::string& shown) {
    std::set<std::string> taken{StoredNameKey(kRelationshipFileName)};
    std::vector<std::string> stored(children.size());
    for (std::size_t i = 0; i < children.size(); ++i)
      if (StorableName(children[i].name) && taken.insert(StoredNameKey(children[i].name)).second)
        stored[i] = children[i].name;
    std::vector<NamePair> longNames;
    for (std::size_t i = 0; i < children.size(); ++i) {
      const Node& child = children[i];
      if (!stored[i].empty()) continue;
      if (child.isFolder) {
        // Storable names that were left out clash with a name kept before them.
        std::string why = "another entry of its folder has that name, ignoring case";
        StorableName(child.name, &why);
        Skip(shown + child.name + "/", "an archive cannot hold this folder name: " + why);
        continue;
      }
      stored[i] = MakeShortName(child.name, [&](const std::string& s) { return taken.count(StoredNameKey(s)) != 0; });
      taken.insert(StoredNameKey(stored[i]));
      longNames.push_back({stored[i], child.name});
    }
    if (!longNames.empty() && !writer.AddRelationships(longNames)) return false;
    for (std::size_t i = 0; i < children.size(); ++i) {
      const Node& child = children[i];
      if (stored[i].empty()) continue;
      if (!child.isFolder) {
        if (!writer.AddFileFrom(stored[i], child.path)) return false;
        ++result_.files;
        continue;
      }
      bool written = writer.BeginFolder(stored[i]) && Emit(writer, child.children, shown + child.name + "/") &&
                     writer.EndFolder();
      if (!written) return false;
      ++result_.folders;
    }
    return true;
  }

 private:
  void Skip(const std::string& what, const std::string& why) { result_.skipped.push_back(what + ": " + why); }

  const ProjectArchiveLimits& limits_;
  PackResult& result_;
  std::optional<FileId> archive_;
  std::uint64_t entries_ = 0;
};

}  // namespace

PackResult PackFolder(const std::string& folder, const std::string& archivePath, const ProjectArchiveLimits& limits) {
  PackResult result;
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    result.error = folder + " is not a folder";
    return result;
  }
  std::optional<FileId> archive;
  if (stat(archivePath.c_str(), &st) == 0) archive = FileId{st.st_dev, st.st_ino};
  Packing packing(limits, result, archive);
  std::vector<Node> top;
  if (!packing.Gather(folder, "", 0, top)) return result;
  ProjectArchiveWriter writer(archivePath);
  if (!packing.Emit(writer, top, "") || !writer.Close()) {
    result.error = writer.Error();
    return result;
  }
  result.written = true;
  return result;
}

}  // namespace quillmere
