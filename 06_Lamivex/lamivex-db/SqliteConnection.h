// A read-write SQLite connection for lamivex-db, with prepared statements. Every
// failure throws DatabaseError naming the file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace lamivexdb {

class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql, const std::string& path);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void Bind(int index, double value);
  void Bind(int index, int64_t value);
  void Bind(int index, const std::string& value);
  void BindNull(int index);
  // Moves to the next row; false at the end. A statement that writes runs on the first call.
  bool Step();
  void Reset();

  bool IsNull(int column) const;
  // The column as a number; NaN when it holds no number (NULL, text, blob).
  double Number(int column) const;
  int64_t Integer(int column) const;
  std::string Text(int column) const;
  // Index of the named result column (case-insensitive), or -1.
  int ColumnIndex(const std::string& name) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
  std::string path_;
};

class SqliteConnection {
 public:
  enum class Mode { ReadOnly, ReadWrite };
  // Opens an existing file; never creates one.
  SqliteConnection(const std::string& path, Mode mode);
  ~SqliteConnection();
  SqliteConnection(const SqliteConnection&) = delete;
  SqliteConnection& operator=(const SqliteConnection&) = delete;

  void Execute(const std::string& sql);
  Statement Prepare(const std::string& sql) { return Statement(db_, sql, path_); }
  bool HasTable(const std::string& table);
  bool HasColumn(const std::string& table, const std::string& column);
  const std::string& Path() const { return path_; }

 private:
  sqlite3* db_ = nullptr;
  std::string path_;
};

// Runs a block of work in one transaction: committed by Commit(), rolled back
// when the guard goes out of scope without it (an exception on the way).
class Transaction {
 public:
  explicit Transaction(SqliteConnection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  SqliteConnection& connection_;
  bool done_ = false;
};

}  // namespace lamivexdb
