#include "support/registry/RegistryStore.h"

#include "support/files/Paths.h"
#include "support/platform/UserFolders.h"
#include "support/registry/RegistryRoots.h"

namespace quillmere {
namespace {

// NOCASE on the text columns gives the case-insensitive keys and value names.
// The row with the empty path is the root key itself; its presence is what
// makes a root handle valid.
constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS registry_keys(
  id INTEGER PRIMARY KEY,
  root INTEGER NOT NULL,
  path TEXT NOT NULL COLLATE NOCASE,
  parent TEXT COLLATE NOCASE,
  UNIQUE(root, path));
CREATE INDEX IF NOT EXISTS registry_keys_by_parent ON registry_keys(root, parent);
CREATE TABLE IF NOT EXISTS registry_values(
  key_id INTEGER NOT NULL REFERENCES registry_keys(id) ON DELETE CASCADE,
  name TEXT NOT NULL COLLATE NOCASE,
  type INTEGER NOT NULL,
  data BLOB,
  PRIMARY KEY(key_id, name));
)sql";

constexpr const char* kAddRoot = "INSERT OR IGNORE INTO registry_keys(root, path, parent) VALUES(?1, '', NULL)";
constexpr const char* kFindKey = "SELECT id FROM registry_keys WHERE root = ?1 AND path = ?2";
constexpr const char* kAddKey =
    "INSERT INTO registry_keys(root, path, parent) VALUES(?1, ?2, ?3) ON CONFLICT(root, path) DO NOTHING";
constexpr const char* kFirstSubKey = "SELECT 1 FROM registry_keys WHERE root = ?1 AND parent = ?2 LIMIT 1";
constexpr const char* kSubKeys = "SELECT path FROM registry_keys WHERE root = ?1 AND parent = ?2 ORDER BY path";
constexpr const char* kDeleteKey = "DELETE FROM registry_keys WHERE id = ?1";
constexpr const char* kReadValue = "SELECT type, data FROM registry_values WHERE key_id = ?1 AND name = ?2";
constexpr const char* kWriteValue =
    "INSERT INTO registry_values(key_id, name, type, data) VALUES(?1, ?2, ?3, ?4) "
    "ON CONFLICT(key_id, name) DO UPDATE SET type = excluded.type, data = excluded.data";
constexpr const char* kDeleteValue = "DELETE FROM registry_values WHERE key_id = ?1 AND name = ?2";
constexpr const char* kValueNames = "SELECT name FROM registry_values WHERE key_id = ?1 ORDER BY rowid";

constexpr int kBusyTimeoutMs = 5000;

std::string_view LeafOf(std::string_view path) {
  std::size_t cut = path.rfind('\\');
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool Initialise(SqliteConnection& db) {
  db.SetBusyTimeout(kBusyTimeoutMs);
  // WAL lets readers and a writer of different processes work side by side;
  // a file that stays in rollback mode still works, only with more waiting.
  db.Execute("PRAGMA journal_mode=WAL");
  // In WAL mode this still never corrupts the file; it only skips an fsync per write.
  db.Execute("PRAGMA synchronous=NORMAL");
  if (!db.Execute("PRAGMA foreign_keys=ON")) return false;
  SqliteTransaction transaction(db);
  if (!transaction.Started() || !db.Execute(kSchema)) return false;
  for (std::int32_t root : {kHKeyClassesRoot, kHKeyCurrentUser, kHKeyLocalMachine, kHKeyUsers}) {
    SqliteQuery add(db, kAddRoot);
    if (!add) return false;
    sqlite3_bind_int(add.get(), 1, root);
    if (add.Step() != SQLITE_DONE) return false;
  }
  return transaction.Commit();
}

bool HasSubKeys(SqliteConnection& db, std::int32_t root, std::string_view path) {
  SqliteQuery query(db, kFirstSubKey);
  if (!query) return true;
  sqlite3_bind_int(query.get(), 1, root);
  BindText(query.get(), 2, path);
  return query.Step() != SQLITE_DONE;
}

}  // namespace

std::string DefaultRegistryFile() {
  std::string config = UserConfigFolder();
  return config.empty() ? std::string() : config + "quillmere/registry.sqlite3";
}

RegistryStore& RegistryStore::Instance() {
  static RegistryStore store;
  return store;
}

void RegistryStore::UseFile(std::string file) {
  std::lock_guard lock(mutex_);
  db_.reset();
  openTried_ = false;
  file_ = std::move(file);
}

SqliteConnection* RegistryStore::Connection() {
  if (!openTried_) {
    openTried_ = true;
    std::string file = file_.empty() ? DefaultRegistryFile() : file_;
    if (!file.empty()) {
      CreateFolderPath(GetParentFolder(file));
      if (std::optional<SqliteConnection> opened = SqliteConnection::Open(file)) db_.emplace(std::move(*opened));
      if (db_ && !Initialise(*db_)) db_.reset();
    }
  }
  return db_ ? &*db_ : nullptr;
}

std::optional<std::int64_t> RegistryStore::KeyId(SqliteConnection& db, std::int32_t root, std::string_view path) {
  SqliteQuery query(db, kFindKey);
  if (!query) return std::nullopt;
  sqlite3_bind_int(query.get(), 1, root);
  BindText(query.get(), 2, path);
  if (query.Step() != SQLITE_ROW) return std::nullopt;
  return sqlite3_column_int64(query.get(), 0);
}

std::optional<std::int64_t> RegistryStore::EnsureKey(SqliteConnection& db, std::int32_t root,
                                                     std::string_view path) {
  if (!KeyId(db, root, "")) return std::nullopt;
  for (std::size_t end = 0; end != std::string_view::npos;) {
    end = path.find('\\', end + 1);
    std::string_view key = path.substr(0, end);
    SqliteQuery add(db, kAddKey);
    if (!add) return std::nullopt;
    sqlite3_bind_int(add.get(), 1, root);
    BindText(add.get(), 2, key);
    BindText(add.get(), 3, ParentKeyPath(key));
    if (add.Step() != SQLITE_DONE) return std::nullopt;
  }
  return KeyId(db, root, path);
}

bool RegistryStore::KeyExists(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  return db && KeyId(*db, root, NormalisedKeyPath(path));
}

bool RegistryStore::CreateKey(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return false;
  path = NormalisedKeyPath(path);
  if (path.empty()) return KeyId(*db, root, path).has_value();
  SqliteTransaction transaction(*db);
  return transaction.Started() && EnsureKey(*db, root, path) && transaction.Commit();
}

RegistryStore::DeleteOutcome RegistryStore::DeleteKey(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  path = NormalisedKeyPath(path);
  if (!db || !KeyId(*db, root, ParentKeyPath(path))) return DeleteOutcome::kParentMissing;
  SqliteTransaction transaction(*db);
  std::optional<std::int64_t> id = path.empty() ? std::nullopt : KeyId(*db, root, path);
  if (!transaction.Started() || !id || HasSubKeys(*db, root, path)) return DeleteOutcome::kFailed;
  SqliteQuery remove(*db, kDeleteKey);
  if (!remove) return DeleteOutcome::kFailed;
  sqlite3_bind_int64(remove.get(), 1, *id);
  if (remove.Step() != SQLITE_DONE) return DeleteOutcome::kFailed;
  return transaction.Commit() ? DeleteOutcome::kDeleted : DeleteOutcome::kFailed;
}

bool RegistryStore::DeleteValue(std::int32_t root, std::string_view path, std::string_view name) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return false;
  std::optional<std::int64_t> id = KeyId(*db, root, NormalisedKeyPath(path));
  SqliteQuery remove(*db, kDeleteValue);
  if (!id || !remove) return false;
  sqlite3_bind_int64(remove.get(), 1, *id);
  BindText(remove.get(), 2, name);
  return remove.Step() == SQLITE_DONE && db->Changes() > 0;
}

