// The unit's values follow EN 410 (light and solar values, g) and EN 673 (U), from its
// panes' spectra and the gaps between them.
#include "UnitRun.h"

#include <algorithm>

#include "Interpolation.h"
#include "Result_Common_Modul6.h"
#include "glazing/UnitOptics.h"

namespace lamivex::batch {
namespace {

void AddMessage(std::string& messages, const std::string& text) {
  if (!text.empty()) messages += (messages.empty() ? "" : " ") + text;
}

// Weighted means of the spectrum (fractions) with the run's solar weights, or with its
// light weights over 380 to 780 nm; in percent, as the run integrates an assembly.
IntegratedValues Integrate(const glazing::PaneSpectrum& spectrum, const LamivexRun& weights,
                           bool light) {
  std::vector<SpectrumRecord> records;
  const int first = light ? 16 : 0;
  const int count = light ? kLightPoints : kSolarPoints;
  for (int n = 0; n < count; ++n) {
    const int i = first + n;
    records.push_back({300.0 + 5.0 * i,
                       light ? weights.LightWeights[n + 1] : weights.SolarWeights[i + 1],
                       100.0 * spectrum.T[i], 100.0 * spectrum.R1[i], 100.0 * spectrum.R2[i]});
  }
  return IntegrateSpectrum(records);
}

// The unit's values from its panes' spectra, in the columns of a pane.
void CombineInto(StackResult& result, const Stack& stack,
                 const std::vector<glazing::PaneSpectrum>& spectra) {
  LamivexRun weights;
  InitSolarWeights(weights);
  InitLightWeights(weights);
  const glazing::UnitOptics optics = glazing::CombinePanes(spectra);
  const IntegratedValues solar = Integrate(optics.unit, weights, false);
  const IntegratedValues light = Integrate(optics.unit, weights, true);
  result.values = {solar.T, solar.R1, solar.A1, solar.R2, solar.A2,
                   light.T, light.R1, light.A1, light.R2, light.A2};
  glazing::ThermalUnit thermal{{}, stack.gaps};
  for (const UnitPane& pane : stack.panes) thermal.panes.push_back(pane.thermal);
  result.u = glazing::UValue(thermal);
}

}  // namespace

StackResult RunUnit(const Stack& stack, const std::string& folder, const BatchSettings& settings) {
  StackResult result;
  result.model = "unit of " + std::to_string(stack.panes.size()) + " panes";
  result.message = stack.assumedThicknesses;
  std::vector<glazing::PaneSpectrum> spectra(stack.panes.size());
  for (size_t p = 0; p < stack.panes.size(); ++p) {
    Stack pane{stack.line, stack.name, stack.layersText, stack.panes[p].layers, {}, {}, {}, {}};
    const std::string paneName = "pane " + std::to_string(p + 1);
    result.panes.push_back(
        RunPane(pane, folder + "_pane" + std::to_string(p + 1), settings, &spectra[p]));
    const StackResult& ran = result.panes.back();
    if (!ran.message.empty()) AddMessage(result.message, paneName + ": " + ran.message);
    if (result.status == 0) result.status = ran.status;
  }
  const bool allRan = std::all_of(result.panes.begin(), result.panes.end(),
                                  [](const StackResult& pane) { return pane.calculated; });
  if (allRan) {
    CombineInto(result, stack, spectra);
    result.calculated = true;
  }
  return result;
}

}  // namespace lamivex::batch
