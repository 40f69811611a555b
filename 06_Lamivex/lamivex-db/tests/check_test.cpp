// check on databases built by hand with each problem a run would stumble on.
#include <gtest/gtest.h>

#include <sstream>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

using testing::ExecuteSql;
using testing::Tool;

// The tables the run reads, with no key, so that any row order and duplicates can be stored.
const char* kBareSuiteSchema =
    "create table glass (id integer, name text);"
    "create table film (id integer, name text);"
    "create table PVB (id integer, name text);"
    "create table spectral_energy (glass_id, lamda, transmission_energy,"
    " reflection_energy_face1, reflection_energy_face2);"
    "create table spectral_energy_film (glass_id, lamda, transmission_energy,"
    " reflection_energy_face1, reflection_energy_face2);"
    "create table spectral_energy_PVB (glass_id, lamda, transmission_energy,"
    " reflection_energy_face1, reflection_energy_face2);";

struct Row {
  double lambda, t, r1, r2;
};

std::vector<Row> Grid(double first = 300, double last = 2500, double step = 5) {
  std::vector<Row> rows;
  for (double lambda = first; lambda <= last; lambda += step) rows.push_back({lambda, 80, 8, 8});
  return rows;
}

void AddProduct(const std::string& db, const std::string& table, const std::string& spectral,
                int id, const std::string& name, const std::vector<Row>& rows) {
  std::ostringstream sql;
  sql << "begin; insert into " << table << " values (" << id << ", '" << name << "');";
  for (const Row& row : rows) {
    sql << "insert into " << spectral << " values (" << id << ", " << row.lambda << ", " << row.t
        << ", " << row.r1 << ", " << row.r2 << ");";
  }
  sql << "commit;";
  ExecuteSql(db, sql.str());
}

TEST(CheckDatabase, EachProblemIsReportedAndTheStatusIsOne) {
  testing::ScratchFolder folder;
  const std::string db = folder / "suite.db";
  ExecuteSql(db, kBareSuiteSchema);
  AddProduct(db, "glass", "spectral_energy", 1, "good", Grid());
  std::vector<Row> unsorted = Grid();
  std::swap(unsorted[10], unsorted[11]);
  AddProduct(db, "glass", "spectral_energy", 2, "unsorted", unsorted);
  std::vector<Row> duplicate = Grid();
  duplicate[6].lambda = duplicate[5].lambda;
  AddProduct(db, "film", "spectral_energy_film", 2, "duplicate", duplicate);
  AddProduct(db, "PVB", "spectral_energy_PVB", 3, "short", Grid(305, 2400));
  AddProduct(db, "PVB", "spectral_energy_PVB", 4, "dense", Grid(300, 2500, 2.5));
  std::vector<Row> values = Grid();
  values[2].t = 100.5;
  values[3].r2 = -1;
  values[4].r1 = 21;  // T + R1 = 101: measuring noise at the edge of the tolerance
  AddProduct(db, "glass", "spectral_energy", 5, "values", values);
  AddProduct(db, "glass", "spectral_energy", 6, "empty", {});
  AddProduct(db, "glass", "spectral_energy", 1000001, "user id", Grid());
  ExecuteSql(db,
             "update spectral_energy set transmission_energy = null"
             " where glass_id = 1000001 and lamda = 500");

  const testing::ToolResult check = Tool({"check", db});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(
      check.out,
      "glass 2 \"unsorted\": rows not strictly ascending: 350 nm follows 355 nm\n"
      "glass 5 \"values\": T 100.5 % at 310 nm is outside 0 to 100 % (and 1 more)\n"
      "glass 5 \"values\": T + R1 = 108.5 % at 310 nm is above 100 % by more than the "
      "tolerance of 1 point (and 1 more)\n"
      "glass 5 \"values\": warning: T + R is above 100 % at 1 of 441 wavelengths, within the "
      "tolerance of 1 point for measuring noise; the largest: T + R1 = 101 % at 320 nm\n"
      "glass 6 \"empty\": no spectral rows: the run stops with \"Please, select the glass!\"\n"
      "glass 1000001 \"user id\": id outside 1 to 999999: the run never looks for it in the "
      "suite database\n"
      "glass 1000001 \"user id\": T at 500 nm is not a number\n"
      "film 2 \"duplicate\": duplicate wavelength 325 nm\n"
      "pvb 3 \"short\": covers 305 to 2400 nm; 300 to 2500 nm must be covered\n"
      "pvb 4 \"dense\": 881 rows above 299 nm; a spectrum holds at most 441\n"
      "9 problems in 7 of 8 products; 1 warnings in 1 products (a run goes through them)\n");
}

TEST(CheckDatabase, ACleanOrOnlyWarnedDatabaseGivesStatusZeroAndIsNotTouched) {
  testing::ScratchFolder folder;
  const std::string db = folder / "user.db";
  ASSERT_EQ(Tool({"create", db, "--user"}).status, 0);
  ASSERT_EQ(Tool({"import", db, testing::SpectrumFile("CLEAR_3.DAT"),
                  testing::SpectrumFile("nfrc_9223.json")})
                .status,
            0);
  ExecuteSql(db, "insert into glass (id, name) values (5, 'below the user range')");
  const testing::ToolResult check = Tool({"check", db});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out,
            "glass 5 \"below the user range\": id below 1000000: the run never looks for it in a "
            "user database\n"
            "glass 5 \"below the user range\": no spectral rows: the run stops with \"Please, "
            "select the glass!\"\n"
            "2 problems in 1 of 3 products\n");
  ExecuteSql(db, "delete from glass where id = 5");
  const testing::ToolResult clean = Tool({"check", db});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.out, "2 products checked, no problems found\n");

  // T + R1 100.5 % everywhere and 100.9 % at 990 nm: measuring noise, imported with a warning.
  const std::string noisy = folder / "noisy.csv";
  std::string rows = testing::FlatColumns(300, 2500, 5, 90, 10.5, 9);
  rows.replace(rows.find("\n990,90,10.5,9\n"), 15, "\n990,90,10.9,9\n");
  testing::WriteAll(noisy, rows);
  const testing::ToolResult imported = Tool({"import", db, noisy});
  EXPECT_EQ(imported.status, 0) << imported.err;
  const std::string warning =
      "T + R is above 100 % at 441 of 441 wavelengths, within the tolerance of 1 point for "
      "measuring noise; the largest: T + R1 = 100.9 % at 990 nm\n";
  EXPECT_EQ(imported.err, "lamivex-db import: " + noisy + ": " + warning);
  const testing::ToolResult warned = Tool({"check", db});
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(warned.out, "glass 1000002 \"noisy\": warning: " + warning +
                            "3 products checked, no problems found; 1 warnings in 1 products (a "
                            "run goes through them)\n");
  const std::string after = testing::ReadAll(db);
  Tool({"check", db});
  Tool({"list", db});
  EXPECT_TRUE(testing::ReadAll(db) == after);
}

}  // namespace
}  // namespace lamivexdb
