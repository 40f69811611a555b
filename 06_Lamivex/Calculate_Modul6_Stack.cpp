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

}  // namespace

StackCalculation CalculateStack(const std::vector<StackLayer>& layers, bool withFileText) {
  StackCalculation c;
  std::vector<int16_t> kinds;
  for (const StackLayer& layer : layers) {
    assert(layer.product != nullptr);
    kinds.push_back(layer.kind);
    c.layerSpectra.push_back(ResampleLayer(*layer.product, layer.turned, withFileText));
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
