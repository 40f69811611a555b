// Integrated solar characteristics: Te, Re1, Ae1, Re2, Ae2 over 300 - 2500 nm.
#include "Result_Energy_Modul6.h"

namespace lamivex {

IntegratedValues IntegrateEnergyResult(const std::vector<SpectrumRecord>& solarSpectrum) {
  return IntegrateSpectrum(solarSpectrum);
}

}  // namespace lamivex
