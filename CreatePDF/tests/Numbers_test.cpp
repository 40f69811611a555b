// Number texts: fixed decimals, the general form and half-to-even rounding, in the "C"
// locale and in a decimal-comma locale.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "Numbers.h"
#include "PdfTestSupport.h"

namespace {

struct FixedCase {
  double number;
  int decimals;
  const char* text;
};

const FixedCase kFixedCases[] = {
    {12.5, 2, "12.50"},
    {-3, 2, "-3.00"},
    {85.03937007874016, 2, "85.04"},
    {756.8503937007874, 2, "756.85"},
    {0.125, 2, "0.13"},
    {2.675, 2, "2.68"},  // halves away from zero, as read
    {-2.675, 2, "-2.68"},
    {0.03, 2, "0.03"},
    {1.5, 2, "1.50"},
    {-0.001, 2, "0.00"},  // no "-0.00"
    {0, 2, "0.00"},
    {999.995, 2, "1000.00"},
    {0.5, 0, "1"},
    {-2.5, 0, "-3"},
    {1234567.891, 3, "1234567.891"},
    {1e-7, 2, "0.00"},
    {0.00051, 3, "0.001"},
    {6.123e-17, 5, "0.00000"},
    {0.70711, 5, "0.70711"},
    {123456789012.345, 2, "123456789012.35"},
    {1e16, 2, "10000000000000000.00"},
};

struct GeneralCase {
  double number;
  const char* text;
};

const GeneralCase kGeneralCases[] = {
    {595.28, "595.28"},
    {841.89, "841.89"},
    {612, "612"},
    {1190.55, "1190.55"},
    {0.1 + 0.2, "0.3"},
    {-12.5, "-12.5"},
    {0, "0"},
    {-0.0, "0"},
    {1e20, "100000000000000000000"},
    {1.5e-7, "0.00000015"},
    {123456789.123456789, "123456789.123457"},
    {85.03937007874016, "85.0393700787402"},
};

void ExpectAllCases() {
  for (const FixedCase& c : kFixedCases) {
    EXPECT_EQ(CreatePDF::PDFFormatNumber(c.number, c.decimals), c.text)
        << c.number << " with " << c.decimals << " decimals";
  }
  for (const GeneralCase& c : kGeneralCases) {
    EXPECT_EQ(createpdf::FormatGeneralNumber(c.number), c.text) << c.number;
  }
}

TEST(Numbers, FixedDecimalsAndGeneralForm) {
  ExpectAllCases();
}

TEST(Numbers, SameTextsUnderADecimalCommaLocale) {
  pdftest::FrenchLocale french;
  if (!french.active()) GTEST_SKIP() << "no fr_FR locale on this system";
  char printed[16];
  std::snprintf(printed, sizeof printed, "%.2f", 1.5);
  ASSERT_STREQ(printed, "1,50") << "the French locale is not in force";
  ExpectAllCases();
}

TEST(Numbers, NumbersThatAreNotFiniteAreRefused) {
  EXPECT_THROW(CreatePDF::PDFFormatNumber(std::nan("")), std::invalid_argument);
  EXPECT_THROW(CreatePDF::PDFFormatNumber(std::numeric_limits<double>::infinity()),
               std::invalid_argument);
  EXPECT_THROW(createpdf::FormatGeneralNumber(-std::numeric_limits<double>::infinity()),
               std::invalid_argument);
}

TEST(Numbers, WholeNumbersRoundHalvesToEven) {
  EXPECT_EQ(createpdf::RoundHalfEven(2.5), 2);
  EXPECT_EQ(createpdf::RoundHalfEven(3.5), 4);
  EXPECT_EQ(createpdf::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(createpdf::RoundHalfEven(2.51), 3);
  EXPECT_EQ(createpdf::ToInt16HalfEven(1e9), 32767);
  EXPECT_EQ(createpdf::ToInt16HalfEven(-1e9), -32768);
  EXPECT_EQ(createpdf::ToInt16HalfEven(std::nan("")), 0);
}

}  // namespace
