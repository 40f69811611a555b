#include "DecimalText.h"

#include <gtest/gtest.h>

#include <clocale>

namespace lamivexdb {
namespace {

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
