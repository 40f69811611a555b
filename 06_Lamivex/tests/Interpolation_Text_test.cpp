#include <clocale>
#include <locale>
#include <string>

#include <gtest/gtest.h>

#include "Interpolation.h"

namespace lamivex {
namespace {

TEST(RunNumberText, GeneralFormWithLeadingZeroAndAPoint) {
  EXPECT_EQ(FormatRunNumber(300.0), "300");
  EXPECT_EQ(FormatRunNumber(2500.0), "2500");
  EXPECT_EQ(FormatRunNumber(0.000125), "0.000125");
  EXPECT_EQ(FormatRunNumber(0.0001), "0.0001");
  EXPECT_EQ(FormatRunNumber(0.0490385), "0.0490385");
  EXPECT_EQ(FormatRunNumber(0.5), "0.5");
  EXPECT_EQ(FormatRunNumber(-0.5), "-0.5");
  EXPECT_EQ(FormatRunNumber(0.0), "0");
  EXPECT_EQ(FormatRunNumber(-0.0), "0");
}

TEST(RunNumberText, FifteenSignificantDigits) {
  EXPECT_EQ(FormatRunNumber(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatRunNumber(200.0 / 3.0), "66.6666666666667");
  EXPECT_EQ(FormatRunNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatRunNumber(1000.0), "1000");
  EXPECT_EQ(FormatRunNumber(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatRunNumber(1e15), "1E+15");
  EXPECT_EQ(FormatRunNumber(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(FormatRunNumber(1e100), "1E+100");
  EXPECT_EQ(FormatRunNumber(5e-324), "4.94065645841247E-324");  // the shortest digits are 5E-324
}

TEST(RunNumberText, ExponentFormBelowOneTenThousandth) {
  EXPECT_EQ(FormatRunNumber(0.00000125), "1.25E-06");
  EXPECT_EQ(FormatRunNumber(0.00009999), "9.999E-05");
  EXPECT_EQ(FormatRunNumber(-0.00006), "-6E-05");
}

TEST(RunNumberText, NoCommaUnderADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "fr_FR.UTF-8 missing";
  const std::locale previousGlobal = std::locale::global(std::locale("fr_FR.UTF-8"));
  const std::string half = FormatRunNumber(0.5);
  const std::string line = SpectrumLine(302.5, 0.000125, 88.25, 7.5, 1.25e-6);
  std::locale::global(previousGlobal);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(half, "0.5");
  EXPECT_EQ(line.find(','), std::string::npos) << line;
}

TEST(PrintZones, FieldsStartAtZoneStartsWithAtLeastOneBlank) {
  EXPECT_EQ(PrintZones({"300", "0.000125"}), "300           0.000125");
  // 13 characters end one column before the next zone: one blank is enough.
  EXPECT_EQ(PrintZones({"Reflection(1)", "x"}), "Reflection(1) x");
  // 14 characters fill the zone: the next field moves one zone further.
  EXPECT_EQ(PrintZones({"12345678901234", "x"}),
            std::string("12345678901234") + std::string(14, ' ') + "x");
  EXPECT_EQ(PrintZones({"a", "b", "c"}), "a             b             c");
}

TEST(SpectrumFileLines, HeaderAndDataLine) {
  LamivexRun run;
  EXPECT_EQ(EnergySpectrumHeader(run),
            "Lamda         SLamda        Trasmission   Reflection(1) Reflection(2) "
            "*** INTERPOLATION - 0 Vitrage ***");
  EXPECT_EQ(LightSpectrumHeader(run),
            "Lamda         DLamda        Trasmission   Reflection(1) Reflection(2) "
            "*** INTERPOLATION - 0 Vitrage ***");
  EXPECT_EQ(SpectrumLine(385, 0.00000125, 88.5, 7.25, 0),
            "385           1.25E-06      88.5          7.25          0");
}

}  // namespace
}  // namespace lamivex
