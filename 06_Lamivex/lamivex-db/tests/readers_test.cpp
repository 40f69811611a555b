// The three formats, read from the published measured files and from small
// hand-made columns files.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "ProductReaders.h"

namespace lamivexdb {
namespace {

using testing::SpectrumFile;

void ExpectRow(const SpectrumRow& row, double lambda, double t, double r1, double r2) {
  EXPECT_EQ(row.lambda, lambda);
  EXPECT_EQ(row.t, t);
  EXPECT_EQ(row.r1, r1);
  EXPECT_EQ(row.r2, r2);
}

TEST(OpticsFiles, MicrometresAndFractionsBecomeNanometresAndPercent) {
  const ProductSpectrum clear = ReadProductFile(SpectrumFile("CLEAR_3.DAT"));
  EXPECT_EQ(clear.format, "optics");
  EXPECT_EQ(clear.name, "Generic Clear Glass");
  EXPECT_EQ(clear.maker, "Generic");
  EXPECT_EQ(clear.thicknessMm, 3.048);
  EXPECT_EQ(clear.sourceFile, "CLEAR_3.DAT");
  ASSERT_EQ(clear.rows.size(), 111u);
  ExpectRow(clear.rows[0], 300.0, 0.2, 4.7, 4.8);  // "0.300 0.0020 0.0470 0.0480"
  EXPECT_EQ(clear.rows[0].where, "line 23");
  EXPECT_EQ(clear.rows.back().lambda, 2500.0);
  EXPECT_EQ(clear.rowsAboveGridLeftOut, 0);
}

TEST(OpticsFiles, ThermalInfraredRowsAreLeftOutAndWindows1252NamesBecomeUtf8) {
  const ProductSpectrum lowE = ReadProductFile(SpectrumFile("LOW-E_5.LOF"));
  EXPECT_EQ(lowE.name, "Energy Advantage\u2122 Low-E");
  EXPECT_EQ(lowE.maker, "Pilkington North America");
  EXPECT_EQ(lowE.rows.size(), 369u);
  EXPECT_EQ(lowE.rowsAboveGridLeftOut, 392 - 369);
  EXPECT_EQ(lowE.rows.back().lambda, 2500.0);
}

TEST(OpticsFiles, DirectAndDiffuseColumnsStoreTheTotal) {
  const ProductSpectrum hazy =
      ReadProductFile(SpectrumFile("ILC2019_1_LaminateDiffuseInterlayer.txt"));
  EXPECT_EQ(hazy.name, "ILC2019_1 Diffuse Interlayer");
  EXPECT_EQ(hazy.thicknessMm, 10.3);
  ASSERT_EQ(hazy.rows.size(), 441u);
  // 300.000  0.0000 0.0057 | 0.0001 0.0027 | 0.0426 0.0092 | 0.0421 0.0082
  ExpectRow(hazy.rows[0], 300.0, 0.57, 5.18, 5.03);
}

TEST(OpticsFiles, ValuesAboveOneAreRefusedNamingTheLine) {
  try {
    ReadProductFile(SpectrumFile("OpticsNanometers.txt"));
    FAIL() << "a reflectance of 1.327 was accepted";
  } catch (const ImportError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("OpticsNanometers.txt:15: R1 132.7 % at 305 nm is outside 0 to 100 %"),
              std::string::npos)
        << message;
  }
}

TEST(IgsdbJsonFiles, SameMeasurementAsTheOpticsFile) {
  const ProductSpectrum json = ReadProductFile(SpectrumFile("CLEAR_3.json"));
  const ProductSpectrum optics = ReadProductFile(SpectrumFile("CLEAR_3.DAT"));
  EXPECT_EQ(json.format, "igsdb-json");
  EXPECT_EQ(json.name, "Generic Clear Glass");
  ASSERT_EQ(json.rows.size(), optics.rows.size());
  for (std::size_t i = 0; i < json.rows.size(); ++i) {
    EXPECT_EQ(json.rows[i].lambda, optics.rows[i].lambda);
    EXPECT_NEAR(json.rows[i].t, optics.rows[i].t, 1e-5);  // stored as float32 fractions
    EXPECT_NEAR(json.rows[i].r1, optics.rows[i].r1, 1e-5);
    EXPECT_NEAR(json.rows[i].r2, optics.rows[i].r2, 1e-5);
  }
  EXPECT_EQ(json.rows[1].where, "spectral_data.spectral_data[1]");
}

TEST(IgsdbJsonFiles, FrontAndBackReflectanceByKeyAndRowsAbove2500Left) {
  const ProductSpectrum bronze = ReadProductFile(SpectrumFile("nfrc_9223.json"));
  EXPECT_EQ(bronze.maker, "Hanita Coatings");
  EXPECT_NEAR(*bronze.thicknessMm, 2.983, 1e-6);
  ASSERT_EQ(bronze.rows.size(), 441u);
  // {"T":0.000199999994947575,"Rb":0.0850000008940697,"Rf":0.068400003015995,"wavelength":0.3}
  EXPECT_EQ(bronze.rows[0].lambda, 300.0);
  EXPECT_EQ(bronze.rows[0].t, 0.0199999994947575);
  EXPECT_EQ(bronze.rows[0].r1, 6.8400003015995);
  EXPECT_EQ(bronze.rows[0].r2, 8.50000008940697);

  const ProductSpectrum laminate = ReadProductFile(SpectrumFile("nfrc_18000.json"));
  EXPECT_EQ(laminate.maker, "Cardinal Glass Industries");
  EXPECT_EQ(laminate.rows.size(), 441u);
  EXPECT_EQ(laminate.rowsAboveGridLeftOut, 21);
}

TEST(ColumnsFiles, HeaderSeparatorsAndNameFromTheFile) {
  testing::ScratchFolder folder;
  const std::string csv = folder / "my glass.json";  // the content decides, not the name
  testing::WriteAll(csv, "Wavelength (nm);T;R1;R2\r\n" + std::string("# measured 2024\r\n") +
                             "300;0.2;4.7;4.8\r\n\r\n305 ; 1 ; 4.7;4.8\r\n2500\t80\t5\t6\r\n");
  const ProductSpectrum product = ReadProductFile(csv);
  EXPECT_EQ(product.format, "columns");
  EXPECT_EQ(product.name, "my glass");
  EXPECT_FALSE(product.thicknessMm);
  EXPECT_EQ(product.sourceFile, "my glass.json");
  ASSERT_EQ(product.rows.size(), 3u);
  ExpectRow(product.rows[1], 305.0, 1.0, 4.7, 4.8);
  EXPECT_EQ(product.rows[2].where, "line 6");
  EXPECT_TRUE(product.warnings.empty());
}

TEST(ColumnsFiles, SemicolonsWithDecimalCommas) {
  testing::ScratchFolder folder;
  const std::string csv = folder / "virgules.csv";
  testing::WriteAll(csv, "Longueur d'onde;T;R1;R2\r\n# thickness: 4,0\r\n300;0,2;4,7;4,8\r\n" +
                             std::string("305 ; 1 ; 4,7;4,8;\r\n2500;80;5;6\r\n"));
  const ProductSpectrum product = ReadProductFile(csv);
  ASSERT_EQ(product.rows.size(), 3u);
  ExpectRow(product.rows[0], 300.0, 0.2, 4.7, 4.8);
  ExpectRow(product.rows[1], 305.0, 1.0, 4.7, 4.8);
  EXPECT_EQ(product.thicknessMm, 4.0);
}

TEST(ColumnsFiles, CommentLinesDescribeTheProduct) {
  testing::ScratchFolder folder;
  const std::string csv = folder / "p.csv";
  testing::WriteAll(csv, "# name: Clear 4 mm (Caf\xc3\xa9)\n# maker: Acme\n# thickness: 4.0\n" +
                             testing::FlatColumns(300, 2500, 5, 80, 8, 8));
  const ProductSpectrum product = ReadProductFile(csv);
  EXPECT_EQ(product.name, "Clear 4 mm (Caf\xc3\xa9)");
  EXPECT_EQ(product.maker, "Acme");
  EXPECT_EQ(product.thicknessMm, 4.0);
}

TEST(ColumnsFiles, FractionsAreMultipliedBy100OnlyWhenAskedFor) {
  testing::ScratchFolder folder;
  const std::string csv = folder / "fractions.csv";
  testing::WriteAll(csv, testing::FlatColumns(300, 2500, 5, 0.8, 0.047, 0.08));
  const ProductSpectrum product = ReadProductFile(csv, ColumnValues::Fractions);
  ExpectRow(product.rows[0], 300.0, 80.0, 4.7, 8.0);
}

}  // namespace
}  // namespace lamivexdb
