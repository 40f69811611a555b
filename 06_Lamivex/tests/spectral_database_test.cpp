// The database component: read-only connections, record sets and their record count.
#include "platform/SpectralDatabase.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "TestDatabase.h"
#include "platform/RunError.h"
#include "platform/SpectralSchema.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

using testing::TempFolder;
using testing::TestDatabase;

TEST(SpectralDatabase, RecordSetCountsBeforeTheFirstRowAndWalksTheRows) {
  TempFolder temp;
  { TestDatabase(temp / "s.db").AddProduct("glass", 7, TestDatabase::Flat(300, 310, 90, 8, 7)); }
  SpectralDatabase db;
  db.Open(temp / "s.db", "", true);
  auto rows = db.Select("select * from spectral_energy where glass_id=7");
  EXPECT_EQ(rows->RecordCount(), 3);
  double sum = 0;
  for (; !rows->EndOfFile(); rows->MoveNext()) sum += rows->Field("LAMDA");  // any case
  EXPECT_EQ(sum, 300 + 305 + 310);
  EXPECT_THROW(rows->Field("lamda"), RunError);  // past the last row
  auto none = db.Select("select * from spectral_energy where glass_id=8");
  EXPECT_EQ(none->RecordCount(), 0);
  EXPECT_TRUE(none->EndOfFile());
}

TEST(SpectralDatabase, FailuresStopTheRunNamingTheirCause) {
  TempFolder temp;
  { TestDatabase(temp / "s.db").AddProduct("glass", 7, TestDatabase::Flat(300, 300, 1, 2, 3)); }
  SpectralDatabase db;
  try {
    db.Open(temp / "missing.db");
    FAIL() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Error: the spectral database " + (temp / "missing.db") + " is not found!");
  }
  EXPECT_FALSE(FileExists(temp / "missing.db"));  // never created
  testing::WriteBytes(temp / "text.db", "not a database at all, just some text in a file\n");
  EXPECT_THROW(db.Open(temp / "text.db"), RunError);
  EXPECT_FALSE(db.IsOpen());
  db.Open(temp / "s.db");
  EXPECT_THROW(db.Select("select * from no_such_table where glass_id=1"), RunError);
  auto rows = db.Select("select * from spectral_energy where glass_id=7");
  EXPECT_THROW(rows->Field("no_such_column"), RunError);
}

TEST(SpectralDatabase, AConnectionCannotChangeTheDatabase) {
  TempFolder temp;
  { TestDatabase(temp / "s.db").AddProduct("glass", 7, TestDatabase::Flat(300, 300, 1, 2, 3)); }
  const std::string before = testing::ReadBytes(temp / "s.db");
  {
    SpectralDatabase db;
    db.Open(temp / "s.db");
    EXPECT_THROW(db.Select("delete from spectral_energy"), RunError);
    EXPECT_THROW(db.Select("create table x (y integer)"), RunError);
  }
  EXPECT_EQ(testing::ReadBytes(temp / "s.db"), before);
}

}  // namespace
}  // namespace lamivex

namespace lamivex {
namespace {

// The suite database of the build tree is made by lamivex-db from
// data/catalogue/catalogue.txt; its tables must be the ones the shared schema
// defines for a suite database.
TEST(SpectralDatabase, TheBuiltCatalogueHasTheSharedSuiteSchema) {
  const auto schemaOf = [](sqlite3* db) {
    std::vector<std::string> statements;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "select sql from sqlite_master where sql is not null order by name", -1,
                       &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      statements.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    return statements;
  };
  sqlite3* built = nullptr;
  const std::string path =
      std::string(LAMIVEX_PROGRAM_DIR) + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &built, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3* fresh = nullptr;
  sqlite3_open(":memory:", &fresh);
  ASSERT_EQ(sqlite3_exec(fresh, SchemaSql(DatabaseRole::Suite).c_str(), nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(schemaOf(built), schemaOf(fresh));
  sqlite3_close(built);
  sqlite3_close(fresh);
}

}  // namespace
}  // namespace lamivex
