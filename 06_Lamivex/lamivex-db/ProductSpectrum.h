// One product as read from a file or from a database: what it is, and its
// spectrum in nm and percent.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lamivexdb {

struct SpectrumRow {
  double lambda = 0.0;  // nm
  double t = 0.0;       // transmittance, percent
  double r1 = 0.0;      // reflectance of face 1 (front), percent
  double r2 = 0.0;      // reflectance of face 2 (back), percent
  std::string where;    // where the row came from: "line 23" or a JSON key path
};

// The hemispherical emissivities of face 1 (front) and face 2 (back), fractions 0 to 1.
struct FaceEmissivities {
  std::optional<double> front;
  std::optional<double> back;
};

struct ProductSpectrum {
  std::string name;
  std::string maker;
  std::optional<double> thicknessMm;
  std::string sourceFile;  // base name of the file it was read from
  std::string format;      // "columns", "optics" or "igsdb-json"
  std::vector<SpectrumRow> rows;
  int rowsAboveGridLeftOut = 0;       // rows above 2500 nm, not kept
  bool reversed = false;              // the file lists the rows from the longest wavelength down
  std::size_t rowsResampled = 0;      // rows of a denser grid, resampled onto the 5-nm grid
  FaceEmissivities emissivity;        // where the file gives them
  std::vector<std::string> warnings;  // doubts worth telling the user, not reasons to refuse
};

// Input that cannot become a product. The text names the file, the line or key,
// and the reason.
class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lamivexdb
