// Numbers read from product files. Conversions to nm and percent shift the
// decimal exponent of the text itself, so that "0.300" µm becomes exactly
// 300 nm and "0.0470" becomes exactly 4.7 %, never 4.700000000000001.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lamivexdb {

// The whole text as a decimal number (optional sign, digits with an optional
// point, optional E exponent); nothing else is allowed. Never follows the locale.
std::optional<double> ParseDecimal(std::string_view text);

// Same, multiplied by 10^power10 through the exponent.
std::optional<double> ParseScaledDecimal(std::string_view text, int power10);

// The shortest text that reads back as the same double ("4.7", "0.0020000000949949").
std::string ShortestText(double value);

// A sum of converted values, brought back to the nearest decimal of 9 places, so
// that 4.26 + 0.92 gives 5.18 and not 5.180000000000001.
double RoundedSum(double a, double b);

}  // namespace lamivexdb
