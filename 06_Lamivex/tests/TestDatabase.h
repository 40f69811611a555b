// Builds small spectral databases for tests: only the tables and columns the run reads.
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace lamivex::testing {

struct TestRow {
  double lambda, t, r1, r2;
};

class TestDatabase {
 public:
  explicit TestDatabase(const std::string& path) {
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("open " + path);
    Exec("pragma synchronous = off");
    for (const char* family : {"", "_film", "_PVB"}) {
      Exec(std::string("create table spectral_energy") + family +
           " (glass_id integer, lamda real, transmission_energy real,"
           " reflection_energy_face1 real, reflection_energy_face2 real)");
    }
    Exec("create table glass (id integer)");
    Exec("create table film (id integer)");
    Exec("create table PVB (id integer)");
  }
  ~TestDatabase() { sqlite3_close(db_); }
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string text = error ? error : "?";
      sqlite3_free(error);
      throw std::runtime_error(sql + ": " + text);
    }
  }

  // Adds a product with the given rows; table is "glass", "film" or "PVB".
  void AddProduct(const std::string& table, int id, const std::vector<TestRow>& rows) {
    const std::string family = table == "glass" ? "" : "_" + table;
    Exec("insert into " + table + " (id) values (" + std::to_string(id) + ")");
    Exec("begin");
    for (const TestRow& row : rows) {
      Exec("insert into spectral_energy" + family + " values (" + std::to_string(id) + ", " +
           std::to_string(row.lambda) + ", " + std::to_string(row.t) + ", " +
           std::to_string(row.r1) + ", " + std::to_string(row.r2) + ")");
    }
    Exec("commit");
  }

  // A flat spectrum every 5 nm from first to last: T = t, R1 = r1, R2 = r2.
  static std::vector<TestRow> Flat(double first, double last, double t, double r1, double r2) {
    std::vector<TestRow> rows;
    for (double lambda = first; lambda <= last; lambda += 5) rows.push_back({lambda, t, r1, r2});
    return rows;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace lamivex::testing
