// Both forms carry the same columns, in the order of the input rows.
#include "BatchOutput.h"

#include <charconv>
#include <cstdio>

#include "platform/TextFiles.h"

namespace lamivex::batch {
namespace {

struct ValueColumn {
  const char* name;
  int decimals;
};

// The integrated values, then the declared ones (kDeclaredKeys): ratios with three decimals.
const ValueColumn kValueColumns[kValueCount] = {
    {"Te", 2},   {"Re1", 2},  {"Ae1", 2},  {"Re2", 2},  {"Ae2", 2},  {"Tl", 2},
    {"Rl1", 2},  {"Al1", 2},  {"Rl2", 2},  {"Al2", 2},  {"g", 2},    {"SC", 3},
    {"S", 3},    {"Tuv", 2},  {"Ra", 2},   {"T_L", 2},  {"T_a", 2},  {"T_b", 2},
    {"R1_L", 2}, {"R1_a", 2}, {"R1_b", 2}, {"R2_L", 2}, {"R2_a", 2}, {"R2_b", 2}};

// The output is UTF-8 whatever bytes a name, a path or a message holds.
std::string CsvField(const std::string& bytes) {
  const std::string text = ToUtf8(bytes);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string JsonString(const std::string& bytes) {
  std::string quoted = "\"";
  for (unsigned char c : ToUtf8(bytes)) {
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

// "model" and the values of a stack, a unit or a unit's pane; null where not calculated.
void WriteJsonValues(std::ostream& out, const StackResult& result) {
  out << "\"model\": " << (result.model.empty() ? "null" : JsonString(result.model));
  for (size_t v = 0; v < kValueCount; ++v) {
    const ValueColumn& column = kValueColumns[v];
    out << ", \"" << column.name
        << "\": " << (result.calculated ? Fixed(result.values[v], column.decimals) : "null");
  }
  out << ", \"U\": " << (result.calculated && result.u ? Fixed(*result.u, 2) : "null");
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
  for (const ValueColumn& column : kValueColumns) out << ',' << column.name;
  out << ",U,status,message\n";
  for (size_t n = 0; n < stacks.size(); ++n) {
    const StackResult& result = results[n];
    out << CsvField(stacks[n].name) << ',' << CsvField(stacks[n].layersText) << ',' << result.model;
    for (size_t v = 0; v < kValueCount; ++v) {
      out << ',' << (result.calculated ? Fixed(result.values[v], kValueColumns[v].decimals) : "");
    }
    out << ',' << (result.calculated && result.u ? Fixed(*result.u, 2) : "");
    out << ',' << result.status << ',' << CsvField(result.message) << '\n';
  }
}

void WriteJson(std::ostream& out, const std::vector<Stack>& stacks,
               const std::vector<StackResult>& results) {
  out << "[";
  for (size_t n = 0; n < stacks.size(); ++n) {
    const StackResult& result = results[n];
    out << (n ? ",\n " : "\n ") << "{\"name\": " << JsonString(stacks[n].name)
        << ", \"layers\": " << JsonString(stacks[n].layersText) << ", ";
    WriteJsonValues(out, result);
    if (!result.panes.empty()) {
      out << ", \"panes\": [";
      for (size_t p = 0; p < result.panes.size(); ++p) {
        out << (p ? ", {" : "{");
        WriteJsonValues(out, result.panes[p]);
        out << "}";
      }
      out << "]";
    }
    out << ", \"status\": " << result.status << ", \"message\": " << JsonString(result.message)
        << "}";
  }
  out << (stacks.empty() ? "]\n" : "\n]\n");
}

}  // namespace lamivex::batch
