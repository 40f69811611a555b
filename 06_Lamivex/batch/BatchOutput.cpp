// Both forms carry the same columns, in the order of the input rows.
#include "BatchOutput.h"

#include <charconv>
#include <cstdio>

namespace lamivex::batch {
namespace {

const char* const kValueNames[kValueCount] = {"Te", "Re1", "Ae1", "Re2", "Ae2",
                                              "Tl", "Rl1", "Al1", "Rl2", "Al2"};

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      quoted += escape;
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

}  // namespace

std::string Fixed(double value, int decimals) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  std::string text(buffer, end);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void WriteCsv(std::ostream& out, const std::vector<Stack>& stacks,
              const std::vector<StackResult>& results) {
  out << "name,layers,model";
  for (const char* name : kValueNames) out << ',' << name;
  out << ",status,message\n";
  for (size_t n = 0; n < stacks.size(); ++n) {
    const StackResult& result = results[n];
    out << CsvField(stacks[n].name) << ',' << CsvField(stacks[n].layersText) << ',' << result.model;
    for (double value : result.values) out << ',' << (result.calculated ? Fixed(value, 2) : "");
    out << ',' << result.status << ',' << CsvField(result.message) << '\n';
  }
}

void WriteJson(std::ostream& out, const std::vector<Stack>& stacks,
               const std::vector<StackResult>& results) {
  out << "[";
  for (size_t n = 0; n < stacks.size(); ++n) {
    const StackResult& result = results[n];
    out << (n ? ",\n " : "\n ") << "{\"name\": " << JsonString(stacks[n].name)
        << ", \"layers\": " << JsonString(stacks[n].layersText)
        << ", \"model\": " << (result.model.empty() ? "null" : JsonString(result.model));
    for (size_t v = 0; v < kValueCount; ++v) {
      out << ", \"" << kValueNames[v]
          << "\": " << (result.calculated ? Fixed(result.values[v], 2) : "null");
    }
    out << ", \"status\": " << result.status << ", \"message\": " << JsonString(result.message)
        << "}";
  }
  out << (stacks.empty() ? "]\n" : "\n]\n");
}

}  // namespace lamivex::batch
