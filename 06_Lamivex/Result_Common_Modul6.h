// What the energy and light result integrators share: the weighted means of a
// spectrum file and the layout of a result file's two lines.
#pragma once

#include <string>
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

// Header line of a result file: "Lamda" and the five column titles.
std::string ResultHeaderLine(const std::vector<std::string>& titles);

// Data line of a result file: range label, T, R1, A1, R2, A2.
std::string ResultDataLine(const std::string& rangeLabel, const IntegratedValues& values);

// Whether an integration of sourceName sets the summary values. A one-layer run
// keeps the last integration, which is its layer's own; a run of two or more
// layers keeps the assembly's, read from assemblyFile.
bool SetsSummary(const LamivexRun& run, const std::string& sourceName,
                 const std::string& assemblyFile);

// Integrates the spectrum file sourceName and appends the data line to targetName
// (both in the Temp folder); returns the means.
IntegratedValues IntegrateIntoResultFile(const LamivexRun& run, const std::string& sourceName,
                                         const std::string& targetName,
                                         const std::string& rangeLabel);

}  // namespace lamivex
