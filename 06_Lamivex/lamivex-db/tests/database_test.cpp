#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "SqliteConnection.h"

namespace lamivexdb {
namespace {

TEST(Database, ImportIdsDuplicatesListRenameAndDelete) {
  const testing::Session session;
  testing::ExecuteSql(session.At("$O"),  // a database made elsewhere: only what the run reads
                      "create table glass (id integer); create table spectral_energy (glass_id,"
                      " lamda, transmission_energy, reflection_energy_face1, "
                      "reflection_energy_face2);");
  // T + R1 100.5 % everywhere and 100.9 % at 990 nm: noise, imported with a warning.
  std::string noisy = testing::FlatColumns(300, 2500, 5, 90, 10.5, 9);
  testing::WriteAll(session.At("$F"),
                    noisy.replace(noisy.find("\n990,90,10.5"), 12, "\n990,90,10.9"));
  testing::WriteAll(session.At("$T/same_r2.txt"), testing::FlatColumns(300, 2500, 5, 80, 10.5, 9));
  const std::string noise =
      "warning: T + R is above 100 % at 441 of 441 wavelengths, within the tolerance of 1 point "
      "for measuring noise; the largest: T + R1 = 100.9 % at 990 nm\n";
  const std::string clear = "\"Generic Clear Glass\", 111 rows)\n";
  const std::string again =
      " holds the same product (\"Generic Clear Glass\", the same 111 rows); "
      "imported again (--duplicate)\n";
  const struct {
    const char* line;
    std::string out;
    std::string err = "";
    int status = 0;
  } steps[] = {
      {"create $U --user", ""},  // makes the missing folder
      {"import $U $S/CLEAR_3.DAT $S/nfrc_18000.json",
       "CLEAR_3.DAT: imported as id 1000000 (glass, " + clear +
           "nfrc_18000.json: imported as id 1000001 (glass, \"E366-3 (2) / 0.035 SGP / Clear-3\", "
           "441 rows; 21 rows above 2500 nm left out)\n"},
      {"import $U $S/CLEAR_6.DAT --id 2000000",
       "CLEAR_6.DAT: imported as id 2000000 (glass, " + clear},
      {"import $U $S/CLEAR_6.DAT --duplicate",
       "CLEAR_6.DAT: imported as id 2000001 (glass, " + clear,
       "lamivex-db import: $S/CLEAR_6.DAT: id 2000000" + again},
      {"import $U $S/CLEAR_6.DAT --name Clear6",  // the same rows, another name
       "CLEAR_6.DAT: imported as id 2000002 (glass, \"Clear6\", 111 rows)\n"},
      {"import $U $F", "product.txt: imported as id 2000003 (glass, \"product\", 441 rows)\n",
       "lamivex-db import: $F: " + noise.substr(9)},
      {"check $U", "glass 2000003 \"product\": " + noise +
                       "6 products checked, no problems found; 1 warnings in 1 "
                       "products (a run goes through them)\n"},
      {"import $U $T/same_r2.txt --name product",  // the same name, other rows: not a duplicate
       "same_r2.txt: imported as id 2000004 (glass, \"product\", 441 rows)\n"},
      // The suite range: ids are per family for the run, but new ids stay unique in the file.
      {"create $D --suite", ""},
      {"import $D $S/CLEAR_3.DAT", "CLEAR_3.DAT: imported as id 1 (glass, " + clear},
      {"import $D $S/nfrc_9223.json --kind film",
       "nfrc_9223.json: imported as id 2 (film, \"Solar Bronze 20 on clear\", 441 rows)\n"},
      {"import $D $S/CLEAR_6.DAT --kind=pvb --id 1",
       "CLEAR_6.DAT: imported as id 1 (pvb, " + clear},
      {"import $D $S/LOW-E_5.LOF --id 999999 --origin pyWinCalc",
       "LOW-E_5.LOF: imported as id 999999 (glass, \"Energy Advantage\u2122 Low-E\", 369 rows; 23 "
       "rows above 2500 nm left out)\n"},
      {"import $D $S/CLEAR_3.DAT --duplicate",  // the top is taken: the lowest unused id
       "CLEAR_3.DAT: imported as id 3 (glass, " + clear,
       "lamivex-db import: $S/CLEAR_3.DAT: id 1" + again},
      {"rename $D 1 Renamed --kind glass",
       "renamed id 1 (glass, \"Generic Clear Glass\", 111 rows) to \"Renamed\"\n"},
      {"rename $D 3 Renamed", "",
       "lamivex-db rename: $D: id 1 (glass) is named \"Renamed\" already; give --duplicate to use "
       "the name twice\n",
       2},
      // The good files go in; the bad ones are listed.
      {"import $D $T/none.csv $S/CLEAR_6.DAT $S/CLEAR_6.DAT --skip-bad",
       "CLEAR_6.DAT: imported as id 4 (glass, " + clear,
       "lamivex-db import: $T/none.csv: cannot be read: No such file or directory\n"
       "lamivex-db import: $S/CLEAR_6.DAT: given twice in this import (\"Generic Clear Glass\", "
       "the same 111 rows); give --duplicate to import it again\n"
       "lamivex-db import: 2 of 3 files refused (--skip-bad); 1 imported\n",
       2},
      {"delete $D 4", "deleted id 4 (glass, " + clear},
      {"delete $D 1 --kind=pvb", "deleted id 1 (pvb, " + clear},
      {"delete $D 2", "deleted id 2 (film, \"Solar Bronze 20 on clear\", 441 rows)\n"},
      {"list $D",
       "1\tglass\tRenamed\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\temissivity 0.84/0.84\n"
       "3\tglass\tGeneric Clear Glass\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\temissivity "
       "0.84/0.84\n999999\tglass\tEnergy Advantage\u2122 Low-E\t369 rows\t300-2500 nm\t4.7244 "
       "mm\tLOW-E_5.LOF\temissivity 0.157969/0.84\n"},
      // A database made before the emissivity table: import adds it.
      {"import $O $S/nfrc_9223.json", "nfrc_9223.json: imported as id 1000000 (glass, " +
                                          std::string("\"Solar Bronze 20 on clear\", 441 rows)\n")},
      {"list $O", "1000000\tglass\t\t441 rows\t300-2500 nm\t-\t-\temissivity 0.84/0.69\n"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.line);
    const testing::ToolResult result = session.Run(step.line);
    EXPECT_EQ(result.status, step.status);
    EXPECT_EQ(result.out, step.out);
    EXPECT_EQ(result.err, session.At(step.err));
  }
  SqliteConnection db(session.At("$D"), SqliteConnection::Mode::ReadOnly);
  Statement deleted = db.Prepare(
      "select group_concat(k) from (select family || id k from product_emissivity order by k)");
  ASSERT_TRUE(deleted.Step());
  EXPECT_EQ(deleted.Text(0), "glass1,glass3,glass999999");  // none of the deleted products
  // Each help as its reader sees it, also after other arguments: a change to a help's text
  // changes its digest (FNV-1a), to be updated here once the new text has been read.
  const std::pair<const char*, uint64_t> helps[] = {
      {"-h", 0x2e7e6ad7508ee1ad},    {"create", 0xcd412aca026f3a50}, {"import", 0x4748e8b64905b089},
      {"list", 0x47321792d85cac33},  {"check", 0xa259349ed82b3f0f},  {"delete", 0x8998bb9d05196aa4},
      {"rename", 0x66b4a4305cdc5c8c}};
  for (const auto& [command, digest] : helps) {
    const testing::ToolResult help = testing::Tool({command, "x", "--help"});
    uint64_t hash = 14695981039346656037u;
    for (const unsigned char c : help.out) hash = (hash ^ c) * 1099511628211u;
    EXPECT_EQ(std::pair(help.status, hash), std::pair(0, digest)) << help.out;
  }
}

// Tables with no key, so that any order and duplicates can be stored.
std::string Product(std::string family, int id, std::string name, std::string first = "300",
                    std::string last = "2500", std::string step = "5") {
  const std::string spectral = family == "glass" ? "spectral_energy" : "spectral_energy_" + family;
  return "create table if not exists " + family + " (id, name); create table if not exists " +
         spectral + " (glass_id, lamda, transmission_energy, reflection_energy_face1, " +
         "reflection_energy_face2); insert into " + family + " values (" + std::to_string(id) +
         ", '" + name + "'); with recursive g(l) as (select " + first + " union all select l + " +
         step + " from g where l < " + last + ") insert into " + spectral + " select " +
         std::to_string(id) + ", l, 80, 8, 8 from g;";
}

TEST(Check, EachProblemIsReportedAndTheStatusIsOne) {
  const testing::Session session;
  const std::string db = session.At("$D");
  testing::ExecuteSql(  // in one transaction, which is quicker
      db,
      "begin;" + Product("glass", 1, "good") + Product("glass", 2, "unsorted") +
          Product("film", 2, "duplicate") + Product("PVB", 3, "short", "305", "2400") +
          Product("PVB", 4, "dense", "300", "2500", "2.5") + Product("glass", 5, "values") +
          Product("glass", 6, "empty", "0", "0") + Product("glass", 1000001, "user id") +
          "update spectral_energy set lamda = 705 - lamda where glass_id = 2 and lamda in (350, "
          "355); update spectral_energy_film set lamda = 325 where lamda = 330;"
          "update spectral_energy set transmission_energy = 100.5 where glass_id = 5 and lamda "
          "= 310; update spectral_energy set reflection_energy_face2 = -1 where glass_id = 5 and "
          "lamda = 315; update spectral_energy set reflection_energy_face1 = 21 where glass_id "
          "= 5 and lamda = 320;"  // T + R1 = 101: noise at the edge of the tolerance
          "delete from spectral_energy where glass_id = 6; update spectral_energy set "
          "transmission_energy = null where glass_id = 1000001 and lamda = 500; commit;");
  const testing::ToolResult check = testing::Tool({"check", db});
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

TEST(BuiltCatalogue, SampleAndMeasuredProductsPassCheckAndKeepTheirOrigin) {
  const std::string catalogue =
      std::string(LAMIVEX_PROGRAM_DIR) + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
  const testing::ToolResult list = testing::Tool({"list", catalogue});
  for (const char* line :
       {"1001\tglass\tSAMPLE Clear 4 mm\t441 rows\t300-2500 nm\t4 mm\tsample_clear_4_mm.csv\t"
        "emissivity 0.837/0.837\n",
        "2001\tfilm\tSAMPLE Solar control film\t441 rows\t300-2500 nm\t0.05 mm\t"
        "sample_solar_control_film.csv\temissivity 0.04/-\n",
        "3002\tpvb\tSAMPLE PVB 0.76 mm\t441 rows\t300-2500 nm\t0.76 "
        "mm\tsample_pvb_0_76_mm.csv\t-\n",
        "1103\tglass\tEnergy Advantage\u2122 Low-E\t369 rows\t300-2500 nm\t4.7244 mm\tLOW-E_5.LOF\t"
        "emissivity 0.157969/0.84\n1104\tglass\tSolar Bronze 20 on clear\t441 rows\t300-2500 "
        "nm\t2.983 mm\tnfrc_9223.json\temissivity 0.84/0.69\n1105\tglass\tE366-3 (2) / 0.035 "
        "SGP / Clear-3\t441 rows\t300-2500 nm\t7.09 mm\tnfrc_18000.json\temissivity "
        "0.844601/0.844601\n"}) {
    EXPECT_NE(list.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(testing::Tool({"check", catalogue}).out, "12 products checked, no problems found\n");

  SqliteConnection db(catalogue, SqliteConnection::Mode::ReadOnly);
  Statement row = db.Prepare("select maker, origin from glass where id=1105");
  ASSERT_TRUE(row.Step());
  EXPECT_EQ(row.Text(0), "Cardinal Glass Industries");
  EXPECT_NE(row.Text(1).find("LBNL-ETA/WinCalc 65e615a test/products/nfrc_18000.json"),
            std::string::npos);
  Statement sample = db.Prepare("select origin from PVB where id=3001");
  ASSERT_TRUE(sample.Step());
  EXPECT_NE(sample.Text(0).find("not a measurement"), std::string::npos);
}

}  // namespace
}  // namespace lamivexdb
