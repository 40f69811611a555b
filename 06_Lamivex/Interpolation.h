// Weighting tables, number text, spectrum files and the per-layer resampling.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

void InitSolarWeights(LamivexRun& run);
void InitLightWeights(LamivexRun& run);
void GetSolarWeight(LamivexRun& run, double lambda, int16_t index);
void GetLightWeight(LamivexRun& run, double lambda, int16_t index);

void InterpolateGlass(LamivexRun& run, const std::string& energyFile, const std::string& lightFile,
                      int32_t productId, int16_t productKind, int16_t inverseFaces);
void InterpolateAtWavelength(LamivexRun& run, double lambda, int16_t slot, int32_t productId);

// Number text of the run's files: up to 15 significant digits, always a point,
// exponent form with a signed two-digit exponent below 0.0001 (1.25E-06).
std::string FormatRunNumber(double value);

// Lays fields out in print zones of 14 columns.
std::string PrintZones(const std::vector<std::string>& fields);

// Header lines of the solar ("SLamda") and visible ("DLamda") spectrum files.
std::string EnergySpectrumHeader(const LamivexRun& run);
std::string LightSpectrumHeader(const LamivexRun& run);
// One data line: wavelength, weight, T, R1, R2.
std::string SpectrumLine(double lambda, double weight, double t, double r1, double r2);

void WriteEnergySpectrumHeader(LamivexRun& run, const std::string& fileName);
void WriteLightSpectrumHeader(LamivexRun& run, const std::string& fileName);

}  // namespace lamivex
