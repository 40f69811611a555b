// Optics text files as published for the International Glazing Database:
// header lines "{ key } value" or "{ Key: value }", then rows of wavelength, T,
// front R and back R as fractions (4 numbers), or with the transmittances and
// reflectances split into direct and diffuse parts (9 numbers).
#include <cctype>
#include <optional>

#include "DecimalText.h"
#include "ProductReaders.h"

namespace lamivexdb {

namespace {

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// One header line split into the text inside the braces and the text after them.
struct HeaderLine {
  std::string_view inside;
  std::string_view after;
};

HeaderLine SplitHeader(std::string_view line) {
  const std::size_t open = line.find('{');
  const std::size_t close = line.find('}', open);
  if (close == std::string_view::npos) return {TrimBlanks(line.substr(open + 1)), {}};
  return {TrimBlanks(line.substr(open + 1, close - open - 1)), TrimBlanks(line.substr(close + 1))};
}

struct OpticsState {
  std::optional<int> wavelengthPower;  // 3 for micrometres, 0 for nanometres
  std::size_t columns = 0;             // 4 or 9, fixed by the first data row
};

int WavelengthPower(std::string_view units, const std::string& label, std::size_t lineNumber) {
  const std::vector<std::string_view> words = SplitFields(units, " \t");
  if (words.size() == 2 && SameWord(words[0], "SI")) {
    if (SameWord(words[1], "Microns")) return 3;
    if (SameWord(words[1], "Nanometers")) return 0;
  }
  throw ImportError(AtLine(label, lineNumber,
                           "units line not understood: \"" + std::string(units) +
                               "\"; expected \"SI Microns\" or \"SI Nanometers\""));
}

// "{ Emissivity, front back } Emis= 0.84 0.84": the faces named inside the braces
// (both when none is named), their values in that order after the braces.
void ReadEmissivities(const HeaderLine& header, const std::string& place,
                      ProductSpectrum& product) {
  std::string_view values = header.after;
  if (values.starts_with("Emis")) values = TrimBlanks(values.substr(values.find('=') + 1));
  const bool front = header.inside.find("front") != std::string_view::npos;
  const bool back = header.inside.find("back") != std::string_view::npos;
  const std::vector<std::string_view> numbers = SplitFields(values, " \t");
  const std::size_t expected = front != back ? 1 : 2;
  if (numbers.size() != expected) {
    throw ImportError(place + ": emissivity line not understood: \"" + std::string(values) +
                      "\"; expected " +
                      (expected == 1 ? "one number" : "two numbers, front and back"));
  }
  if (front || !back) product.emissivity.front = ReadEmissivity(numbers.front(), place);
  if (back || !front) product.emissivity.back = ReadEmissivity(numbers.back(), place);
}

void ReadHeader(std::string_view line, std::size_t lineNumber, const std::string& label,
                OpticsState& state, ProductSpectrum& product) {
  const HeaderLine header = SplitHeader(line);
  if (header.inside.starts_with("Units")) {
    state.wavelengthPower = WavelengthPower(header.after, label, lineNumber);
  } else if (header.inside == "Thickness") {
    const auto thickness = ParseDecimal(header.after);
    if (!thickness) {
      throw ImportError(AtLine(label, lineNumber,
                               "thickness \"" + std::string(header.after) + "\" is not a number"));
    }
    product.thicknessMm = *thickness;
  } else if (header.inside.starts_with("Emissivity")) {
    ReadEmissivities(header, label + ":" + std::to_string(lineNumber), product);
  } else if (const std::size_t colon = header.inside.find(':'); colon != std::string_view::npos) {
    const std::string_view key = TrimBlanks(header.inside.substr(0, colon));
    const std::string_view value = TrimBlanks(header.inside.substr(colon + 1));
    if (key == "Product Name") product.name = value;
    if (key == "Manufacturer") product.maker = value;
  }
}

double Field(std::string_view text, int power10, std::size_t index, const std::string& label,
             std::size_t lineNumber) {
  const auto value = ParseScaledDecimal(text, power10);
  if (!value) {
    throw ImportError(AtLine(
        label, lineNumber,
        "field " + std::to_string(index + 1) + " \"" + std::string(text) + "\" is not a number"));
  }
  return *value;
}

// Four numbers: wavelength, T, Rf, Rb. Nine: wavelength, Tf direct, Tf diffuse,
// Tb direct, Tb diffuse, Rf direct, Rf diffuse, Rb direct, Rb diffuse; the
// hemispherical value is direct plus diffuse, and T is taken from the front.
SpectrumRow ReadDataRow(std::string_view line, std::size_t lineNumber, const std::string& label,
                        OpticsState& state) {
  if (!state.wavelengthPower) {
    throw ImportError(AtLine(label, lineNumber, "data row before the units line"));
  }
  const std::vector<std::string_view> fields = SplitFields(line, " \t");
  if (state.columns == 0 && (fields.size() == 4 || fields.size() == 9)) {
    state.columns = fields.size();
  }
  if (fields.size() != state.columns) {
    throw ImportError(
        AtLine(label, lineNumber,
               std::to_string(fields.size()) + " numbers; expected " +
                   (state.columns == 0 ? std::string("4 or 9") : std::to_string(state.columns))));
  }
  std::vector<double> v;
  v.push_back(Field(fields[0], *state.wavelengthPower, 0, label, lineNumber));
  for (std::size_t k = 1; k < fields.size(); ++k)
    v.push_back(Field(fields[k], 2, k, label, lineNumber));
  const std::string where = "line " + std::to_string(lineNumber);
  if (state.columns == 4) return {v[0], v[1], v[2], v[3], where};
  return {v[0], RoundedSum(v[1], v[2]), RoundedSum(v[5], v[6]), RoundedSum(v[7], v[8]), where};
}

}  // namespace

ProductSpectrum ReadOpticsText(std::string_view text, const std::string& label) {
  ProductSpectrum product;
  product.format = "optics";
  OpticsState state;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = TrimBlanks(lines[i]);
    if (line.empty()) continue;
    if (line.find('{') != std::string_view::npos) {
      ReadHeader(line, i + 1, label, state, product);
    } else {
      product.rows.push_back(ReadDataRow(line, i + 1, label, state));
    }
  }
  if (!state.wavelengthPower) throw ImportError(label + ": no units line (\"{ Units, ... }\")");
  if (product.rows.empty()) throw ImportError(label + ": no data rows");
  return product;
}

}  // namespace lamivexdb
