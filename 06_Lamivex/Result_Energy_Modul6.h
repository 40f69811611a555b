// Integrated solar characteristics of a solar spectrum.
#pragma once

#include <vector>

#include "Result_Common_Modul6.h"

namespace lamivex {

// Te, Re1, Ae1, Re2, Ae2 over 300 - 2500 nm: the means of the spectrum's records with the
// weights they carry, as the run's energy result lines give them.
IntegratedValues IntegrateEnergyResult(const std::vector<SpectrumRecord>& solarSpectrum);

}  // namespace lamivex
