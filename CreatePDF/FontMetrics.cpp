// Reading gPDFFonts.ini: a keyed-text file with one section per font and keys L1 to L13.
#include "FontMetrics.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

namespace createpdf {
namespace {

constexpr int kWidthKeys = 13;  // L1 .. L13

std::string Trimmed(const std::string& text) {
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  auto first = std::find_if_not(text.begin(), text.end(), blank);
  auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

std::string UpperCased(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A value as the keyed-text reader returns it: blanks around it removed, one pair of
// enclosing quotes removed, cut to the reader's buffer.
std::string ProfileValue(const std::string& raw) {
  std::string value = Trimmed(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kMetricsValueLimit) value.resize(kMetricsValueLimit);
  return value;
}

using Section = std::map<std::string, std::string>;  // upper-cased key -> value

// All sections of the file; the first occurrence of a section or a key wins.
std::map<std::string, Section> ReadProfile(const std::string& path) {
  std::map<std::string, Section> sections;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  Section* current = nullptr;
  while (std::getline(in, line)) {
    std::string text = Trimmed(line);
    if (text.empty() || text.front() == ';') continue;
    if (text.front() == '[') {
      std::size_t close = text.find(']');
      std::string name = UpperCased(
          Trimmed(text.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      current = &sections[name];
      continue;
    }
    std::size_t equals = text.find('=');
    if (current == nullptr || equals == std::string::npos) continue;
    current->emplace(UpperCased(Trimmed(text.substr(0, equals))),
                     ProfileValue(text.substr(equals + 1)));
  }
  return sections;
}

FontWidths WidthsOfSection(const Section& section) {
  std::string list;
  for (int key = 1; key <= kWidthKeys; ++key) {
    if (key > 1) list += ',';
    auto found = section.find("L" + std::to_string(key));
    if (found != section.end()) list += found->second;
  }
  FontWidths widths{};
  std::size_t start = 0;
  for (std::size_t code = 0; code < widths.size() && start <= list.size(); ++code) {
    std::size_t comma = std::min(list.find(',', start), list.size());
    widths[code] = PDFWidthElement(list.substr(start, comma - start));
    start = comma + 1;
  }
  return widths;
}

}  // namespace

int32_t PDFWidthElement(const std::string& element) {
  std::string text = Trimmed(element);
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return 0;
  if (std::fabs(value) > 1e9) return 0;  // no glyph is that wide: not a width
  return static_cast<int32_t>(std::trunc(value));
}

std::string PDFMetricsSectionKey(const std::string& fontName) {
  return UpperCased(fontName);
}

std::map<std::string, FontWidths> PDFReadMetricsFile(const std::string& path) {
  std::map<std::string, FontWidths> fonts;
  for (const auto& [name, section] : ReadProfile(path)) {
    fonts.emplace(name, WidthsOfSection(section));
  }
  return fonts;
}

}  // namespace createpdf
