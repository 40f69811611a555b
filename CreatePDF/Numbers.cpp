// Number texts: PDFFormatNumber (fixed decimals) and the general form, both built from
// the digits std::to_chars gives, which never depend on the locale.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <stdexcept>

#include "CreatePDF.h"
#include "Numbers.h"

namespace createpdf {
namespace {

// A finite number as sign, significant digits and the count of digits before the point:
// value = 0.digits × 10^pointPosition.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int pointPosition = 0;
};

// With precision < 0, the shortest digits that read back as the same double.
DecimalDigits ToDecimalDigits(double number, int precision) {
  char buffer[64];
  const auto result = precision < 0 ? std::to_chars(buffer, buffer + sizeof buffer, number,
                                                    std::chars_format::scientific)
                                    : std::to_chars(buffer, buffer + sizeof buffer, number,
                                                    std::chars_format::scientific, precision);
  const std::string text(buffer, result.ptr);  // such as "-1.2345e+02"
  DecimalDigits decimal;
  std::size_t pos = 0;
  if (text[pos] == '-') decimal.negative = true, ++pos;
  const std::size_t exponentAt = text.find('e');
  for (; pos < exponentAt; ++pos) {
    if (text[pos] != '.') decimal.digits += text[pos];
  }
  decimal.pointPosition = 1 + std::stoi(text.substr(exponentAt + 1));
  return decimal;
}

bool AllZeros(const std::string& digits) {
  return digits.find_first_not_of('0') == std::string::npos;
}

// Adds one unit in the last place of a string of decimal digits.
void IncrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

void RequireFinite(double number) {
  if (!std::isfinite(number)) {
    throw std::invalid_argument("CreatePDF: a number to write is not finite");
  }
}

// PDFFormatNumber's rounding without building the shortest digits, for the common case.
// The shortest decimal form s of a number x lies within half a unit in the last place of
// x, so s × 10^decimals and the computed x × 10^decimals differ by less than two units in
// the last place of the latter. When that product is farther than this from a halfway
// point, rounding s and rounding the product give the same whole number of units; the
// few numbers close to a halfway point (2.675, 0.125) take the exact way.
bool FormatFixedQuickly(double number, int decimals, std::string& text) {
  static constexpr double kPowersOfTen[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  if (decimals >= static_cast<int>(std::size(kPowersOfTen))) return false;
  const double scaled = std::fabs(number) * kPowersOfTen[decimals];
  if (!(scaled < 1e15)) return false;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact
  const double guard = 8 * std::numeric_limits<double>::epsilon() * std::max(scaled, 1.0);
  if (std::fabs(fraction - 0.5) <= guard) return false;
  const auto units = static_cast<uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, units).ptr;
  std::size_t count = static_cast<std::size_t>(end - digits);
  const auto needed = static_cast<std::size_t>(decimals) + 1;  // a digit before the point
  text.clear();
  if (number < 0 && units != 0) text += '-';
  if (count < needed) text.append(needed - count, '0');
  text.append(digits, count);
  if (decimals > 0) text.insert(text.size() - static_cast<std::size_t>(decimals), 1, '.');
  return true;
}

}  // namespace

std::string FormatGeneralNumber(double number) {
  RequireFinite(number);
  DecimalDigits decimal = ToDecimalDigits(number, 14);  // 15 significant digits
  const std::size_t lastDigit = decimal.digits.find_last_not_of('0');
  if (lastDigit == std::string::npos) return "0";
  decimal.digits.erase(lastDigit + 1);
  const int count = static_cast<int>(decimal.digits.size());
  const int point = decimal.pointPosition;
  std::string text = decimal.negative ? "-" : "";
  if (point <= 0) {
    text += "0." + std::string(-point, '0') + decimal.digits;
  } else if (point >= count) {
    text += decimal.digits + std::string(point - count, '0');
  } else {
    text += decimal.digits.substr(0, point) + "." + decimal.digits.substr(point);
  }
  return text;
}

double RoundHalfEven(double number) {
  return std::nearbyint(number);
}

int16_t ToInt16HalfEven(double number) {
  if (std::isnan(number)) return 0;
  const double rounded = RoundHalfEven(number);
  if (rounded < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
  if (rounded > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(rounded);
}

}  // namespace createpdf

// The pattern "###0." followed by `decimals` zeros: at least one digit before the point,
// rounded half away from zero on the number's shortest decimal form (so 0.125 gives 0.13
// and 2.675 gives 2.68, as a reader of the value expects). A result of zero has no sign.
std::string CreatePDF::PDFFormatNumber(double number, int decimals) {
  using namespace createpdf;
  RequireFinite(number);
  if (decimals < 0) decimals = 0;
  std::string quick;
  if (FormatFixedQuickly(number, decimals, quick)) return quick;
  return FormatFixedFromShortestDigits(number, decimals);
}

std::string createpdf::FormatFixedFromShortestDigits(double number, int decimals) {
  RequireFinite(number);
  if (decimals < 0) decimals = 0;
  const DecimalDigits decimal = ToDecimalDigits(number, -1);
  const int point = decimal.pointPosition;
  const int count = static_cast<int>(decimal.digits.size());
  std::string whole, fraction;
  if (point <= 0) {
    whole = "0";
    fraction = std::string(-point, '0') + decimal.digits;
  } else if (point >= count) {
    whole = decimal.digits + std::string(point - count, '0');
  } else {
    whole = decimal.digits.substr(0, point);
    fraction = decimal.digits.substr(point);
  }
  const bool roundUp = static_cast<int>(fraction.size()) > decimals && fraction[decimals] >= '5';
  fraction.resize(decimals, '0');
  std::string digits = whole + fraction;
  if (roundUp) IncrementDigits(digits);
  const std::size_t wholeLength = digits.size() - decimals;
  std::string text = (decimal.negative && !AllZeros(digits)) ? "-" : "";
  text += digits.substr(0, wholeLength);
  if (decimals > 0) text += "." + digits.substr(wholeLength);
  return text;
}
