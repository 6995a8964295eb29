#pragma once
// A thin owner of one sqlite3 connection and its prepared statements. Not
// synchronised: the owner serialises access.

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillmere {

class SqliteConnection {
 public:
  // Opens (creating) the file; nullopt when it cannot be opened.
  static std::optional<SqliteConnection> Open(const std::string& file);

  SqliteConnection(SqliteConnection&& other) noexcept;
  SqliteConnection& operator=(SqliteConnection&&) = delete;
  ~SqliteConnection();

  bool Execute(const char* sql);
  // Rows changed by the last finished statement.
  int Changes() const { return sqlite3_changes(db_); }
  void SetBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

  // A cached statement; null when the text does not compile. The text must
  // outlive the connection (a literal).
  sqlite3_stmt* Statement(const char* sql);

 private:
  explicit SqliteConnection(sqlite3* db) : db_(db) {}
  sqlite3* db_;
  std::map<const char*, sqlite3_stmt*> statements_;
};

// One use of a cached statement. Resetting it at the end of the use matters:
// a statement left mid-way keeps its read transaction, hiding other
// processes' later writes.
class SqliteQuery {
 public:
  SqliteQuery(SqliteConnection& c, const char* sql) : s_(c.Statement(sql)) {}
  SqliteQuery(const SqliteQuery&) = delete;
  SqliteQuery& operator=(const SqliteQuery&) = delete;
  ~SqliteQuery() {
    if (!s_) return;
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  }
  explicit operator bool() const { return s_ != nullptr; }
  sqlite3_stmt* get() const { return s_; }
  int Step() { return sqlite3_step(s_); }

 private:
  sqlite3_stmt* s_;
};

// Binds text without copying; the text must stay alive until the step. An
// empty view may carry no pointer, which sqlite would take for NULL.
inline void BindText(sqlite3_stmt* s, int index, std::string_view text) {
  sqlite3_bind_text(s, index, text.empty() ? "" : text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

// A column as text (binary-safe); empty text for NULL.
std::string ColumnText(sqlite3_stmt* s, int column);

// Commits when Commit() is called, rolls back otherwise.
class SqliteTransaction {
 public:
  explicit SqliteTransaction(SqliteConnection& c) : c_(c), open_(c.Execute("BEGIN IMMEDIATE")) {}
  SqliteTransaction(const SqliteTransaction&) = delete;
  SqliteTransaction& operator=(const SqliteTransaction&) = delete;
  ~SqliteTransaction() {
    if (open_) c_.Execute("ROLLBACK");
  }
  bool Started() const { return open_; }
  bool Commit() {
    open_ = false;
    return c_.Execute("COMMIT");
  }

 private:
  SqliteConnection& c_;
  bool open_;
};

}  // namespace quillmere
