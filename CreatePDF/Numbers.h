// Numbers as the writer writes them: never through the process locale, always with a
// period as decimal separator.
#pragma once

#include <cstdint>
#include <string>

namespace createpdf {

// The general number form of page sizes and link rectangles: at most 15 significant
// digits, no exponent, no trailing zeros, no decimal point for whole numbers
// (595.28, 841.89, 612).
std::string FormatGeneralNumber(double number);

// PDFFormatNumber's result, always built from the number's shortest decimal digits
// (PDFFormatNumber takes a quicker way to the same text for most numbers).
std::string FormatFixedFromShortestDigits(double number, int decimals);

// The nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double RoundHalfEven(double number);

// RoundHalfEven, limited to the 16-bit range (a value that is not a number gives 0).
int16_t ToInt16HalfEven(double number);

}  // namespace createpdf
