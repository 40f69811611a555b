// create, import and list: schemas of the two roles, id ranges, the next free
// id, and databases made elsewhere with only the columns the run reads.
#include <gtest/gtest.h>

#include "CatalogueDatabase.h"
#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

using testing::SpectrumFile;
using testing::Tool;

TEST(CreateDatabase, SchemasOfBothRolesAndNoOverwrite) {
  testing::ScratchFolder folder;
  const std::string suite = folder / "suite.db";
  const std::string user = folder / "profile/Base Utilisateur/Vitrages/SpectralDB/user.db";
  EXPECT_EQ(Tool({"create", suite, "--suite"}).status, 0);
  EXPECT_EQ(Tool({"create", user, "--user"}).status, 0);  // makes the missing folders
  SqliteConnection suiteDb(suite, SqliteConnection::Mode::ReadOnly);
  SqliteConnection userDb(user, SqliteConnection::Mode::ReadOnly);
  EXPECT_EQ(RoleOf(suiteDb), lamivex::DatabaseRole::Suite);
  EXPECT_EQ(RoleOf(userDb), lamivex::DatabaseRole::User);
  EXPECT_TRUE(suiteDb.HasColumn("spectral_energy_PVB", "reflection_energy_face2"));
  EXPECT_TRUE(suiteDb.HasColumn("film", "source_file"));
  EXPECT_FALSE(userDb.HasTable("film"));

  const std::string before = testing::ReadAll(suite);
  const testing::ToolResult again = Tool({"create", suite, "--user"});
  EXPECT_EQ(again.status, 2);
  EXPECT_NE(again.err.find("suite.db: exists; create never overwrites a file"), std::string::npos);
  EXPECT_TRUE(testing::ReadAll(suite) == before);
  EXPECT_EQ(Tool({"create", folder / "x.db"}).status, 64);
  EXPECT_EQ(Tool({"create", folder / "x.db", "--suite", "--user"}).status, 64);
}

TEST(ImportIds, NextFreeIdOfEachRangeAndExplicitIds) {
  testing::ScratchFolder folder;
  const std::string user = folder / "user.db";
  const std::string suite = folder / "suite.db";
  ASSERT_EQ(Tool({"create", user, "--user"}).status, 0);
  ASSERT_EQ(Tool({"create", suite, "--suite"}).status, 0);

  const testing::ToolResult first =
      Tool({"import", user, SpectrumFile("CLEAR_3.DAT"), SpectrumFile("nfrc_18000.json")});
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out,
            "CLEAR_3.DAT: imported as id 1000000 (glass, \"Generic Clear Glass\", 111 rows)\n"
            "nfrc_18000.json: imported as id 1000001 (glass, \"E366-3 (2) / 0.035 SGP / "
            "Clear-3\", 441 rows; 21 rows above 2500 nm left out)\n");
  EXPECT_EQ(Tool({"import", user, SpectrumFile("CLEAR_6.DAT"), "--id", "2000000"}).status, 0);
  const testing::ToolResult again =
      Tool({"import", user, SpectrumFile("CLEAR_6.DAT"), "--duplicate"});
  EXPECT_NE(again.out.find("as id 2000001"), std::string::npos);
  EXPECT_NE(
      again.err.find("CLEAR_6.DAT: id 2000000 holds the same product (\"Generic Clear Glass\", "
                     "the same 111 rows); imported again (--duplicate)"),
      std::string::npos)
      << again.err;
  EXPECT_EQ(Tool({"import", user, SpectrumFile("CLEAR_6.DAT"), "--name", "Clear 6 again"}).status,
            0);  // the same rows under another name

  // The suite range: ids are per family for the run, but new ids stay unique in the file.
  EXPECT_NE(Tool({"import", suite, SpectrumFile("CLEAR_3.DAT")}).out.find("as id 1 (glass"),
            std::string::npos);
  EXPECT_NE(Tool({"import", suite, SpectrumFile("nfrc_9223.json"), "--kind", "film"})
                .out.find("as id 2 (film"),
            std::string::npos);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--kind=pvb", "--id", "1"}).status,
            0);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--id", "999999"}).status, 0);
  EXPECT_NE(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--duplicate"})
                .out.find("as id 3 (glass"),
            std::string::npos);  // the top is taken: the lowest unused id
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--id", "1000000"}).status, 2);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--id", "0"}).status, 2);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--id", "12x"}).status, 64);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--kind", "gas"}).status, 64);
  EXPECT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_3.DAT"), SpectrumFile("CLEAR_6.DAT"),
                  "--name", "X"})
                .status,
            64);
}

