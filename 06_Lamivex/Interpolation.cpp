// Placeholder until the resampling lands.
#include "Interpolation.h"

namespace lamivex {
void InitSolarWeights(LamivexRun&) {}
void InitLightWeights(LamivexRun&) {}
void GetSolarWeight(LamivexRun&, double, int16_t) {}
void GetLightWeight(LamivexRun&, double, int16_t) {}
void InterpolateGlass(LamivexRun&, const std::string&, const std::string&, int32_t, int16_t,
                      int16_t) {}
void InterpolateAtWavelength(LamivexRun&, double, int16_t, int32_t) {}
std::string FormatRunNumber(double) { return ""; }
std::string PrintZones(const std::vector<std::string>&) { return ""; }
std::string EnergySpectrumHeader(const LamivexRun&) { return ""; }
std::string LightSpectrumHeader(const LamivexRun&) { return ""; }
std::string SpectrumLine(double, double, double, double, double) { return ""; }
void WriteEnergySpectrumHeader(LamivexRun&, const std::string&) {}
void WriteLightSpectrumHeader(LamivexRun&, const std::string&) {}
}  // namespace lamivex
