// Placeholder until the integrators land.
#include "Result_Energy_Modul6.h"

namespace lamivex {
void WriteEnergyResultHeader(LamivexRun&, const std::string&) {}
void IntegrateEnergyResult(LamivexRun&, const std::string&, const std::string&) {}
}  // namespace lamivex
