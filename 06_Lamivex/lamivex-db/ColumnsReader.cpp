// Columns of numbers: wavelength (nm), T, R1, R2 (percent), separated by commas,
// semicolons, TABs or blanks, with an optional header line before the data.
// Lines starting with # are comments; "# name: ...", "# maker: ..." and
// "# thickness: ..." (mm), "# emissivity front: ..." and "# emissivity back: ..."
// (hemispherical, 0 to 1) describe the product. A file whose every row holds
// four fields separated by semicolons, with a comma in one of them at least,
// writes its decimals with commas, as spreadsheets do in many countries.
#include <optional>

#include "DecimalText.h"
#include "ProductReaders.h"

namespace lamivexdb {

namespace {

constexpr std::string_view kColumnSeparators = ",; \t";

bool NoFieldIsNumber(const std::vector<std::string_view>& fields) {
  for (std::string_view field : fields) {
    if (ParseDecimal(field)) return false;
  }
  return true;
}

// A data line and its number in the file.
struct DataLine {
  std::size_t number;
  std::string_view text;
};

std::string WithDecimalPoint(std::string_view field) {
  std::string text(field);
  for (char& c : text) c = c == ',' ? '.' : c;
  return text;
}

// The fields of a line of a decimal-comma file: its semicolon-separated parts.
std::vector<std::string_view> SemicolonFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::string_view field : SplitFields(line, ";")) {
    if (!TrimBlanks(field).empty()) fields.push_back(TrimBlanks(field));
  }
  return fields;
}

bool UsesDecimalCommas(const std::vector<DataLine>& lines) {
  bool commaSeen = false;
  for (const DataLine& line : lines) {
    if (SemicolonFields(line.text).size() != 4) return false;
    commaSeen = commaSeen || line.text.find(',') != std::string_view::npos;
  }
  return commaSeen;
}

// A field between semicolons, TABs or blanks that reads as a number with a decimal comma.
std::string DecimalCommaIn(std::string_view line) {
  for (std::string_view field : SplitFields(line, "; \t")) {
    if (field.find(',') != std::string_view::npos && ParseDecimal(WithDecimalPoint(field))) {
      return std::string(field);
    }
  }
  return "";
}

// A refused row that looks written with decimal commas says so, and when they are read.
std::string WithCommaHint(std::string reason, std::string_view line) {
  const std::string comma = DecimalCommaIn(line);
  if (comma.empty()) return reason;
  return reason + "; decimal commas seen (\"" + comma +
         "\"): they are read only when every row has four fields separated by semicolons";
}

// Fractions become percent through the decimal exponent, so that "0.047" is exactly 4.7.
// Beside decimal commas a point can only separate thousands: such a field is refused
// rather than read as a decimal point.
std::optional<double> ParseField(std::string_view field, bool decimalCommas, int power10) {
  if (!decimalCommas) return ParseScaledDecimal(field, power10);
  if (field.find('.') != std::string_view::npos) return std::nullopt;
  return ParseScaledDecimal(WithDecimalPoint(field), power10);
}

SpectrumRow ParseColumnsRow(const DataLine& line, bool decimalCommas, const std::string& label,
                            ColumnValues columnValues) {
  const std::vector<std::string_view> fields =
      decimalCommas ? SemicolonFields(line.text) : SplitFields(line.text, kColumnSeparators);
  if (fields.size() != 4) {
    throw ImportError(AtLine(
        label, line.number,
        WithCommaHint(
            std::to_string(fields.size()) + " fields; expected 4: wavelength (nm), T, R1, R2 (%)",
            line.text)));
  }
  double values[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const int power10 = k > 0 && columnValues == ColumnValues::Fractions ? 2 : 0;
    const auto value = ParseField(fields[k], decimalCommas, power10);
    if (!value) {
      const std::string reason =
          "field " + std::to_string(k + 1) + " \"" + std::string(fields[k]) + "\" is not a number";
      throw ImportError(AtLine(label, line.number,
                               decimalCommas ? reason + " (the file writes decimals with commas)"
                                             : WithCommaHint(reason, line.text)));
    }
    values[k] = *value;
  }
  return {values[0], values[1], values[2], values[3], "line " + std::to_string(line.number)};
}

// The first row with a value above the limit, or nullptr.
const SpectrumRow* FirstRowAbove(const std::vector<SpectrumRow>& rows, double limit) {
  for (const SpectrumRow& row : rows) {
    if (row.t > limit || row.r1 > limit || row.r2 > limit) return &row;
  }
  return nullptr;
}

// Percent columns whose every value is 1 or less are fractions written by mistake:
// stored as they stand, they would make a clear glass opaque.
void RequireWhatTheColumnsHold(const std::vector<SpectrumRow>& rows, const std::string& label,
                               ColumnValues columnValues) {
  if (columnValues == ColumnValues::Percent) {
    if (FirstRowAbove(rows, 1.0)) return;
    throw ImportError(label +
                      ": every value is 1 or less: columns hold percent, not fractions; give "
                      "--fractions to multiply them by 100");
  }
  if (const SpectrumRow* row = FirstRowAbove(rows, 100.0)) {
    const std::string_view line = std::string_view(row->where).substr(5);  // "line N"
    throw ImportError(label + ":" + std::string(line) +
                      ": --fractions is given, but a value is above 1: the columns hold percent");
  }
}

void ReadComment(std::string_view comment, const std::string& label, std::size_t lineNumber,
                 ProductSpectrum& product) {
  const std::size_t colon = comment.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view key = TrimBlanks(comment.substr(1, colon - 1));
  const std::string_view value = TrimBlanks(comment.substr(colon + 1));
  if (key == "name") product.name = value;
  if (key == "maker") product.maker = value;
  if (key == "thickness") {
    const auto thickness = ParseDecimal(WithDecimalPoint(value));  // "4,0" can only mean 4.0
    if (!thickness) {
      throw ImportError(
          AtLine(label, lineNumber, "thickness \"" + std::string(value) + "\" is not a number"));
    }
    product.thicknessMm = *thickness;
  }
  const std::string place = label + ":" + std::to_string(lineNumber);
  if (key == "emissivity front")
    product.emissivity.front = ReadEmissivity(WithDecimalPoint(value), place);
  if (key == "emissivity back")
    product.emissivity.back = ReadEmissivity(WithDecimalPoint(value), place);
}

}  // namespace

ProductSpectrum ReadColumnsText(std::string_view text, const std::string& label,
                                ColumnValues columnValues) {
  ProductSpectrum product;
  product.format = "columns";
  bool headerAllowed = true;
  std::vector<DataLine> data;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = TrimBlanks(lines[i]);
    if (line.empty()) continue;
    if (line.front() == '#') {
      ReadComment(line, label, i + 1, product);
      continue;
    }
    if (headerAllowed && NoFieldIsNumber(SplitFields(line, kColumnSeparators))) {
      headerAllowed = false;
      continue;
    }
    headerAllowed = false;
    data.push_back({i + 1, line});
  }
  if (data.empty()) throw ImportError(label + ": no data rows");
  const bool decimalCommas = UsesDecimalCommas(data);
  for (const DataLine& line : data) {
    product.rows.push_back(ParseColumnsRow(line, decimalCommas, label, columnValues));
  }
  RequireWhatTheColumnsHold(product.rows, label, columnValues);
  return product;
}

}  // namespace lamivexdb
