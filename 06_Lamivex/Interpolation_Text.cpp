// Number text and line layout of the run's spectrum and result files.
#include <algorithm>
#include <charconv>
#include <cmath>
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

// The general form of 15 significant digits, made from the shortest digits that read
// back as the value, which are much quicker to find. When a normal double's shortest
// digits number 15 or fewer, they are also its value rounded to 15 digits: they lie
// within half a unit in the last place of the double (under 1.2e-16 of it), while the
// 15-digit numbers around it lie at least 1e-15 of it apart. Gives the text's length,
// or 0 when the shortest digits are more than 15 (or the value is not a normal double).
size_t FifteenDigitsFromShortest(char* buffer, double value) {
  if (!std::isnormal(value)) return 0;
  char shortest[32];
  const char* const end =
      std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr;
  const char* p = shortest;
  char* out = buffer;
  if (*p == '-') *out++ = *p++;
  char digits[20];
  int count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (count == kSignificantDigits) return 0;
    digits[count++] = *p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
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

// std::to_chars never looks at the locale, so the decimal separator is always a
// point; the general form of 15 significant digits switches to the exponent form
// below 0.0001, which is the form the files carry (1.25E-06). Writes into buffer
// (kNumberBuffer characters) and gives the text's length.
size_t FormatRunNumberInto(char* buffer, double value) {
  if (value == 0.0) {  // also -0
    buffer[0] = '0';
    return 1;
  }
  if (const size_t length = FifteenDigitsFromShortest(buffer, value)) return length;
  char* const end =
      std::to_chars(buffer, buffer + kNumberBuffer, value, std::chars_format::general, 15).ptr;
  std::replace(buffer, end, 'e', 'E');
  return static_cast<size_t>(end - buffer);
}

// Each field starts at a zone start (column 1, 15, 29, ...); the next field
// starts at the first zone start that leaves at least one blank after it.
void AppendZoned(std::string& line, std::string_view field) {
  if (!line.empty()) {
    const size_t next = (line.size() + 1 + kZoneWidth - 1) / kZoneWidth * kZoneWidth;
    line.append(next - line.size(), ' ');
  }
  line += field;
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

std::string SpectrumHeader(const LamivexRun& run, const char* weightTitle) {
  return PrintZones({"Lamda", weightTitle, "Trasmission", "Reflection(1)", "Reflection(2)",
                     "*** INTERPOLATION - " + std::to_string(run.GlazingNumber) + " Vitrage ***"});
}

}  // namespace

std::string EnergySpectrumHeader(const LamivexRun& run) {
  return SpectrumHeader(run, "SLamda");
}

std::string LightSpectrumHeader(const LamivexRun& run) {
  return SpectrumHeader(run, "DLamda");
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

}  // namespace lamivex
