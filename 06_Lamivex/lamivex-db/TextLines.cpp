// Line and field splitting and the emissivity check shared by the readers.
#include "DecimalText.h"
#include "ProductReaders.h"

namespace lamivexdb {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separators) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t end = std::min(line.find_first_of(separators, start), line.size());
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string AtLine(const std::string& label, std::size_t line, const std::string& reason) {
  return label + ":" + std::to_string(line) + ": " + reason;
}

// A value in percent (84) would turn a clear glass into a perfect emitter.
double ReadEmissivity(std::string_view text, const std::string& place) {
  const auto value = ParseDecimal(text);
  if (!value) {
    throw ImportError(place + ": emissivity \"" + std::string(text) + "\" is not a number");
  }
  if (*value < 0.0 || *value > 1.0) {
    throw ImportError(place + ": emissivity " + std::string(text) +
                      " is outside 0 to 1 (a hemispherical fraction)");
  }
  return *value;
}

}  // namespace lamivexdb
