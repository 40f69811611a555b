// The assembly spectrum: combines the layers' solar spectra into the content of
// Final_Energy_Lamivex.out.
#include "Calculate_Modul6.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "platform/RunError.h"

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

AssemblyLayers AssemblyLayersOf(const std::vector<int16_t>& kinds,
                                const std::vector<GridSpectrum>& spectra) {
  const int n = static_cast<int>(std::min(kinds.size(), spectra.size()));
  if (n < 1 || n >= kLayerSlots) {
    throw RunError(kExitBadJob, "SM5.2",
                   "Error: " + std::to_string(n) + " layers cannot be combined!");
  }
  AssemblyLayers layers(n);
  for (int k = 1; k <= n; ++k) {
    layers.Kind(k) = kinds[k - 1];
    const std::vector<SpectrumRecord>& records = spectra[k - 1].records;
    assert(records.size() == static_cast<size_t>(kSolarPoints));
    for (int i = 1; i <= kSolarPoints; ++i) {
      const SpectrumRecord& record = records[i - 1];
      layers.Lambda[i] = record.lambda;
      layers.Set(i, k, record.t / 100.0, record.r1 / 100.0, record.r2 / 100.0);
    }
  }
  return layers;
}

AssemblyModel ModelOf(const AssemblyLayers& layers) {
  if (layers.Count() == 1) return AssemblyModel::OneLayer;
  return UsesLaminatedModel(layers) ? AssemblyModel::Laminated : AssemblyModel::LayerByLayer;
}

GridSpectrum CalculateAssembly(const AssemblyLayers& layers, glazing::PaneSpectrum& fractions,
                               bool withText) {
  const AssemblyModel model = ModelOf(layers);
  const auto& weights = SolarWeightTable();
  GridSpectrum spectrum;
  spectrum.records.reserve(kSolarPoints);
  if (withText) StartSpectrumText(spectrum.text);
  for (int i = 1; i <= kSolarPoints; ++i) {
    const AssemblyPoint p = model == AssemblyModel::OneLayer    ? SingleLayerPoint(layers, i)
                            : model == AssemblyModel::Laminated ? LaminatedPoint(layers, i)
                                                                : LayerByLayerPoint(layers, i);
    fractions.T[i - 1] = p.T, fractions.R1[i - 1] = p.R1, fractions.R2[i - 1] = p.R2;
    spectrum.records.push_back(
        AsSpectrumLine({layers.Lambda[i], weights[i], 100.0 * p.T, 100.0 * p.R1, 100.0 * p.R2},
                       withText ? &spectrum.text : nullptr));
  }
  return spectrum;
}

}  // namespace lamivex
