#include "support/registry/SqliteConnection.h"

namespace quillmere {

std::optional<SqliteConnection> SqliteConnection::Open(const std::string& file) {
  sqlite3* db = nullptr;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(file.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return std::nullopt;
  }
  return SqliteConnection(db);
}

SqliteConnection::SqliteConnection(SqliteConnection&& other) noexcept
    : db_(other.db_), statements_(std::move(other.statements_)) {
  other.db_ = nullptr;
  other.statements_.clear();
}

SqliteConnection::~SqliteConnection() {
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  sqlite3_close(db_);
}

bool SqliteConnection::Execute(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

sqlite3_stmt* SqliteConnection::Statement(const char* sql) {
  auto found = statements_.find(sql);
  if (found != statements_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return nullptr;
  }
  statements_.emplace(sql, statement);
  return statement;
}

std::string ColumnText(sqlite3_stmt* s, int column) {
  const void* data = sqlite3_column_blob(s, column);
  int size = sqlite3_column_bytes(s, column);
  return data ? std::string(static_cast<const char*>(data), static_cast<std::size_t>(size)) : std::string();
}

}  // namespace quillmere
