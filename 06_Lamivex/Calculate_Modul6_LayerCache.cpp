// A layer is resampled outside the lock, so that threads meeting new layers at once do
// not wait for each other; the first to finish keeps its (identical) result.
#include "Calculate_Modul6_LayerCache.h"

#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"

namespace lamivex {

const ResampledLayer& LayerCache::Layer(const std::vector<SpectrumRow>& product, bool turned) {
  const std::pair key{&product, turned};
  {
    const std::lock_guard lock(mutex_);
    if (const auto found = layers_.find(key); found != layers_.end()) return found->second;
  }
  ResampledLayer layer;
  layer.spectrum = InterpolateGlass(product, turned, false);
  layer.energy = IntegrateEnergyResult(layer.spectrum.records);
  layer.light = IntegrateLightResult(layer.spectrum.records);
  const std::lock_guard lock(mutex_);
  return layers_.try_emplace(key, std::move(layer)).first->second;
}

}  // namespace lamivex
