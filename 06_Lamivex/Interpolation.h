// Weighting tables, number text, spectrum files and the per-layer resampling.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

// The EN 410 weighting tables on the 5-nm grids (fractions), computed once: entry i
// (1..441) belongs to 300 + 5 (i - 1) nm, entry j (1..81) to 380 + 5 (j - 1) nm; entry 0
// carries no value. The run's tables and the declared values are both taken from these.
const std::array<double, kSolarPoints + 1>& SolarWeightTable();
const std::array<double, kLightPoints + 1>& LightWeightTable();

void InterpolateAtWavelength(LamivexRun& run, double lambda, int16_t slot, int32_t productId);

// Number text of the run's files: up to 15 significant digits, always a point,
// exponent form with a signed two-digit exponent below 0.0001 (1.25E-06).
std::string FormatRunNumber(double value);

// Lays fields out in print zones of 14 columns.
std::string PrintZones(const std::vector<std::string>& fields);

// Header lines of the solar ("SLamda") and visible ("DLamda") spectrum files; the title
// carries the glazing number, which the run leaves at 0.
std::string EnergySpectrumHeader(int16_t glazingNumber = 0);
std::string LightSpectrumHeader(int16_t glazingNumber = 0);
// One data line: wavelength, weight, T, R1, R2.
std::string SpectrumLine(double lambda, double weight, double t, double r1, double r2);

// One data line of a spectrum file.
struct SpectrumRecord {
  double lambda = 0.0;
  double weight = 0.0;
  double t = 0.0;
  double r1 = 0.0;
  double r2 = 0.0;
};

// The record as a spectrum file's line carries it: each number is the value its text of
// 15 significant digits reads back as, so that a spectrum kept in memory holds what the
// same spectrum read from its file holds. Appends the line and its CR LF to text when given.
SpectrumRecord AsSpectrumLine(const SpectrumRecord& values, std::string* text);

// A spectrum on the solar grid (300 to 2500 nm, 441 records) as its file holds it.
struct GridSpectrum {
  std::vector<SpectrumRecord> records;  // every number as its text reads back
  std::string text;  // the file's header and data lines, each ended by CR LF, when asked for
};

// Starts the text of a solar spectrum file: its header line, with room for its data lines.
void StartSpectrumText(std::string& text);

// A product's measured spectrum as the resampling reads it: records 1..count in ascending
// wavelengths (nm, percent); index 0 carries no value.
struct MeasuredSpectrum {
  const double* lambda;
  const double* t;
  const double* r1;
  const double* r2;
  int count;
};

// Values of a measured spectrum at one wavelength (percent).
struct SpectrumPoint {
  double t, r1, r2;
};

// The linear interpolation of InterpolateAtWavelength. Throws RunError(kExitFault) for a
// count outside 1..441.
SpectrumPoint InterpolateMeasured(const MeasuredSpectrum& spectrum, double lambda);

// A layer's solar spectrum (the content of Energy_k.out): the product's rows as loaded
// (ascending wavelengths from 300 nm up, faces as the database holds them, swapped here for
// a turned layer) resampled onto the solar grid with the solar weights. withText: also
// the text of the file.
GridSpectrum InterpolateGlass(const std::vector<SpectrumRow>& rows, bool turned, bool withText);

// The light weights (1..81) as the visible spectrum files carry them, read back from text.
const std::array<double, kLightPoints + 1>& LightWeightsAsText();

// Reads a spectrum file (full path): the header line is skipped, every other
// non-blank line holds five numbers separated by blanks or commas. Throws
// RunError(kExitFault) naming the file for a missing file or a malformed line.
std::vector<SpectrumRecord> ReadSpectrumFile(const std::string& path);

// One number field of a spectrum file: a point as decimal separator, an optional leading
// '+'. False, value untouched, for any other text.
bool ReadSpectrumNumber(std::string_view field, double& value);

}  // namespace lamivex
