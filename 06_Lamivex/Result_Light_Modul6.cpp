// Integrated light characteristics: Tl, Rl1, Al1, Rl2, Al2 over 380 - 780 nm.
#include "Result_Light_Modul6.h"

#include <cmath>

namespace lamivex {

// The visible spectrum file of a layer or of the assembly holds the points 380 to 780 nm of
// its solar spectrum, the light weights 1 to 81 in place of the solar ones.
IntegratedValues IntegrateLightResult(const std::vector<SpectrumRecord>& solarSpectrum) {
  const auto& weights = LightWeightsAsText();
  std::vector<SpectrumRecord> visible;
  visible.reserve(kLightPoints);
  for (const SpectrumRecord& record : solarSpectrum) {
    const double j = (record.lambda - 380.0) / 5.0 + 1.0;
    if (j < 0.5 || j > kLightPoints + 0.5) continue;
    SpectrumRecord point = record;
    point.weight = weights[static_cast<size_t>(std::lround(j))];
    visible.push_back(point);
  }
  return IntegrateSpectrum(visible);
}

}  // namespace lamivex
