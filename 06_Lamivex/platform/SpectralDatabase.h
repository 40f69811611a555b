// The spectral database component: a read-only SQLite connection answering the
// run's select statements through record sets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace lamivex {

class RecordSet {
 public:
  ~RecordSet();
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;

  // Number of rows of the result, exact before the first row is read.
  int32_t RecordCount() const { return count_; }
  bool EndOfFile() const { return atEnd_; }
  // The named column of the current row as a number. Throws when the column is missing.
  double Field(std::string_view name) const;
  // The named column of the current row as text; empty when there is no current row, no
  // such column or no value (an optional column, such as a product's source file).
  std::string OptionalText(std::string_view name) const;
  void MoveNext();

 private:
  friend class SpectralDatabase;
  RecordSet(sqlite3_stmt* statement, int32_t count, const std::string& sql);
  // Index of the named column, or -1 when there is none; each name is looked up once.
  int ColumnIndex(std::string_view name) const;
  sqlite3_stmt* statement_;
  mutable std::vector<std::pair<std::string, int>> columnIndex_;
  int32_t count_;
  bool atEnd_ = false;
  std::string sql_;
};

class SpectralDatabase {
 public:
  SpectralDatabase() = default;
  ~SpectralDatabase();
  SpectralDatabase(const SpectralDatabase&) = delete;
  SpectralDatabase& operator=(const SpectralDatabase&) = delete;

  // Opens the file read-only; never creates it. Throws RunError(kExitFault) naming the file.
  void Open(const std::string& path, const std::string& unused = "", bool readOnly = true);
  bool IsOpen() const { return db_ != nullptr; }
  const std::string& Path() const { return path_; }

  // Runs one select statement. Throws RunError(kExitFault) when the statement fails.
  std::unique_ptr<RecordSet> Select(const std::string& sql);

 private:
  sqlite3* db_ = nullptr;
  std::string path_;
};

}  // namespace lamivex
