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

SpectrumRow ParseColumnsRow(const std::vector<std::string_view>& fields, const std::string& label,
                            std::size_t lineNumber) {
  if (fields.size() != 4) {
    throw ImportError(AtLine(
        label, lineNumber,
        std::to_string(fields.size()) + " fields; expected 4: wavelength (nm), T, R1, R2 (%)"));
  }
  double values[4];
  for (std::size_t k = 0; k < 4; ++k) {
    const auto value = ParseDecimal(fields[k]);
    if (!value) {
      throw ImportError(AtLine(label, lineNumber,
                               "field " + std::to_string(k + 1) + " \"" + std::string(fields[k]) +
                                   "\" is not a number"));
    }
    values[k] = *value;
  }
  return {values[0], values[1], values[2], values[3], "line " + std::to_string(lineNumber)};
}

bool AllFractions(const std::vector<SpectrumRow>& rows) {
  for (const SpectrumRow& row : rows) {
    if (row.t > 1.0 || row.r1 > 1.0 || row.r2 > 1.0) return false;
  }
  return true;
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

ProductSpectrum ReadColumnsText(std::string_view text, const std::string& label) {
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
    product.rows.push_back(ParseColumnsRow(fields, label, i + 1));
  }
  if (product.rows.empty()) throw ImportError(label + ": no data rows");
  if (AllFractions(product.rows)) {
    product.warnings.push_back(label +
                               ": every value is 1 or less: columns hold percent, not fractions");
  }
  return product;
}

}  // namespace lamivexdb
