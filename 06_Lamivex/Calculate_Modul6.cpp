// The assembly spectrum: reads the layer spectra back, combines them and writes
// Final_Energy_Lamivex.out and Final_Light_Lamivex.out.
#include "Calculate_Modul6.h"

#include <string>
#include <vector>

#include "Interpolation.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {

AssemblyLayers::AssemblyLayers(int layerCount)
    : count_(layerCount),
      kind_(layerCount + 2, 0),
      t_((kSolarPoints + 2) * (layerCount + 2), 0.0),
      r1_(t_.size(), 0.0),
      r2_(t_.size(), 0.0),
      rho_(t_.size(), 0.0),
      rhoBack_(t_.size(), 0.0) {}

void AssemblyLayers::Set(int i, int k, double t, double r1, double r2) {
  T(i, k) = t;
  R1(i, k) = r1;
  R2(i, k) = r2;
  if (IsGlass(k)) {
    Rho(i, k) = r1 / (1.0 + t * t);
    RhoBack(i, k) = r2 / (1.0 + t * t);
  }
}

namespace {

void ReadLayer(const LamivexRun& run, int k, AssemblyLayers& layers) {
  const std::string path = run.TempFolder() + run.EnergySpectrumFile[k];
  const std::vector<SpectrumRecord> records = ReadSpectrumFile(path);
  if (records.size() < static_cast<size_t>(kSolarPoints)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the file " + path + " holds " + std::to_string(records.size()) +
                       " spectrum lines instead of " + std::to_string(kSolarPoints) + "!");
  }
  for (int i = 1; i <= kSolarPoints; ++i) {
    const SpectrumRecord& record = records[i - 1];
    layers.Lambda[i] = record.lambda;
    layers.Set(i, k, record.t / 100.0, record.r1 / 100.0, record.r2 / 100.0);
  }
}

}  // namespace

AssemblyLayers ReadAssemblyLayers(const LamivexRun& run) {
  const int n = run.NumberGlass;
  if (n < 1 || n >= kLayerSlots) {
    throw RunError(kExitBadJob, "SM5.2",
                   "Error: " + std::to_string(n) + " layers cannot be combined!");
  }
  AssemblyLayers layers(n);
  for (int k = 1; k <= n; ++k) {
    layers.Kind(k) = run.GlassKind[k];
    ReadLayer(run, k, layers);
  }
  return layers;
}

void WriteSpectrumLine(std::vector<std::string>& fileLines, double lambda, double weight, double t,
                       double r1, double r2) {
  fileLines.push_back(SpectrumLine(lambda, weight, t, r1, r2));
}

void CalculateAssembly(LamivexRun& run) {
  // The headers go out first, so that a run stopped by a missing layer file
  // leaves no earlier run's assembly spectrum behind.
  WriteEnergySpectrumHeader(run, kFinalEnergyFile);
  WriteLightSpectrumHeader(run, kFinalLightFile);
  const AssemblyLayers layers = ReadAssemblyLayers(run);
  InitSolarWeights(run);
  InitLightWeights(run);
  const bool single = layers.Count() == 1;
  const bool laminated = UsesLaminatedModel(layers);

  std::vector<std::string> energyLines{EnergySpectrumHeader(run)};
  std::vector<std::string> lightLines{LightSpectrumHeader(run)};
  energyLines.reserve(kSolarPoints + 1);
  lightLines.reserve(kLightPoints + 1);
  int m = 0;
  for (int i = 1; i <= kSolarPoints; ++i) {
    const AssemblyPoint p = single      ? SingleLayerPoint(layers, i)
                            : laminated ? LaminatedPoint(layers, i)
                                        : LayerByLayerPoint(layers, i);
    const double lambda = layers.Lambda[i];
    run.Assembly.T[i - 1] = p.T, run.Assembly.R1[i - 1] = p.R1, run.Assembly.R2[i - 1] = p.R2;
    WriteSpectrumLine(energyLines, lambda, run.SolarWeights[i], 100.0 * p.T, 100.0 * p.R1,
                      100.0 * p.R2);
    if (i > kLightOffset && i <= kLightOffset + kLightPoints) {
      ++m;
      WriteSpectrumLine(lightLines, lambda, run.LightWeights[m], 100.0 * p.T, 100.0 * p.R1,
                        100.0 * p.R2);
    }
  }
  WriteTextLines(run.TempFolder() + kFinalEnergyFile, energyLines);
  WriteTextLines(run.TempFolder() + kFinalLightFile, lightLines);
}

}  // namespace lamivex
