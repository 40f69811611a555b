// What the energy and light result integrators share: the weighted means of a spectrum.
#pragma once

#include <vector>

#include "Interpolation.h"
#include "MdlDeclarations.h"

namespace lamivex {

// Weighted means of T, R1 and R2 over a spectrum file's grid points (percent), and
// the absorptions A1 = 100 - T - R1 and A2 = 100 - T - R2.
struct IntegratedValues {
  double T = 0.0;
  double R1 = 0.0;
  double R2 = 0.0;
  double A1 = 100.0;
  double A2 = 100.0;
};

// Sums of value times weight divided by the sum of the weights; with a zero sum
// of weights the sums are returned as they stand (0 for an empty file). The sums
// carry the rounding errors of their additions, and the absorptions are taken from
// the sums, so that every digit the result files print is right.
IntegratedValues IntegrateSpectrum(const std::vector<SpectrumRecord>& records);

}  // namespace lamivex
