#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lamivexdb {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Splits a decimal text into its mantissa and its exponent; false when the text
// is not a plain decimal number.
bool SplitDecimal(std::string_view text, std::string& mantissa, long& exponent) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  mantissa.assign(text.substr(text[0] == '+' ? 1 : 0, i - (text[0] == '+' ? 1 : 0)));
  exponent = 0;
  if (i == text.size()) return true;
  if (text[i] != 'e' && text[i] != 'E') return false;
  ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t expDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++expDigits) {
    if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
  }
  if (expDigits == 0 || i != text.size()) return false;
  if (negative) exponent = -exponent;
  return true;
}

}  // namespace

std::optional<double> ParseScaledDecimal(std::string_view text, int power10) {
  std::string mantissa;
  long exponent = 0;
  if (!SplitDecimal(text, mantissa, exponent)) return std::nullopt;
  const std::string shifted = mantissa + "e" + std::to_string(exponent + power10);
  double value = 0.0;
  const auto [end, error] = std::from_chars(shifted.data(), shifted.data() + shifted.size(), value);
  if (error != std::errc() || end != shifted.data() + shifted.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  return ParseScaledDecimal(text, 0);
}

std::string ShortestText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double RoundedSum(double a, double b) {
  return std::round((a + b) * 1e9) / 1e9;
}

}  // namespace lamivexdb
