// Numbers are read with std::from_chars: a point is the decimal separator whatever the
// locale, and the comma separates conditions.
#include "RowFilter.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "CommandLine.h"

namespace lamivex::batch {
namespace {

struct Operator {
  const char* text;
  Comparison comparison;
};
// Two-character operators first, so that "<=" is not read as "<" and "=70".
const Operator kOperators[] = {{"<=", Comparison::kLessOrEqual},
                               {">=", Comparison::kGreaterOrEqual},
                               {"<", Comparison::kLess},
                               {">", Comparison::kGreater},
                               {"=", Comparison::kEqual}};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Listed(const std::vector<std::string>& columns) {
  std::string list;
  for (const std::string& column : columns) list += (list.empty() ? "" : ", ") + column;
  return list;
}

Condition ParseCondition(const std::string& text, const std::vector<std::string>& columns) {
  const std::string expected = "--where: \"" + text +
                               "\" is not a comparison such as Tl>=70 (a column, one of "
                               "< <= > >= =, a number)";
  const size_t at = text.find_first_of("<>=");
  if (at == std::string::npos) throw UsageError(expected);
  const auto op = std::ranges::find_if(kOperators, [&](const Operator& o) {
    return text.compare(at, std::strlen(o.text), o.text) == 0;
  });
  const std::string name = Trimmed(text.substr(0, at));
  const std::string number = Trimmed(text.substr(at + std::strlen(op->text)));
  Condition condition;
  condition.comparison = op->comparison;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, condition.value);
  if (name.empty() || number.empty() || error != std::errc() || stop != end) {
    throw UsageError(expected);
  }
  const auto found = std::ranges::find(columns, name);
  if (found == columns.end()) {
    throw UsageError("--where: no column \"" + name + "\"; the columns are " + Listed(columns));
  }
  condition.column = static_cast<size_t>(found - columns.begin());
  return condition;
}

bool Meets(const Condition& condition, double value) {
  switch (condition.comparison) {
    case Comparison::kLess:
      return value < condition.value;
    case Comparison::kLessOrEqual:
      return value <= condition.value;
    case Comparison::kGreater:
      return value > condition.value;
    case Comparison::kGreaterOrEqual:
      return value >= condition.value;
    case Comparison::kEqual:
      return value == condition.value;
  }
  return false;
}

}  // namespace

std::vector<Condition> ParseWhere(const std::string& expression,
                                  const std::vector<std::string>& columns) {
  std::vector<Condition> conditions;
  size_t start = 0;
  while (start <= expression.size()) {
    size_t comma = expression.find(',', start);
    if (comma == std::string::npos) comma = expression.size();
    conditions.push_back(ParseCondition(Trimmed(expression.substr(start, comma - start)), columns));
    start = comma + 1;
  }
  return conditions;
}

bool MeetsAll(const std::vector<Condition>& conditions,
              const std::vector<std::optional<double>>& values) {
  return std::ranges::all_of(conditions, [&](const Condition& condition) {
    const std::optional<double>& value = values[condition.column];
    return value && Meets(condition, *value);
  });
}

}  // namespace lamivex::batch
