#include "SqliteConnection.h"

#include <sqlite3.h>

#include <cmath>

namespace lamivexdb {

namespace {

std::string Failure(const std::string& path, sqlite3* db, const std::string& what) {
  return path + ": " + what + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
}

}  // namespace

Statement::Statement(sqlite3* db, const std::string& sql, const std::string& path) : path_(path) {
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
    const std::string message = Failure(path, db, "\"" + sql + "\" failed");
    sqlite3_finalize(statement_);
    throw DatabaseError(message);
  }
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

void Statement::Bind(int index, double value) {
  sqlite3_bind_double(statement_, index, value);
}
void Statement::Bind(int index, int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
}
void Statement::Bind(int index, const std::string& value) {
  sqlite3_bind_text(statement_, index, value.c_str(), static_cast<int>(value.size()),
                    SQLITE_TRANSIENT);
}
void Statement::BindNull(int index) {
  sqlite3_bind_null(statement_, index);
}

bool Statement::Step() {
  const int status = sqlite3_step(statement_);
  if (status == SQLITE_ROW) return true;
  if (status == SQLITE_DONE) return false;
  sqlite3* db = sqlite3_db_handle(statement_);
  throw DatabaseError(
      Failure(path_, db, "\"" + std::string(sqlite3_sql(statement_)) + "\" failed"));
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

bool Statement::IsNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

double Statement::Number(int column) const {
  const int type = sqlite3_column_type(statement_, column);
  if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) return NAN;
  return sqlite3_column_double(statement_, column);
}

int64_t Statement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  return text ? reinterpret_cast<const char*>(text) : "";
}

int Statement::ColumnIndex(const std::string& name) const {
  for (int i = 0; i < sqlite3_column_count(statement_); ++i) {
    if (sqlite3_stricmp(sqlite3_column_name(statement_, i), name.c_str()) == 0) return i;
  }
  return -1;
}

SqliteConnection::SqliteConnection(const std::string& path, Mode mode) : path_(path) {
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = Failure(path, db_, "cannot be opened");
    sqlite3_close(db_);
    db_ = nullptr;
    throw DatabaseError(message);
  }
  sqlite3_busy_timeout(db_, 5000);
  // Reading the schema proves the file is a database before anything relies on it.
  Execute("select count(*) from sqlite_master");
}

SqliteConnection::~SqliteConnection() {
  sqlite3_close(db_);
}

void SqliteConnection::Execute(const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = path_ + ": " + (error ? error : "failed");
    sqlite3_free(error);
    throw DatabaseError(message);
  }
}

bool SqliteConnection::HasTable(const std::string& table) {
  Statement query(db_, "select 1 from sqlite_master where type='table' and name=? collate nocase",
                  path_);
  query.Bind(1, table);
  return query.Step();
}

bool SqliteConnection::HasColumn(const std::string& table, const std::string& column) {
  Statement query(db_, "select 1 from pragma_table_info(?) where name=? collate nocase", path_);
  query.Bind(1, table);
  query.Bind(2, column);
  return query.Step();
}

Transaction::Transaction(SqliteConnection& connection) : connection_(connection) {
  connection_.Execute("begin immediate");
}

Transaction::~Transaction() {
  if (done_) return;
  try {
    connection_.Execute("rollback");
  } catch (const DatabaseError&) {
    // The transaction is gone already (SQLite rolled it back on the error).
  }
}

void Transaction::Commit() {
  connection_.Execute("commit");
  done_ = true;
}

}  // namespace lamivexdb
