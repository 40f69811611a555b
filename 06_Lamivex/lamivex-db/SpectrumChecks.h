// What in a stored spectrum would make a run misbehave or refuse it. Import
// refuses such a spectrum; check reports it for every product of a database.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ProductSpectrum.h"

namespace lamivexdb {

// Measured T + R may exceed 100 % by this much (percent points) through measuring noise:
// spectrophotometer data of genuine products often do, by a few tenths of a point.
inline constexpr double kSumNoiseTolerance = 1.0;

struct SpectrumProblem {
  std::string what;       // the first occurrence, with its wavelength
  std::size_t firstRow;   // index of the row it was found at, or kWholeSpectrum
  std::size_t count = 1;  // how many times it occurs
};

inline constexpr std::size_t kWholeSpectrum = static_cast<std::size_t>(-1);

// Whether more rows above 299 nm than the run's arrays hold is a problem: not for
// measured rows that import resamples onto the 5-nm grid.
enum class RowLimit { Checked, Ignored };

// The problems of a spectrum, one entry per kind of problem, rows in stored order:
// rows not strictly ascending, duplicate wavelengths, values outside 0 to 100 or
// not a number, T + R above 100 by more than kSumNoiseTolerance, more than 441 rows
// above 299 nm, a range that does not cover 300 to 2500 nm, no rows at all.
std::vector<SpectrumProblem> FindSpectrumProblems(const std::vector<SpectrumRow>& rows,
                                                  RowLimit limit = RowLimit::Checked);

// Wavelengths where T + R1 or T + R2 is above 100 % but within kSumNoiseTolerance:
// measuring noise that a run goes through, worth a warning and no more.
struct SumNoise {
  std::size_t wavelengths = 0;  // rows with either face above 100 %
  double worstSum = 0.0;        // the largest T + R among them, percent
  double worstLambda = 0.0;     // its wavelength, nm
  const char* worstFace = "";   // "R1" or "R2"
};

// Nothing (wavelengths 0) when no row is above 100 % within the tolerance.
SumNoise FindSumNoise(const std::vector<SpectrumRow>& rows);

// The warning's text: how many wavelengths, and the worst one with its value.
std::string DescribeSumNoise(const SumNoise& noise, std::size_t rowCount);

// A problem as one line of text: the description, and how many more times it occurs.
std::string DescribeProblem(const SpectrumProblem& problem);

}  // namespace lamivexdb
