// Number text and line layout of the run's spectrum and result files.
#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Interpolation.h"

namespace lamivex {
namespace {

constexpr size_t kZoneWidth = 14;
constexpr size_t kNumberBuffer = 64;
constexpr int kSignificantDigits = 15;

constexpr std::array<double, 23> kExactPowersOfTen = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Writes sign, significant digits (no trailing zero) and the power of ten of the first
// digit in the general form of 15 significant digits; gives the text's length.
size_t WriteGeneralForm(char* buffer, bool negative, const char* digits, int count, int exponent) {
  char* out = buffer;
  if (negative) *out++ = '-';
  if (exponent < -4 || exponent >= kSignificantDigits) {
    *out++ = digits[0];
    if (count > 1) *out++ = '.';
    out = std::copy(digits + 1, digits + count, out);
    *out++ = 'E';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) *out++ = '0';
    return static_cast<size_t>(std::to_chars(out, buffer + kNumberBuffer, magnitude).ptr - buffer);
  }
  if (exponent < 0) {  // 0.000ddd
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -exponent - 1, '0');
    out = std::copy(digits, digits + count, out);
    return static_cast<size_t>(out - buffer);
  }
  const int whole = exponent + 1;  // digits before the point
  for (int i = 0; i < whole; ++i) *out++ = i < count ? digits[i] : '0';
  if (count > whole) {
    *out++ = '.';
    out = std::copy(digits + whole, digits + count, out);
  }
  return static_cast<size_t>(out - buffer);
}

// Most numbers of the run's files are short decimals (wavelengths, weights, measured
// values). A decimal of at most 15 significant digits that reads back as a normal
// double is that double rounded to 15 digits: it lies within half a unit in the last
// place of it (under 1.2e-16 of it), while 15-digit decimals lie at least 1e-15 of it
// apart. Such a decimal with k places is found as m = value * 10^k rounded to a whole
// number, kept when m / 10^k (exact operands, one rounding) gives the value back.
// Gives the text's length, or 0 when no decimal of up to 15 digits and 22 places reads
// back as the value.
size_t ShortDecimalForm(char* buffer, double value) {
  if (!std::isnormal(value)) return 0;
  const double magnitude = std::fabs(value);
  for (size_t places = 0; places < kExactPowersOfTen.size(); ++places) {
    const double scaled = magnitude * kExactPowersOfTen[places];
    if (scaled >= 1e15) return 0;  // 16 digits or more
    const double whole = std::nearbyint(scaled);
    if (whole == 0.0 || whole / kExactPowersOfTen[places] != magnitude) continue;
    char digits[20];
    const int count = static_cast<int>(
        std::to_chars(digits, digits + sizeof digits, static_cast<uint64_t>(whole)).ptr - digits);
    int significant = count;
    while (digits[significant - 1] == '0') --significant;
    return WriteGeneralForm(buffer, value < 0, digits, significant,
                            count - 1 - static_cast<int>(places));
  }
  return 0;
}

// std::to_chars never looks at the locale, so the decimal separator is always a
// point; the general form of 15 significant digits switches to the exponent form
// below 0.0001, which is the form the files carry (1.25E-06). Writes into buffer
// (kNumberBuffer characters) and gives the text's length.
size_t FormatRunNumberInto(char* buffer, double value) {
  if (value == 0.0) {  // also -0
    buffer[0] = '0';
    return 1;
  }
  if (const size_t length = ShortDecimalForm(buffer, value)) return length;
  char* const end =
      std::to_chars(buffer, buffer + kNumberBuffer, value, std::chars_format::general, 15).ptr;
  std::replace(buffer, end, 'e', 'E');
  return static_cast<size_t>(end - buffer);
}

// Each field starts at a zone start (column 1, 15, 29, ...); the next field
// starts at the first zone start that leaves at least one blank after it.
// The line starts at lineStart in text.
void AppendZoned(std::string& text, size_t lineStart, std::string_view field) {
  const size_t column = text.size() - lineStart;
  if (column > 0) {
    const size_t next = (column + 1 + kZoneWidth - 1) / kZoneWidth * kZoneWidth;
    text.append(next - column, ' ');
  }
  text += field;
}

void AppendZoned(std::string& line, std::string_view field) {
  AppendZoned(line, 0, field);
}

}  // namespace

std::string FormatRunNumber(double value) {
  char buffer[kNumberBuffer];
  return std::string(buffer, FormatRunNumberInto(buffer, value));
}

std::string PrintZones(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) AppendZoned(line, field);
  return line;
}

namespace {

std::string SpectrumHeader(int16_t glazingNumber, const char* weightTitle) {
  return PrintZones({"Lamda", weightTitle, "Trasmission", "Reflection(1)", "Reflection(2)",
                     "*** INTERPOLATION - " + std::to_string(glazingNumber) + " Vitrage ***"});
}

// The number a field of a spectrum file reads back as.
double ReadBack(const char* text, size_t length) {
  double value = 0.0;
  [[maybe_unused]] const bool read = ReadSpectrumNumber(std::string_view(text, length), value);
  assert(read);
  return value;
}

std::array<double, kLightPoints + 1> ReadBackLightWeights() {
  std::array<double, kLightPoints + 1> weights = LightWeightTable();
  char buffer[kNumberBuffer];
  for (double& weight : weights) weight = ReadBack(buffer, FormatRunNumberInto(buffer, weight));
  return weights;
}

}  // namespace

std::string EnergySpectrumHeader(int16_t glazingNumber) {
  return SpectrumHeader(glazingNumber, "SLamda");
}

std::string LightSpectrumHeader(int16_t glazingNumber) {
  return SpectrumHeader(glazingNumber, "DLamda");
}

const std::array<double, kLightPoints + 1>& LightWeightsAsText() {
  static const std::array<double, kLightPoints + 1> weights = ReadBackLightWeights();
  return weights;
}

// Written straight into one string: a run writes some 50,000 of these lines.
std::string SpectrumLine(double lambda, double weight, double t, double r1, double r2) {
  std::string line;
  line.reserve(5 * kZoneWidth + 8);
  char buffer[kNumberBuffer];
  for (const double value : {lambda, weight, t, r1, r2}) {
    AppendZoned(line, std::string_view(buffer, FormatRunNumberInto(buffer, value)));
  }
  return line;
}

// Formatting is what rounds: each number is written as the file writes it and read back
// as the file's reader reads it.
void StartSpectrumText(std::string& text) {
  text.reserve((kSolarPoints + 1) * (5 * kZoneWidth + 2));
  text += EnergySpectrumHeader();
  text += "\r\n";
}

SpectrumRecord AsSpectrumLine(const SpectrumRecord& values, std::string* text) {
  char buffer[kNumberBuffer];
  SpectrumRecord record;
  double* const fields[] = {&record.lambda, &record.weight, &record.t, &record.r1, &record.r2};
  const double given[] = {values.lambda, values.weight, values.t, values.r1, values.r2};
  const size_t lineStart = text != nullptr ? text->size() : 0;
  for (size_t n = 0; n < 5; ++n) {
    const size_t length = FormatRunNumberInto(buffer, given[n]);
    *fields[n] = ReadBack(buffer, length);
    if (text != nullptr) AppendZoned(*text, lineStart, std::string_view(buffer, length));
  }
  if (text != nullptr) *text += "\r\n";
  return record;
}

}  // namespace lamivex
