// --where: the conditions a row of a search must meet to be kept, such as
// Tl>=70,g<=40,U<=1.1.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lamivex::batch {

enum class Comparison { kLess, kLessOrEqual, kGreater, kGreaterOrEqual, kEqual };

struct Condition {
  size_t column = 0;  // among the columns the conditions were read against
  Comparison comparison = Comparison::kEqual;
  double value = 0.0;
};

// The comma-separated comparisons of EXPR, each a column's name, one of < <= > >= =,
// and a number (blanks allowed around each part). Throws UsageError naming the columns
// for a column not among `columns`, and saying what is expected for anything else.
std::vector<Condition> ParseWhere(const std::string& expression,
                                  const std::vector<std::string>& columns);

// Whether a row meets every condition; values[c] is column c's value as the row prints
// it, so that a row printed "70.00" meets Tl>=70 and Tl=70. A column without a value
// (a row not calculated, the U of a single pane) meets no condition.
bool MeetsAll(const std::vector<Condition>& conditions,
              const std::vector<std::optional<double>>& values);

}  // namespace lamivex::batch
