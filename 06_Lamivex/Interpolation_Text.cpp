// Number text and line layout of the run's spectrum and result files.
#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "Interpolation.h"

namespace lamivex {
namespace {

constexpr size_t kZoneWidth = 14;

}  // namespace

// std::to_chars never looks at the locale, so the decimal separator is always a
// point; the general form of 15 significant digits switches to the exponent form
// below 0.0001, which is the form the files carry (1.25E-06).
std::string FormatRunNumber(double value) {
  if (value == 0.0) return "0";  // also -0
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

// Each field starts at a zone start (column 1, 15, 29, ...); the next field
// starts at the first zone start that leaves at least one blank after it.
std::string PrintZones(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) {
      const size_t next = (line.size() + 1 + kZoneWidth - 1) / kZoneWidth * kZoneWidth;
      line.append(next - line.size(), ' ');
    }
    line += field;
  }
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

std::string SpectrumLine(double lambda, double weight, double t, double r1, double r2) {
  return PrintZones({FormatRunNumber(lambda), FormatRunNumber(weight), FormatRunNumber(t),
                     FormatRunNumber(r1), FormatRunNumber(r2)});
}

}  // namespace lamivex
