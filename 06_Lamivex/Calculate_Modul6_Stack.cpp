// One stack calculated in memory: the layers resampled, combined, integrated and declared.
#include "Calculate_Modul6_Stack.h"

#include <cassert>

#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"

namespace lamivex {
namespace {

// A one-layer run keeps its layer's own integrations, which it made last; a run of more
// layers keeps the assembly's.
SummaryResults SummaryOf(const StackCalculation& c) {
  const bool oneLayer = c.layerSpectra.size() == 1;
  const IntegratedValues& energy = oneLayer ? c.layerEnergy.front() : c.assemblyEnergy;
  const IntegratedValues& light = oneLayer ? c.layerLight.front() : c.assemblyLight;
  return {energy.T, energy.R1, energy.R2, light.T, light.R1, light.R2};
}

// The earlier layer of the same product turned the same way, or layers.size().
size_t SameLayerBefore(const std::vector<StackLayer>& layers, size_t k) {
  for (size_t j = 0; j < k; ++j) {
    const bool sameProduct =
        layers[j].product == layers[k].product || *layers[j].product == *layers[k].product;
    if (sameProduct && layers[j].turned == layers[k].turned) return j;
  }
  return layers.size();
}

}  // namespace

// A stack often repeats a product (the two glasses of a laminate): its spectrum and
// integrations are calculated once.
StackCalculation CalculateStack(const std::vector<StackLayer>& layers, bool withFileText,
                                LayerCache* cache) {
  StackCalculation c;
  std::vector<int16_t> kinds;
  for (size_t k = 0; k < layers.size(); ++k) {
    assert(layers[k].product != nullptr);
    kinds.push_back(layers[k].kind);
    if (const size_t j = SameLayerBefore(layers, k); j < k) {
      c.layerSpectra.push_back(c.layerSpectra[j]);
      c.layerEnergy.push_back(c.layerEnergy[j]);
      c.layerLight.push_back(c.layerLight[j]);
      continue;
    }
    if (cache != nullptr && !withFileText) {
      const ResampledLayer& layer = cache->Layer(*layers[k].product, layers[k].turned);
      c.layerSpectra.push_back(layer.spectrum);
      c.layerEnergy.push_back(layer.energy);
      c.layerLight.push_back(layer.light);
      continue;
    }
    c.layerSpectra.push_back(InterpolateGlass(*layers[k].product, layers[k].turned, withFileText));
    c.layerEnergy.push_back(IntegrateEnergyResult(c.layerSpectra.back().records));
    c.layerLight.push_back(IntegrateLightResult(c.layerSpectra.back().records));
  }
  const AssemblyLayers assembly = AssemblyLayersOf(kinds, c.layerSpectra);
  c.model = ModelOf(assembly);
  c.assemblySpectrum = CalculateAssembly(assembly, c.assembly, withFileText);
  c.assemblyEnergy = IntegrateEnergyResult(c.assemblySpectrum.records);
  c.assemblyLight = IntegrateLightResult(c.assemblySpectrum.records);
  c.summary = SummaryOf(c);
  c.declared = glazing::DeclareValues(c.assembly, layers.back().emn2 / 100.0);
  return c;
}

std::vector<StackLayer> StackLayersOf(const LamivexRun& run) {
  std::vector<StackLayer> layers;
  for (int k = 1; k <= run.NumberGlass; ++k) {
    layers.push_back({run.GlassKind[k], run.InverseFace[k - 1] != 0, run.GlassEmn1[k],
                      run.GlassEmn2[k], &run.LayerSpectra[k]});
  }
  return layers;
}

}  // namespace lamivex
