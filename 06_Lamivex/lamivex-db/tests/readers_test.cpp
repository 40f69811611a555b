#include <gtest/gtest.h>

#include <clocale>
#include <tuple>

#include "DbTestSupport.h"
#include "DecimalText.h"
#include "ProductReaders.h"

namespace lamivexdb {
namespace {

// Reads a shared spectrum, or `content` as `file`; the row at `probe` as in the file's text.
void ExpectRead(const std::string& file, const std::string& content, const std::string& format,
                const std::string& name, const std::string& maker,
                std::optional<double> thicknessMm, std::size_t rows, int leftOut, std::size_t probe,
                const SpectrumRow& expected, ColumnValues values = ColumnValues::Percent) {
  SCOPED_TRACE(file);
  const testing::Session session;
  std::string path = session.At("$S/" + file);
  if (!content.empty()) testing::WriteAll(path = session.At("$T/" + file), content);
  const ProductSpectrum product = ReadProductFile(path, values);
  EXPECT_EQ(std::tie(product.format, product.name, product.maker), std::tie(format, name, maker));
  EXPECT_EQ(product.thicknessMm, thicknessMm);
  EXPECT_EQ(product.sourceFile, file);
  EXPECT_EQ(product.rowsAboveGridLeftOut, leftOut);  // rows above 2500 nm
  EXPECT_TRUE(product.warnings.empty());
  ASSERT_EQ(product.rows.size(), rows);
  const SpectrumRow& row = product.rows[probe];
  EXPECT_EQ(std::tie(row.lambda, row.t, row.r1, row.r2, row.where),
            std::tie(expected.lambda, expected.t, expected.r1, expected.r2, expected.where));
}

// Every 2 nm, T 50 % at multiples of 4 nm and 51 % between: 305 nm lies halfway.
std::string TwoNanometreRows() {
  std::ostringstream text;
  for (int lambda = 300; lambda <= 2500; lambda += 2) {
    text << lambda << ',' << (lambda % 4 == 0 ? 50 : 51) << ",8,8\n";
  }
  return text.str();
}

TEST(Readers, EachFormatInNanometresAndPercent) {
  ExpectRead("CLEAR_3.DAT", "", "optics", "Generic Clear Glass", "Generic", 3.048, 111, 0, 110,
             {2500, 82.2, 6.8, 6.8, "line 133"});  // 2.500 0.8220 0.0680 0.0680
  ExpectRead("LOW-E_5.LOF", "", "optics", "Energy Advantage\u2122 Low-E",
             "Pilkington North America", 4.7244, 369, 23, 368,
             {2500, 6.2, 63, 39, "line 391"});  // a Windows-1252 name
  ExpectRead("ILC2019_1_LaminateDiffuseInterlayer.txt", "", "optics",
             "ILC2019_1 Diffuse Interlayer", "Generic", 10.3, 441, 0, 0,
             {300, 0.57, 5.18, 5.03, "line 13"});  // direct plus diffuse
  ExpectRead("CLEAR_3.json", "", "igsdb-json", "Generic Clear Glass", "Generic", 3.04800009727478,
             111, 0, 1,
             {305, 0.300000002607703, 4.69999983906746, 4.80000004172325,
              "spectral_data.spectral_data[1]"});
  ExpectRead(
      "my glass.json",  // the content decides, not the name
      "Wavelength (nm);T;R1;R2\r\n# measured 2024\r\n300;0.2;4.7;4.8\r\n\r\n305 ; 1 ; 4.7;4.8\r\n"
      "2500\t80\t5\t6\r\n",
      "columns", "my glass", "", std::nullopt, 3, 0, 1, {305, 1, 4.7, 4.8, "line 5"});
  ExpectRead(
      "virgules.csv",
      "Longueur d'onde;T;R1;R2\r\n# thickness: 4,0\r\n300;0,2;4,7;4,8\r\n305 ; 1 ; 4,7;4,8;\r\n"
      "2500;80;5;6\r\n",
      "columns", "virgules", "", 4.0, 3, 0, 1, {305, 1, 4.7, 4.8, "line 4"});
  ExpectRead("p.csv",
             "# name: Clear 4 mm (Caf\xc3\xa9)\n# maker: Acme\n# thickness: 4.0\n" +
                 testing::FlatColumns(300, 2600, 5, 80, 8, 7),
             "columns", "Clear 4 mm (Caf\xc3\xa9)", "Acme", 4.0, 441, 20, 0,
             {300, 80, 8, 7, "line 5"});
  ExpectRead("fractions.csv", testing::FlatColumns(300, 2500, 5, 0.8, 0.047, 0.08), "columns",
             "fractions", "", std::nullopt, 441, 0, 0,
             {300, 80, 4.7, 8, "line 2"},  // not 4.7000000001
             ColumnValues::Fractions);
  ExpectRead("dense.csv", TwoNanometreRows(), "columns", "dense", "", std::nullopt, 441, 0, 1,
             {305, 50.5, 8, 8, "line 3"});  // resampled between 304 (line 3) and 306 nm
}

TEST(DecimalText, ScalesThroughTheExponentExactlyAndTakesOnlyPlainNumbers) {
  EXPECT_EQ(ParseScaledDecimal("0.0470", 2), 4.7);
  EXPECT_EQ(ParseScaledDecimal("0.305", 3), 305.0);  // 0.305 * 1000 gives 305.00000000000006
  EXPECT_EQ(ParseScaledDecimal("4.657817E-02", 2), 4.657817);
  EXPECT_EQ(ParseScaledDecimal("9.99999974737875e-05", 2), 9.99999974737875e-03);
  EXPECT_EQ(ParseScaledDecimal("-0.5", 2), -50.0);
  EXPECT_EQ(ParseScaledDecimal("+.5e+1", 0), 5);
  EXPECT_EQ(ParseDecimal("0489"), 489);
  for (const char* text : {"", "-", ".", "1,5", "abc", "1e", "1e+", "0x10", "inf", "nan", "1.2.3",
                           " 1", "1 ", "1e99999"}) {
    EXPECT_FALSE(ParseDecimal(text)) << text;
  }
  EXPECT_EQ(RoundedSum(4.26, 0.92), 5.18);
  EXPECT_EQ(ShortestText(0.0020000000949949), "0.0020000000949949");
}

TEST(DecimalText, IgnoresADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "fr_FR.UTF-8")) GTEST_SKIP() << "no fr_FR.UTF-8 locale";
  EXPECT_EQ(ParseScaledDecimal("0.0470", 2), 4.7);
  EXPECT_EQ(ShortestText(4.7), "4.7");
  std::setlocale(LC_ALL, previous.c_str());
}

}  // namespace
}  // namespace lamivexdb
