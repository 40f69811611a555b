// create, import, list, check, rename and delete as a user goes through them: ids
// of each range, the next free id, --duplicate, measuring noise, the descriptions kept.
#include <gtest/gtest.h>

#include "DbTestSupport.h"

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
      {"delete $D 1 --kind=pvb", "deleted id 1 (pvb, " + clear},
      {"delete $D 2", "deleted id 2 (film, \"Solar Bronze 20 on clear\", 441 rows)\n"},
      {"list $D",
       "1\tglass\tRenamed\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\n"
       "3\tglass\tGeneric Clear Glass\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\n"
       "999999\tglass\tEnergy Advantage\u2122 Low-E\t369 rows\t300-2500 nm\t4.7244 "
       "mm\tLOW-E_5.LOF\n"},
      {"import $O $S/CLEAR_3.json", "CLEAR_3.json: imported as id 1000000 (glass, " + clear},
      {"list $O", "1000000\tglass\t\t111 rows\t300-2500 nm\t-\t-\n"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.line);
    const testing::ToolResult result = session.Run(step.line);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, step.out);
    EXPECT_EQ(result.err, session.At(step.err));
  }
  for (const std::string command : {"create", "import", "list", "check", "delete", "rename"}) {
    EXPECT_TRUE(
        testing::Tool({command, "x", "--help"}).out.starts_with("Usage: lamivex-db " + command));
  }
  EXPECT_TRUE(testing::Tool({"-h"}).out.starts_with("Usage: lamivex-db COMMAND"));
  EXPECT_TRUE(testing::Tool({"--version"}).out.starts_with("lamivex-db "));
}

}  // namespace
}  // namespace lamivexdb
