// What in a stored spectrum would make a run misbehave or refuse it. Import
// refuses such a spectrum; check reports it for every product of a database.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ProductSpectrum.h"

namespace lamivexdb {

// Measured T + R may exceed 100 % by this much (percent points) through measuring noise.
inline constexpr double kSumTolerance = 0.5;

struct SpectrumProblem {
  std::string what;       // the first occurrence, with its wavelength
  std::size_t firstRow;   // index of the row it was found at, or kWholeSpectrum
  std::size_t count = 1;  // how many times it occurs
};

inline constexpr std::size_t kWholeSpectrum = static_cast<std::size_t>(-1);

// The problems of a spectrum, one entry per kind of problem, rows in stored order:
// rows not strictly ascending, duplicate wavelengths, values outside 0 to 100 or
// not a number, T + R above 100 (beyond kSumTolerance), more than 441 rows above
// 299 nm, a range that does not cover 300 to 2500 nm, no rows at all.
std::vector<SpectrumProblem> FindSpectrumProblems(const std::vector<SpectrumRow>& rows);

// A problem as one line of text: the description, and how many more times it occurs.
std::string DescribeProblem(const SpectrumProblem& problem);

}  // namespace lamivexdb
