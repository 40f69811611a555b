// IGSDB product files (API v1 layout): the spectrum is the array
// spectral_data.spectral_data of {"T", "Rf", "Rb", "wavelength"} objects, the
// wavelength in micrometres and the values as fractions.
#include <nlohmann/json.hpp>

#include "DecimalText.h"
#include "ProductReaders.h"

namespace lamivexdb {

namespace {

using nlohmann::json;

std::string AtKey(const std::string& label, const std::string& key, const std::string& reason) {
  return label + ": key " + key + ": " + reason;
}

// The number's own text, so that it can be scaled through its exponent.
std::string NumberText(const json& value) {
  if (value.is_number_float()) return ShortestText(value.get<double>());
  return value.dump();
}

double ScaledNumber(const json& point, const char* key, int power10, const std::string& path,
                    const std::string& label) {
  const std::string keyPath = path + "." + key;
  const auto found = point.find(key);
  if (found == point.end()) throw ImportError(AtKey(label, keyPath, "missing"));
  if (!found->is_number()) throw ImportError(AtKey(label, keyPath, "not a number"));
  const auto value = ParseScaledDecimal(NumberText(*found), power10);
  if (!value) throw ImportError(AtKey(label, keyPath, "not a finite number"));
  return *value;
}

const json& SpectralPoints(const json& document, const std::string& label) {
  const auto outer = document.find("spectral_data");
  if (outer == document.end() || !outer->is_object()) {
    throw ImportError(AtKey(label, "spectral_data", "missing: the file holds no spectral data"));
  }
  const auto points = outer->find("spectral_data");
  if (points == outer->end() || !points->is_array()) {
    throw ImportError(
        AtKey(label, "spectral_data.spectral_data", "missing: the file holds no spectral data"));
  }
  if (points->empty()) {
    throw ImportError(AtKey(label, "spectral_data.spectral_data", "no data rows"));
  }
  return *points;
}

std::string TextOf(const json& document, const char* key) {
  const auto found = document.find(key);
  return found != document.end() && found->is_string() ? found->get<std::string>() : "";
}

// Hemispherical emissivity of a face; null or missing is unknown.
std::optional<double> Emissivity(const json& measured, const char* key, const std::string& label) {
  const auto found = measured.find(key);
  if (found == measured.end() || found->is_null()) return std::nullopt;
  const std::string place = label + ": key measured_data." + key;
  if (!found->is_number()) throw ImportError(place + ": not a number");
  return ReadEmissivity(NumberText(*found), place);
}

void ReadDescription(const json& document, ProductSpectrum& product, const std::string& label) {
  product.name = TextOf(document, "name");
  product.maker = TextOf(document, "manufacturer_name");
  const auto measured = document.find("measured_data");
  if (measured == document.end() || !measured->is_object()) return;
  const auto thickness = measured->find("thickness");
  if (thickness != measured->end() && thickness->is_number()) {
    product.thicknessMm = thickness->get<double>();
  }
  product.emissivity.front = Emissivity(*measured, "emissivity_front", label);
  product.emissivity.back = Emissivity(*measured, "emissivity_back", label);
}

}  // namespace

ProductSpectrum ReadIgsdbJsonText(std::string_view text, const std::string& label) {
  json document;
  try {
    document = json::parse(text);
  } catch (const json::parse_error& e) {
    throw ImportError(label + ": not a valid JSON file: " + e.what());
  }
  if (!document.is_object()) throw ImportError(label + ": not a JSON object");
  ProductSpectrum product;
  product.format = "igsdb-json";
  ReadDescription(document, product, label);
  const json& points = SpectralPoints(document, label);
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::string path = "spectral_data.spectral_data[" + std::to_string(i) + "]";
    const json& point = points[i];
    if (!point.is_object()) throw ImportError(AtKey(label, path, "not an object"));
    product.rows.push_back({ScaledNumber(point, "wavelength", 3, path, label),
                            ScaledNumber(point, "T", 2, path, label),
                            ScaledNumber(point, "Rf", 2, path, label),
                            ScaledNumber(point, "Rb", 2, path, label), path});
  }
  return product;
}

}  // namespace lamivexdb
