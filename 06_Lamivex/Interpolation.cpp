// Per-layer resampling: brings a product's measured spectrum onto the solar and
// visible grids and writes the layer's two spectrum files.
#include "Interpolation.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "Main_modul6.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

void CheckSlot(int16_t slot) {
  if (slot < 0 || slot > 4) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: slot " + std::to_string(slot) + " is outside GlassT (0 to 4)!");
  }
}

void StoreRecord(LamivexRun& run, int16_t slot, int k) {
  run.GlassT[slot] = run.SpectrumT[k];
  run.GlassR1[slot] = run.SpectrumR1[k];
  run.GlassR2[slot] = run.SpectrumR2[k];
}

// Straight line through (x0, y0) and (x1, y1), taken at x.
double Line(double x0, double y0, double x1, double y1, double x) {
  return (y1 - y0) * (x - x0) / (x1 - x0) + y0;
}

}  // namespace

// productId is not looked at: the spectrum arrays already hold the product.
void InterpolateAtWavelength(LamivexRun& run, double lambda, int16_t slot, int32_t /*productId*/) {
  CheckSlot(slot);
  const int count = run.SpectrumCount;
  if (count < 1 || count > kSolarPoints) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the spectrum holds " + std::to_string(count) +
                       " records from 300 nm up; it needs 1 to 441!");
  }
  // The loader stores the records in ascending wavelengths, so that one binary search
  // finds both the first record at lambda (which wins) and, when there is none, the
  // first record above it.
  const auto& x = run.SpectrumLambda;
  const auto first = x.begin() + 1;
  const auto last = first + count;
  assert(std::is_sorted(first, last));
  const int k = static_cast<int>(std::lower_bound(first, last, lambda) - x.begin());
  if (k <= count && lambda == x[k]) {
    StoreRecord(run, slot, k);
    return;
  }
  // Above the last record the spectrum holds its last values; entries past the
  // count may belong to an earlier layer's product.
  if (k > count) {
    StoreRecord(run, slot, count);
    return;
  }
  // Below the first record the line runs from (0 nm, 0) to the first record.
  const double x0 = k > 1 ? x[k - 1] : 0.0;
  const double t0 = k > 1 ? run.SpectrumT[k - 1] : 0.0;
  const double r10 = k > 1 ? run.SpectrumR1[k - 1] : 0.0;
  const double r20 = k > 1 ? run.SpectrumR2[k - 1] : 0.0;
  run.GlassT[slot] = Line(x0, t0, x[k], run.SpectrumT[k], lambda);
  run.GlassR1[slot] = Line(x0, r10, x[k], run.SpectrumR1[k], lambda);
  run.GlassR2[slot] = Line(x0, r20, x[k], run.SpectrumR2[k], lambda);
}

void WriteEnergySpectrumHeader(LamivexRun& run, const std::string& fileName) {
  WriteTextLines(run.TempFolder() + fileName, {EnergySpectrumHeader(run)});
}

void WriteLightSpectrumHeader(LamivexRun& run, const std::string& fileName) {
  WriteTextLines(run.TempFolder() + fileName, {LightSpectrumHeader(run)});
}

void WriteEnergySpectrumLine(const LamivexRun& run, double lambda,
                             std::vector<std::string>& lines) {
  lines.push_back(
      SpectrumLine(lambda, run.SolarWeight, run.GlassT[1], run.GlassR1[1], run.GlassR2[1]));
}

void WriteLightSpectrumLine(const LamivexRun& run, double lambda, std::vector<std::string>& lines) {
  lines.push_back(
      SpectrumLine(lambda, run.LightWeight, run.GlassT[1], run.GlassR1[1], run.GlassR2[1]));
}

void WriteLayerSpectrumFiles(LamivexRun& run, const std::string& energyFile,
                             const std::string& lightFile) {
  std::vector<std::string> energyLines{EnergySpectrumHeader(run)};
  std::vector<std::string> lightLines{LightSpectrumHeader(run)};
  energyLines.reserve(kSolarPoints + 1);
  lightLines.reserve(kLightPoints + 1);
  run.LambdaMin = 300.0;
  run.LambdaMax = 2500.0;
  int16_t j = 1;
  for (int16_t i = 1; i <= kSolarPoints; ++i) {
    const double lambda = 300.0 + 5.0 * (i - 1);
    GetSolarWeight(run, lambda, i);
    InterpolateAtWavelength(run, lambda, 1, 0);
    if (lambda > 379.0 && lambda < 781.0) {
      GetLightWeight(run, lambda, j);
      ++j;
      WriteLightSpectrumLine(run, lambda, lightLines);
    }
    WriteEnergySpectrumLine(run, lambda, energyLines);
  }
  WriteTextLines(run.TempFolder() + energyFile, energyLines);
  WriteTextLines(run.TempFolder() + lightFile, lightLines);
}

void InterpolateGlass(LamivexRun& run, const std::string& energyFile, const std::string& lightFile,
                      int32_t productId, int16_t productKind, int16_t inverseFaces) {
  InitSolarWeights(run);
  InitLightWeights(run);
  LoadSpectrum(run, productId, productKind, inverseFaces);
  WriteLayerSpectrumFiles(run, energyFile, lightFile);
}

void InterpolateLoadedGlass(LamivexRun& run, const std::string& energyFile,
                            const std::string& lightFile, const std::vector<SpectrumRow>& rows) {
  InitSolarWeights(run);
  InitLightWeights(run);
  StoreSpectrum(run, rows);
  WriteLayerSpectrumFiles(run, energyFile, lightFile);
}

}  // namespace lamivex
