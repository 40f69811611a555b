// Reading spectrum files back: the assembly and the result integrators read
// what the per-layer resampling and the assembly wrote.
#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Interpolation.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Appends the digits at p to mantissa, counting significant digits; false past 15.
bool ReadDigits(const char*& p, const char* last, uint64_t& mantissa, int& significant,
                int& decimals, bool fraction) {
  for (; p < last && IsDigit(*p); ++p) {
    if ((mantissa != 0 || *p != '0') && ++significant > 15) return false;
    mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    if (fraction) ++decimals;
  }
  return true;
}

// The numbers the run writes (at most 15 significant digits, a small exponent) read
// without from_chars: the digits make an exact whole number below 2^53, and one
// multiplication or division by an exact power of ten rounds it correctly, to the same
// double from_chars gives. False, value untouched, for any other text.
bool ReadShortDecimal(const char* p, const char* last, double& value) {
  const bool negative = p < last && *p == '-';
  if (negative) ++p;
  uint64_t mantissa = 0;
  int significant = 0, decimals = 0;
  const char* const start = p;
  if (!ReadDigits(p, last, mantissa, significant, decimals, false)) return false;
  bool digits = p != start;
  if (p < last && *p == '.') {
    const char* const fraction = ++p;
    if (!ReadDigits(p, last, mantissa, significant, decimals, true)) return false;
    digits = digits || p != fraction;
  }
  if (!digits) return false;
  int exponent = 0;
  if (p < last && (*p == 'E' || *p == 'e')) {
    ++p;
    const bool negativeExponent = p < last && *p == '-';
    if (p < last && (*p == '-' || *p == '+')) ++p;
    const char* const exponentStart = p;
    for (; p < last && IsDigit(*p) && p - exponentStart < 3; ++p)
      exponent = exponent * 10 + (*p - '0');
    if (p == exponentStart) return false;
    if (negativeExponent) exponent = -exponent;
  }
  const int scale = exponent - decimals;
  if (p != last || scale < -22 || scale > 22) return false;
  const double whole = static_cast<double>(mantissa);
  const double magnitude =
      scale < 0 ? whole / kExactPowersOfTen[-scale] : whole * kExactPowersOfTen[scale];
  value = negative ? -magnitude : magnitude;
  return true;
}

// Splits on blanks and commas and reads each field as a number with a point.
bool ParseNumbers(std::string_view line, std::vector<double>& numbers) {
  numbers.clear();
  size_t pos = 0;
  while (pos < line.size()) {
    if (IsSeparator(line[pos])) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < line.size() && !IsSeparator(line[end])) ++end;
    double value = 0.0;
    if (!ReadSpectrumNumber(line.substr(pos, end - pos), value)) return false;
    numbers.push_back(value);
    pos = end;
  }
  return true;
}

bool IsBlank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

bool ReadSpectrumNumber(std::string_view field, double& value) {
  const char* first = field.data();
  const char* const last = first + field.size();
  if (first < last && *first == '+') ++first;
  if (ReadShortDecimal(first, last, value)) return true;
  double read = 0.0;
  const auto result = std::from_chars(first, last, read);
  if (result.ec != std::errc() || result.ptr != last) return false;
  value = read;
  return true;
}

std::vector<SpectrumRecord> ReadSpectrumFile(const std::string& path) {
  if (!FileExists(path)) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " is not found!");
  }
  const std::vector<std::string> lines = ReadTextLines(path);
  std::vector<SpectrumRecord> records;
  records.reserve(lines.size());
  std::vector<double> numbers;
  for (size_t n = 1; n < lines.size(); ++n) {
    if (IsBlank(lines[n])) continue;
    if (!ParseNumbers(lines[n], numbers) || numbers.size() != 5) {
      throw RunError(
          kExitFault, "SM5.2",
          "Error: line " + std::to_string(n + 1) + " of " + path + " does not hold five numbers!");
    }
    records.push_back({numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]});
  }
  return records;
}

}  // namespace lamivex
