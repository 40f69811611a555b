// Layers resampled once for many stacks: a batch calculates thousands of stacks from a
// few products, and a layer's spectrum and integrations depend only on its product and
// on whether it is turned.
#pragma once

#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "Interpolation.h"
#include "MdlDeclarations.h"
#include "Result_Common_Modul6.h"

namespace lamivex {

struct ResampledLayer {
  GridSpectrum spectrum;  // records only, no file text
  IntegratedValues energy, light;
};

class LayerCache {
 public:
  // The layer of that product (identified by where its rows are kept, which must not
  // change while the cache is used) turned or not, resampled and integrated on first use.
  // Safe to call from several threads; the layer stays in place as long as the cache.
  const ResampledLayer& Layer(const std::vector<SpectrumRow>& product, bool turned);

 private:
  std::mutex mutex_;
  std::map<std::pair<const std::vector<SpectrumRow>*, bool>, ResampledLayer> layers_;
};

}  // namespace lamivex