TEST(ListProducts, OneLinePerProductWithNameOriginAndRange) {
  testing::ScratchFolder folder;
  const std::string suite = folder / "suite.db";
  ASSERT_EQ(Tool({"create", suite, "--suite"}).status, 0);
  ASSERT_EQ(Tool({"import", suite, SpectrumFile("LOW-E_5.LOF"), "--origin", "pyWinCalc"}).status,
            0);
  ASSERT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--kind", "pvb", "--name",
                  "Clear as PVB"})
                .status,
            0);
  const testing::ToolResult list = Tool({"list", suite});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(
      list.out,
      "1\tglass\tEnergy Advantage\u2122 Low-E\t369 rows\t300-2500 nm\t4.7244 mm\tLOW-E_5.LOF\n"
      "2\tpvb\tClear as PVB\t111 rows\t300-2500 nm\t5.715 mm\tCLEAR_6.DAT\n");

  SqliteConnection db(suite, SqliteConnection::Mode::ReadOnly);
  Statement row = db.Prepare("select name, maker, thickness, source_file, origin from glass");
  ASSERT_TRUE(row.Step());
  EXPECT_EQ(row.Text(1), "Pilkington North America");
  EXPECT_EQ(row.Number(2), 4.7244);
  EXPECT_EQ(row.Text(3), "LOW-E_5.LOF");
  EXPECT_EQ(row.Text(4), "pyWinCalc");
}

TEST(EditProducts, DeleteAndRenameInATransactionAndRefusalsLeaveTheDatabase) {
  testing::ScratchFolder folder;
  const std::string suite = folder / "suite.db";
  ASSERT_EQ(Tool({"create", suite, "--suite"}).status, 0);
  ASSERT_EQ(Tool({"import", suite, SpectrumFile("CLEAR_3.DAT")}).status, 0);  // glass 1
  ASSERT_EQ(
      Tool({"import", suite, SpectrumFile("CLEAR_6.DAT"), "--kind", "pvb", "--id", "1"}).status, 0);
  ASSERT_EQ(Tool({"import", suite, SpectrumFile("nfrc_9223.json"), "--kind", "film"}).status,
            0);  // film 2
  const std::string before = testing::ReadAll(suite);
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } refusals[] = {
      {{"rename", suite, "1", "X"}, 64, "id 1 is in the glass and pvb tables; give --kind"},
      {{"delete", suite, "7"}, 2, "no product with id 7; lamivex-db list shows the products"},
      {{"delete", suite, "2", "--kind", "glass"}, 2, "no product with id 2 in the glass tables"},
      {{"rename", suite, "2", ""}, 64, "NAME must not be empty"},
      {{"delete", suite, "two"}, 64, "ID must be a whole number from 1 to 2147483647, not 'two'"},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.message);
    const testing::ToolResult result = Tool(refusal.args);
    EXPECT_EQ(result.status, refusal.status);
    EXPECT_NE(result.err.find(refusal.message), std::string::npos) << result.err;
    EXPECT_TRUE(testing::ReadAll(suite) == before) << "the database changed";
  }
  EXPECT_EQ(Tool({"rename", suite, "1", "Clear 3 renamed", "--kind", "glass"}).out,
            "renamed id 1 (glass, \"Generic Clear Glass\", 111 rows) to \"Clear 3 renamed\"\n");
  EXPECT_EQ(Tool({"delete", suite, "1", "--kind=pvb"}).out,
            "deleted id 1 (pvb, \"Generic Clear Glass\", 111 rows)\n");
  EXPECT_EQ(Tool({"delete", suite, "2"}).out,
            "deleted id 2 (film, \"Solar Bronze 20 on clear\", 441 rows)\n");
  EXPECT_EQ(Tool({"list", suite}).out,
            "1\tglass\tClear 3 renamed\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\n");
}

TEST(ImportIntoForeignDatabase, OnlyTheColumnsTheRunReads) {
  testing::ScratchFolder folder;
  const std::string user = folder / "user.db";
  testing::ExecuteSql(user,
                      "create table glass (id integer);"
                      "create table spectral_energy (glass_id integer, lamda real,"
                      " transmission_energy real, reflection_energy_face1 real,"
                      " reflection_energy_face2 real);");
  const testing::ToolResult result = Tool({"import", user, SpectrumFile("CLEAR_3.json")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Tool({"list", user}).out, "1000000\tglass\t\t111 rows\t300-2500 nm\t-\t-\n");

  const std::string notSpectral = folder / "other.db";
  testing::ExecuteSql(notSpectral, "create table t (x);");
  const testing::ToolResult refused = Tool({"import", notSpectral, SpectrumFile("CLEAR_3.json")});
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("not a spectral database"), std::string::npos);
}

}  // namespace
}  // namespace lamivexdb
