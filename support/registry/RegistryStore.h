#pragma once
// The persistent store behind cRegistry. Key paths use "\" between parts; keys
// and value names compare case-insensitively. Shared by all threads; other
// processes may use the same store at the same time.
// Linux: one SQLite file per user holding the keys and values of every root
// key, opened on first use. Windows: the system registry itself.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#ifndef _WIN32
#include "support/registry/SqliteConnection.h"
#endif

namespace quillmere {

struct StoredValue {
  std::int32_t type = 0;
  std::variant<std::int32_t, std::string> data;
};

class RegistryStore {
 public:
  static RegistryStore& Instance();

  // Closes the store; the next use opens `file`, or the default file when it
  // is empty (recomputed from the environment then). On Windows a file name
  // moves every root key below one key of the current user named after it
  // (RedirectedRootPath), which keeps tests off the real keys.
  void UseFile(std::string file);

  bool KeyExists(std::int32_t root, std::string_view path);
  // Creates the key and its missing parents; false when the root is unknown
  // or the store cannot be written.
  bool CreateKey(std::int32_t root, std::string_view path);

  enum class DeleteOutcome { kDeleted, kParentMissing, kFailed };
  // Deletes a key that has no sub-keys, with its values.
  DeleteOutcome DeleteKey(std::int32_t root, std::string_view path);

  bool DeleteValue(std::int32_t root, std::string_view path, std::string_view name);
  std::optional<StoredValue> ReadValue(std::int32_t root, std::string_view path, std::string_view name);
  // Creates the key when needed.
  bool WriteValue(std::int32_t root, std::string_view path, std::string_view name, const StoredValue& value);

  // Value names in creation order (on Windows in the registry's own order),
  // sub-key names in alphabetical order; nullopt when the key does not exist.
  std::optional<std::vector<std::string>> ValueNames(std::int32_t root, std::string_view path);
  std::optional<std::vector<std::string>> SubKeyNames(std::int32_t root, std::string_view path);

 private:
  std::mutex mutex_;
  std::string file_;
#ifndef _WIN32
  SqliteConnection* Connection();
  std::optional<std::int64_t> KeyId(SqliteConnection& db, std::int32_t root, std::string_view path);
  std::optional<std::int64_t> EnsureKey(SqliteConnection& db, std::int32_t root, std::string_view path);

  bool openTried_ = false;
  std::optional<SqliteConnection> db_;
#endif
};

#ifdef _WIN32
// Where UseFile(file) puts the keys of a root, below HKEY_CURRENT_USER.
std::string RedirectedRootPath(std::string_view file, std::int32_t root);
#else
// The default store file: $XDG_CONFIG_HOME/quillmere/registry.sqlite3.
std::string DefaultRegistryFile();
#endif

// A key path without leading or trailing "\", and its parent's path (empty for a top-level key).
std::string_view NormalisedKeyPath(std::string_view path);
std::string_view ParentKeyPath(std::string_view path);

}  // namespace quillmere
