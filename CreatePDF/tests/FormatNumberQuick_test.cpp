// PDFFormatNumber's quick way must give the text of the exact way for every number.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "CreatePDF.h"
#include "Numbers.h"

namespace {

void ExpectSameText(double number, int decimals) {
  ASSERT_EQ(CreatePDF::PDFFormatNumber(number, decimals),
            createpdf::FormatFixedFromShortestDigits(number, decimals))
      << "number " << number << " with " << decimals << " decimals";
}

TEST(FormatNumberQuick, HalfwayAndNearHalfwayNumbersRoundAsTheirShortestDigits) {
  for (double number : {0.125,
                        2.675,
                        1.005,
                        0.005,
                        0.015,
                        1.115,
                        8.345,
                        -2.675,
                        -0.125,
                        0.5,
                        1.5,
                        2.5,
                        841.89 - 3 * 28.346456692913385,
                        12.5,
                        -0.004999,
                        1e-300,
                        -0.0,
                        999999.995,
                        0.0049999999999999999,
                        5e14 + 0.5,
                        9.999999e14}) {
    for (int decimals = 0; decimals <= 8; ++decimals) ExpectSameText(number, decimals);
  }
  // Every decimal with one digit more than written, halfway ones included.
  for (int k = -20000; k <= 20000; ++k) {
    ExpectSameText(k / 1000.0, 2);
    ExpectSameText(k / 10000.0, 3);
    ExpectSameText(k / 1000000.0, 5);
  }
}

TEST(FormatNumberQuick, RandomNumbersOfEveryMagnitude) {
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> magnitude(-8, 16);
  for (int i = 0; i < 100000; ++i) {
    const double number = unit(random) * std::pow(10.0, magnitude(random));
    ExpectSameText(number, i % 6);
    // Page coordinates: whole points and tenths times the centimetre and millimetre scales.
    ExpectSameText((i % 3000) / 10.0 * 28.346456692913385, 2);
    ExpectSameText(841.89 - (i % 3000) / 10.0 * 2.834645669291339, 2);
  }
}

}  // namespace
