// Placeholder until the integrators land.
#include "Result_Light_Modul6.h"

namespace lamivex {
void WriteLightResultHeader(LamivexRun&, const std::string&) {}
void IntegrateLightResult(LamivexRun&, const std::string&, const std::string&) {}
}  // namespace lamivex
