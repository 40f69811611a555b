// Reading spectrum files back: the assembly and the result integrators read
// what the per-layer resampling and the assembly wrote.
#include <charconv>
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
    const char* first = line.data() + pos;
    const char* last = line.data() + end;
    if (*first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) return false;
    numbers.push_back(value);
    pos = end;
  }
  return true;
}

bool IsBlank(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

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
