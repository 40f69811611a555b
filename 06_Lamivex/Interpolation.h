// Weighting tables, number text, spectrum files and the per-layer resampling.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

// The EN 410 weighting tables on the 5-nm grids (fractions), computed once: entry i
// (1..441) belongs to 300 + 5 (i - 1) nm, entry j (1..81) to 380 + 5 (j - 1) nm; entry 0
// carries no value. The run's tables and the declared values are both taken from these.
const std::array<double, kSolarPoints + 1>& SolarWeightTable();
const std::array<double, kLightPoints + 1>& LightWeightTable();

void InitSolarWeights(LamivexRun& run);
void InitLightWeights(LamivexRun& run);
void GetSolarWeight(LamivexRun& run, double lambda, int16_t index);
void GetLightWeight(LamivexRun& run, double lambda, int16_t index);

void InterpolateGlass(LamivexRun& run, const std::string& energyFile, const std::string& lightFile,
                      int32_t productId, int16_t productKind, int16_t inverseFaces);
// InterpolateGlass for a spectrum loaded earlier (by the product check) instead of
// loading it from the database.
void InterpolateLoadedGlass(LamivexRun& run, const std::string& energyFile,
                            const std::string& lightFile, const std::vector<SpectrumRow>& rows);
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

// Data lines of a spectrum file kept in memory until the file is written in one go:
// the wavelength, the weight last fetched, and GlassT(1), GlassR1(1), GlassR2(1).
void WriteEnergySpectrumLine(const LamivexRun& run, double lambda, std::vector<std::string>& lines);
void WriteLightSpectrumLine(const LamivexRun& run, double lambda, std::vector<std::string>& lines);

// Resamples the loaded spectrum (SpectrumLambda.. SpectrumCount) onto both grids and
// writes the layer's solar and visible spectrum files (steps 4 to 6 of InterpolateGlass).
void WriteLayerSpectrumFiles(LamivexRun& run, const std::string& energyFile,
                             const std::string& lightFile);

// One data line of a spectrum file.
struct SpectrumRecord {
  double lambda = 0.0;
  double weight = 0.0;
  double t = 0.0;
  double r1 = 0.0;
  double r2 = 0.0;
};

// Reads a spectrum file (full path): the header line is skipped, every other
// non-blank line holds five numbers separated by blanks or commas. Throws
// RunError(kExitFault) naming the file for a missing file or a malformed line.
std::vector<SpectrumRecord> ReadSpectrumFile(const std::string& path);

}  // namespace lamivex
