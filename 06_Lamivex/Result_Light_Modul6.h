// Integrated light characteristics of a solar spectrum.
#pragma once

#include <vector>

#include "Result_Common_Modul6.h"

namespace lamivex {

// Tl, Rl1, Al1, Rl2, Al2 over 380 - 780 nm: the solar spectrum's records from 380 to 780 nm
// with the light weights of the visible spectrum files in place of their own, as the run's
// light result lines give them.
IntegratedValues IntegrateLightResult(const std::vector<SpectrumRecord>& solarSpectrum);

}  // namespace lamivex
