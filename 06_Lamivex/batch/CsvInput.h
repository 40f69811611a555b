// The batch's input table: comma-separated values with a header line.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace lamivex::batch {

// The input as a whole cannot be used (no header, a header without the needed columns,
// an unreadable file, a quote left open at the end). Ends the batch with status 2.
class InputRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CsvRecord {
  int line = 0;  // line of the input where the record starts, from 1
  std::vector<std::string> fields;
};

// Splits the input into records: fields separated by commas, a field in double quotes
// may hold commas, line ends and doubled quotes (""). Line ends are CR LF, LF or CR.
// Blank lines give no record. A UTF-8 byte-order mark at the start is skipped. The input
// is read as UTF-8 when it is valid UTF-8, else as Windows-1252; the fields are UTF-8.
std::vector<CsvRecord> ReadCsvRecords(std::istream& in);

}  // namespace lamivex::batch
