#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "JobWriter.h"
#include "ProductReaders.h"

namespace lamivexdb {
namespace {

using testing::Shell;

TEST(RoundTrip, ImportedProductRunsLikeTheSameSpectrumFromColumns) {
  const testing::Session session;
  const std::string program = session.At("$T/program");
  const std::string temp = session.At("$T/appdata/Solmerac/v5.2/Profile/Temp");
  const std::string user = temp + "/../Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";
  const std::string tool = "'" LAMIVEX_DB_EXECUTABLE "' ";
  const std::string output = " >'" + session.At("$T/out") + "' 2>'" + session.At("$T/err") + "'";
  // The Optics file's rows as columns in nm and percent, by ordinary arithmetic.
  ASSERT_EQ(Shell("awk '!/{/ && NF == 4 {printf \"%.10g,%.10g,%.10g,%.10g\\n\", $1 * 1000, $2 * "
                  "100, $3 * 100, $4 * 100}' '" +
                  session.At("$S/CLEAR_3.DAT' >'$T/clear3.csv'")),
            0);
  ASSERT_EQ(Shell(tool + "create '" + program + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db' " +
                  "--suite && mkdir -p '" + temp + "' && " + tool + "create '" + user + "' --user"),
            0);
  ASSERT_EQ(Shell(tool + "import '" + user + "' " +
                  session.At("'$S/CLEAR_3.DAT' '$T/clear3.csv' '$S/CLEAR_3.json'") + output),
            0);
  EXPECT_EQ(testing::ReadAll(session.At("$T/out")),
            "CLEAR_3.DAT: imported as id 1000000 (glass, \"Generic Clear Glass\", 111 rows)\n"
            "clear3.csv: imported as id 1000001 (glass, \"clear3\", 111 rows)\n"
            "CLEAR_3.json: imported as id 1000002 (glass, \"Generic Clear Glass\", 111 rows)\n");
  EXPECT_EQ(testing::ReadAll(session.At("$T/err")), "");

  std::string spectrum[3], summary[3];
  for (int i = 0; i < 3; ++i) {
    lamivex::JobDescription job;
    job.layers.push_back({1, 1000000 + i, 84, 84, false, "Round trip"});
    job.info.Language = "Anglais";
    lamivex::WriteJobFile(temp + "/input_Lamivex.in", job);
    ASSERT_EQ(Shell("AppData='" + session.At("$T/appdata") + "' LAMIVEX_PROGRAM_DIR='" + program +
                    "' '" LAMIVEX_EXECUTABLE "'" + output),
              0);
    spectrum[i] = testing::ReadAll(temp + "/Energy_1.out");
    summary[i] = testing::ReadAll(temp + "/Lamivex.out");
  }
  EXPECT_EQ(SplitLines(spectrum[0]).size(), 442u);  // header and 300..2500 nm every 5 nm
  EXPECT_EQ(spectrum[1], spectrum[0]);
  EXPECT_EQ(summary[1], summary[0]);
  EXPECT_EQ(summary[2], summary[0]);  // float32 copies of the same measurement
  // Te 84, Tl 90, Rl 8: the IGDB's own figures for this glass, under another
  // weighting, are Te 83.4, Re 7.5, Tl 89.9, Rl 8.3.
  EXPECT_EQ(summary[0],
            "\"Caract\xe9ristiques de l'\xe9l\xe9ment sortant\",84,8,8,84,8,8,84,90,8,2,8,2\r\n");
}

}  // namespace
}  // namespace lamivexdb
