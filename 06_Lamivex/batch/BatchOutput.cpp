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

TableWriter::TableWriter(std::ostream& out, bool json) : out_(out), json_(json) {
  if (json_) return;
  out_ << "name,layers,model";
  for (const ValueColumn& column : kValueColumns) out_ << ',' << column.name;
  out_ << ",U,status,message\n";
}

void TableWriter::Row(const Stack& stack, const StackResult& result) {
  if (json_) {
    WriteJsonRow(stack, result);
  } else {
    out_ << CsvField(stack.name) << ',' << CsvField(stack.layersText) << ',' << result.model;
    for (size_t v = 0; v < kValueCount; ++v) {
      out_ << ',' << (result.calculated ? Fixed(result.values[v], kValueColumns[v].decimals) : "");
    }
    out_ << ',' << (result.calculated && result.u ? Fixed(*result.u, 2) : "");
    out_ << ',' << result.status << ',' << CsvField(result.message) << '\n';
  }
  ++rows_;
  out_.flush();
}

void TableWriter::WriteJsonRow(const Stack& stack, const StackResult& result) {
  out_ << (rows_ ? ",\n " : "[\n ") << "{\"name\": " << JsonString(stack.name)
       << ", \"layers\": " << JsonString(stack.layersText) << ", ";
  WriteJsonValues(out_, result);
  if (!result.panes.empty()) {
    out_ << ", \"panes\": [";
    for (size_t p = 0; p < result.panes.size(); ++p) {
      out_ << (p ? ", {" : "{");
      WriteJsonValues(out_, result.panes[p]);
      out_ << "}";
    }
    out_ << "]";
  }
  out_ << ", \"status\": " << result.status << ", \"message\": " << JsonString(result.message)
       << "}";
}

void TableWriter::End() {
  if (json_) out_ << (rows_ == 0 ? "[]\n" : "\n]\n");
  out_.flush();
}

std::vector<std::string> ValueColumnNames() {
  std::vector<std::string> names;
  for (const ValueColumn& column : kValueColumns) names.emplace_back(column.name);
  names.emplace_back("U");
  return names;
}

std::vector<std::optional<double>> PrintedValues(const StackResult& result) {
  std::vector<std::optional<double>> values(kValueCount + 1);
  if (!result.calculated) return values;
  const auto printed = [](double value, int decimals) {
    const std::string text = Fixed(value, decimals);
    double read = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), read);
    return read;
  };
  for (size_t v = 0; v < kValueCount; ++v) {
    values[v] = printed(result.values[v], kValueColumns[v].decimals);
  }
  if (result.u) values[kValueCount] = printed(*result.u, 2);
  return values;
}

}  // namespace lamivex::batch
