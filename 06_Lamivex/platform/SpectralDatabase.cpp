// The spectral database component over SQLite. Connections are opened read-only:
// a run never creates or changes a database file.
#include "platform/SpectralDatabase.h"

#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/RunError.h"

namespace lamivex {
namespace {

[[noreturn]] void Fail(const std::string& text) {
  throw RunError(kExitFault, "SM5.2", text);
}

[[noreturn]] void FailOnColumn(const char* what, std::string_view column, const char* where,
                               const std::string& sql) {
  Fail(what + std::string(column) + where + sql + "\"");
}

bool SameColumnName(const char* a, std::string_view b) {
  if (a == nullptr || std::strlen(a) != b.size()) return false;
  for (size_t i = 0; i < b.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

RecordSet::RecordSet(sqlite3_stmt* statement, int32_t count, const std::string& sql)
    : statement_(statement), count_(count), sql_(sql) {
  try {
    MoveNext();
  } catch (...) {
    sqlite3_finalize(statement_);
    throw;
  }
}

RecordSet::~RecordSet() {
  sqlite3_finalize(statement_);
}

// The first column of that name (any case) wins. The columns of a statement do not
// change from row to row, so the search is made once per name and record set.
int RecordSet::ColumnIndex(std::string_view name) const {
  for (const auto& [known, index] : columnIndex_) {
    if (known == name) return index;
  }
  int found = -1;
  const int columns = sqlite3_column_count(statement_);
  for (int i = 0; i < columns && found < 0; ++i) {
    if (SameColumnName(sqlite3_column_name(statement_, i), name)) found = i;
  }
  columnIndex_.emplace_back(name, found);
  return found;
}

double RecordSet::Field(std::string_view name) const {
  if (atEnd_) FailOnColumn("Error: no current row for the column ", name, " in \"", sql_);
  const int i = ColumnIndex(name);
  if (i < 0) FailOnColumn("Error: no column ", name, " in \"", sql_);
  if (sqlite3_column_type(statement_, i) == SQLITE_NULL) {
    FailOnColumn("Error: the column ", name, " is empty in a row of \"", sql_);
  }
  return sqlite3_column_double(statement_, i);
}

std::string RecordSet::OptionalText(std::string_view name) const {
  const int i = atEnd_ ? -1 : ColumnIndex(name);
  if (i < 0 || sqlite3_column_type(statement_, i) == SQLITE_NULL) return std::string();
  const unsigned char* text = sqlite3_column_text(statement_, i);
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

void RecordSet::MoveNext() {
  if (atEnd_) return;
  const int status = sqlite3_step(statement_);
  if (status == SQLITE_DONE) {
    atEnd_ = true;
  } else if (status != SQLITE_ROW) {
    Fail("Error: the query \"" + sql_ +
         "\" failed: " + sqlite3_errmsg(sqlite3_db_handle(statement_)));
  }
}

SpectralDatabase::~SpectralDatabase() {
  sqlite3_close_v2(db_);
}

void SpectralDatabase::Open(const std::string& path, const std::string& /*unused*/,
                            bool /*readOnly*/) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    Fail("Error: the spectral database " + path + " is not found!");
  }
  sqlite3* db = nullptr;
  // The run uses a connection from one thread only: no locking on every call.
  const int status =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  if (status == SQLITE_OK) {
    // Reading the schema tells a database from any other file at once. It also opens the
    // read transaction the connection keeps until it closes: the shared lock is taken and the
    // look for a hot journal made once, instead of once per query.
    const int check = sqlite3_exec(db, "begin; select count(*) from sqlite_master", nullptr,
                                   nullptr, nullptr);
    if (check == SQLITE_OK) {
      sqlite3_close_v2(db_);
      db_ = db;
      path_ = path;
      return;
    }
  }
  const std::string reason = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
  sqlite3_close_v2(db);
  Fail("Error: the spectral database " + path + " cannot be opened: " + reason);
}

std::unique_ptr<RecordSet> SpectralDatabase::Select(const std::string& sql) {
  if (db_ == nullptr) Fail("Error: no spectral database is open for \"" + sql + "\"");
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK ||
      statement == nullptr) {
    const std::string reason = sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    Fail("Error: the query \"" + sql + "\" failed in " + path_ + ": " + reason);
  }
  // The record count is known before the first row is read: count, then rewind.
  int32_t count = 0;
  int status = SQLITE_ROW;
  while ((status = sqlite3_step(statement)) == SQLITE_ROW) ++count;
  if (status != SQLITE_DONE) {
    const std::string reason = sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    Fail("Error: the query \"" + sql + "\" failed in " + path_ + ": " + reason);
  }
  sqlite3_reset(statement);
  return std::unique_ptr<RecordSet>(new RecordSet(statement, count, sql));
}

}  // namespace lamivex
