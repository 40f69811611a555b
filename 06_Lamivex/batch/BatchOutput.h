// The batch's table: one row per stack, as CSV or as JSON.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "StackRun.h"
#include "Stacks.h"

namespace lamivex::batch {

// The value with that many decimals and a point, whatever the locale; -0.00 is 0.00.
std::string Fixed(double value, int decimals);

// The table as CSV or JSON, a row at a time, so that a batch of many rows prints each
// as soon as the rows before it are done.
// CSV: the header name,layers,model,Te,Re1,Ae1,Re2,Ae2,Tl,Rl1,Al1,Rl2,Al2, the declared
// values (g,SC,S,Tuv,Ra,T_L,...,R2_b), U, status,message; UTF-8. The values of a stack
// that was not calculated are empty, and so is the U of a single pane.
// JSON: an array of objects with the same keys, a glazing unit's panes' values under
// "panes"; the values of a stack not calculated are null.
class TableWriter {
 public:
  TableWriter(std::ostream& out, bool json);
  void Row(const Stack& stack, const StackResult& result);
  // Ends the table (the JSON array); the CSV header is written even for no rows.
  void End();

 private:
  void WriteJsonRow(const Stack& stack, const StackResult& result);
  std::ostream& out_;
  bool json_;
  uint64_t rows_ = 0;
};

// The names of the value columns, in the order of the output: the columns --where reads.
std::vector<std::string> ValueColumnNames();

// A row's values as it prints them, in the order of ValueColumnNames; nothing for an
// empty column.
std::vector<std::optional<double>> PrintedValues(const StackResult& result);

}  // namespace lamivex::batch
