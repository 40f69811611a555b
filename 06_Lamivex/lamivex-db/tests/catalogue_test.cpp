// The suite catalogue the build makes from data/catalogue/catalogue.txt.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "SqliteConnection.h"

namespace lamivexdb {
namespace {

TEST(BuiltCatalogue, SampleAndMeasuredProductsPassCheckAndKeepTheirOrigin) {
  const std::string catalogue =
      std::string(LAMIVEX_PROGRAM_DIR) + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
  const testing::ToolResult list = testing::Tool({"list", catalogue});
  for (const char* line :
       {"2001\tfilm\tSAMPLE Solar control film\t441 rows\t300-2500 nm\t0.05 mm\t"
        "sample_solar_control_film.csv\n",
        "1101\tglass\tGeneric Clear Glass\t111 rows\t300-2500 nm\t3.048 mm\tCLEAR_3.DAT\n"
        "1102\tglass\tGeneric Clear Glass\t111 rows\t300-2500 nm\t5.715 mm\tCLEAR_6.DAT\n"
        "1103\tglass\tEnergy Advantage\u2122 Low-E\t369 rows\t300-2500 nm\t4.7244 mm\tLOW-E_5.LOF\n"
        "1104\tglass\tSolar Bronze 20 on clear\t441 rows\t300-2500 nm\t2.983 mm\tnfrc_9223.json\n"
        "1105\tglass\tE366-3 (2) / 0.035 SGP / Clear-3\t441 rows\t300-2500 nm\t7.09 "
        "mm\tnfrc_18000.json\n"}) {
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
