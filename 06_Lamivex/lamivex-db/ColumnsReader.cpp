// Columns of numbers: wavelength (nm), T, R1, R2 (percent), separated by commas,
// semicolons, TABs or blanks, with an optional header line before the data.
// Lines starting with # are comments; "# name: ...", "# maker: ..." and
// "# thickness: ..." (mm) describe the product.
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

// Fractions become percent through the decimal exponent, so that "0.047" is exactly 4.7.
SpectrumRow ParseColumnsRow(const std::vector<std::string_view>& fields, const std::string& label,
                            std::size_t lineNumber, ColumnValues columnValues) {
  if (fields.size() != 4) {
    throw ImportError(AtLine(
        label, lineNumber,
        std::to_string(fields.size()) + " fields; expected 4: wavelength (nm), T, R1, R2 (%)"));
  }
  double values[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const int power10 = k > 0 && columnValues == ColumnValues::Fractions ? 2 : 0;
    const auto value = ParseScaledDecimal(fields[k], power10);
    if (!value) {
      throw ImportError(AtLine(label, lineNumber,
                               "field " + std::to_string(k + 1) + " \"" + std::string(fields[k]) +
                                   "\" is not a number"));
    }
    values[k] = *value;
  }
  return {values[0], values[1], values[2], values[3], "line " + std::to_string(lineNumber)};
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
    const auto thickness = ParseDecimal(value);
    if (!thickness) {
      throw ImportError(
          AtLine(label, lineNumber, "thickness \"" + std::string(value) + "\" is not a number"));
    }
    product.thicknessMm = *thickness;
  }
}

}  // namespace

ProductSpectrum ReadColumnsText(std::string_view text, const std::string& label,
                                ColumnValues columnValues) {
  ProductSpectrum product;
  product.format = "columns";
  bool headerAllowed = true;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = TrimBlanks(lines[i]);
    if (line.empty()) continue;
    if (line.front() == '#') {
      ReadComment(line, label, i + 1, product);
      continue;
    }
    const std::vector<std::string_view> fields = SplitFields(line, kColumnSeparators);
    if (headerAllowed && NoFieldIsNumber(fields)) {
      headerAllowed = false;
      continue;
    }
    headerAllowed = false;
    product.rows.push_back(ParseColumnsRow(fields, label, i + 1, columnValues));
  }
  if (product.rows.empty()) throw ImportError(label + ": no data rows");
  RequireWhatTheColumnsHold(product.rows, label, columnValues);
  return product;
}

}  // namespace lamivexdb
