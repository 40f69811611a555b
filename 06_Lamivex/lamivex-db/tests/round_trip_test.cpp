#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "DecimalText.h"
#include "JobWriter.h"
#include "ProductReaders.h"

namespace lamivexdb {
namespace {

using testing::Shell;

// A spectrophotometer export every 1 nm from 2500 nm down to 300 nm, drawn linearly
// through the rows of a product file.
std::string OneNanometreExport(const std::string& file) {
  const std::vector<SpectrumRow> rows = ReadProductFile(file).rows;
  std::ostringstream text;
  text.precision(12);
  std::size_t i = rows.size() - 1;
  for (int lambda = 2500; lambda >= 300; --lambda) {
    while (rows[i].lambda > lambda) --i;
    const SpectrumRow& a = rows[i];
    const SpectrumRow& b = rows[std::min(i + 1, rows.size() - 1)];
    const double f = b.lambda == a.lambda ? 0 : (lambda - a.lambda) / (b.lambda - a.lambda);
    text << lambda << ',' << a.t + (b.t - a.t) * f << ',' << a.r1 + (b.r1 - a.r1) * f << ','
         << a.r2 + (b.r2 - a.r2) * f << '\n';
  }
  return text.str();
}

// Every number of a file, whatever separates them.
std::vector<double> Numbers(std::string text) {
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream words(text);
  std::vector<double> numbers;
  for (std::string word; words >> word;) {
    if (const auto number = ParseDecimal(word)) numbers.push_back(*number);
  }
  return numbers;
}

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
  testing::WriteAll(session.At("$T/low-e 1 nm.csv"),
                    OneNanometreExport(session.At("$S/LOW-E_5.LOF")));
  ASSERT_EQ(Shell(tool + "import '" + user + "' " +
                  session.At("'$S/CLEAR_3.DAT' '$T/clear3.csv' '$S/CLEAR_3.json' "
                             "'$S/LOW-E_5.LOF' '$T/low-e 1 nm.csv'") +
                  output),
            0);
  EXPECT_EQ(testing::ReadAll(session.At("$T/out")),
            "CLEAR_3.DAT: imported as id 1000000 (glass, \"Generic Clear Glass\", 111 rows)\n"
            "clear3.csv: imported as id 1000001 (glass, \"clear3\", 111 rows)\n"
            "CLEAR_3.json: imported as id 1000002 (glass, \"Generic Clear Glass\", 111 rows)\n"
            "LOW-E_5.LOF: imported as id 1000003 (glass, \"Energy Advantage\u2122 Low-E\", 369 "
            "rows; 23 rows above 2500 nm left out)\n"
            "low-e 1 nm.csv: imported as id 1000004 (glass, \"low-e 1 nm\", 441 rows; rows in "
            "descending order reversed; 2201 rows resampled to 441)\n");
  EXPECT_EQ(testing::ReadAll(session.At("$T/err")), "");

  std::string spectrum[5], summary[5];
  for (int i = 0; i < 5; ++i) {
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
  // The 1-nm export runs like the file it was drawn from, at every grid point.
  for (const auto& [dense, measured] : {std::pair{Numbers(spectrum[4]), Numbers(spectrum[3])},
                                        {Numbers(summary[4]), Numbers(summary[3])}}) {
    ASSERT_EQ(dense.size(), measured.size());
    for (std::size_t k = 0; k < dense.size(); ++k) EXPECT_NEAR(dense[k], measured[k], 0.1) << k;
  }
  // Te 84, Tl 90, Rl 8: the IGDB's own figures for this glass, under another
  // weighting, are Te 83.4, Re 7.5, Tl 89.9, Rl 8.3.
  EXPECT_EQ(summary[0],
            "\"Caract\xe9ristiques de l'\xe9l\xe9ment sortant\",84,8,8,84,8,8,84,90,8,2,8,2\r\n");
}

}  // namespace
}  // namespace lamivexdb