std::optional<StoredValue> RegistryStore::ReadValue(std::int32_t root, std::string_view path,
                                                    std::string_view name) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return std::nullopt;
  std::optional<std::int64_t> id = KeyId(*db, root, NormalisedKeyPath(path));
  SqliteQuery read(*db, kReadValue);
  if (!id || !read) return std::nullopt;
  sqlite3_bind_int64(read.get(), 1, *id);
  BindText(read.get(), 2, name);
  if (read.Step() != SQLITE_ROW) return std::nullopt;
  StoredValue value;
  value.type = sqlite3_column_int(read.get(), 0);
  if (sqlite3_column_type(read.get(), 1) == SQLITE_INTEGER)
    value.data = sqlite3_column_int(read.get(), 1);
  else
    value.data = ColumnText(read.get(), 1);
  return value;
}

bool RegistryStore::WriteValue(std::int32_t root, std::string_view path, std::string_view name,
                               const StoredValue& value) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return false;
  SqliteTransaction transaction(*db);
  if (!transaction.Started()) return false;
  std::optional<std::int64_t> id = EnsureKey(*db, root, NormalisedKeyPath(path));
  if (!id) return false;
  {
    SqliteQuery write(*db, kWriteValue);
    if (!write) return false;
    sqlite3_bind_int64(write.get(), 1, *id);
    BindText(write.get(), 2, name);
    sqlite3_bind_int(write.get(), 3, value.type);
    if (const auto* number = std::get_if<std::int32_t>(&value.data))
      sqlite3_bind_int(write.get(), 4, *number);
    else if (const std::string& bytes = std::get<std::string>(value.data); value.type == kRegBinary)
      sqlite3_bind_blob(write.get(), 4, bytes.data(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    else
      BindText(write.get(), 4, bytes);
    if (write.Step() != SQLITE_DONE) return false;
  }
  return transaction.Commit();
}

std::optional<std::vector<std::string>> RegistryStore::ValueNames(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return std::nullopt;
  std::optional<std::int64_t> id = KeyId(*db, root, NormalisedKeyPath(path));
  SqliteQuery query(*db, kValueNames);
  if (!id || !query) return std::nullopt;
  sqlite3_bind_int64(query.get(), 1, *id);
  std::vector<std::string> names;
  while (query.Step() == SQLITE_ROW) names.push_back(ColumnText(query.get(), 0));
  return names;
}

std::optional<std::vector<std::string>> RegistryStore::SubKeyNames(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  SqliteConnection* db = Connection();
  if (!db) return std::nullopt;
  path = NormalisedKeyPath(path);
  SqliteQuery query(*db, kSubKeys);
  if (!KeyId(*db, root, path) || !query) return std::nullopt;
  sqlite3_bind_int(query.get(), 1, root);
  BindText(query.get(), 2, path);
  std::vector<std::string> names;
  while (query.Step() == SQLITE_ROW) names.emplace_back(LeafOf(ColumnText(query.get(), 0)));
  return names;
}

}  // namespace quillmere
