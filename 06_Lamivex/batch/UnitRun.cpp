// The unit's values follow EN 410 (light and solar values, g) and EN 673 (U), from its
// panes' spectra and the gaps between them.
#include "UnitRun.h"

#include <algorithm>

#include "UnitReportOf.h"
#include "glazing/DeclaredValues.h"
#include "glazing/UnitOptics.h"

namespace lamivex::batch {
namespace {

constexpr double kShadingReference = 0.87;  // g of a 3 mm clear glass, as a fraction

void AddMessage(std::string& messages, const std::string& text) {
  if (!text.empty()) messages += (messages.empty() ? "" : " ") + text;
}

// The unit's values in the columns of a pane. Tuv, Ra and the colours follow from the
// unit's spectrum as for a pane; g needs the heat flow between the panes. Gives the unit's
// spectrum.
glazing::PaneSpectrum CombineInto(StackResult& result, const Stack& stack,
                                  const std::vector<glazing::PaneSpectrum>& spectra) {
  const glazing::UnitOptics optics = glazing::CombinePanes(spectra);
  glazing::ThermalUnit thermal{{}, stack.gaps};
  for (const UnitPane& pane : stack.panes) thermal.panes.push_back(pane.thermal);
  const glazing::DeclaredValues v =
      glazing::DeclareValues(optics.unit, thermal.panes.back().emissivity2);
  std::vector<double> absorbed;
  for (const glazing::GridValues& alpha : optics.absorbed) {
    absorbed.push_back(glazing::SolarMean(alpha) / 100.0);
  }
  const double g = 100.0 * glazing::UnitG(v.Te / 100.0, absorbed, thermal);
  const double rl1 = glazing::LightMean(optics.unit.R1);
  const double rl2 = glazing::LightMean(optics.unit.R2);
  result.values = {v.Te,
                   v.Re1,
                   v.Ae1,
                   v.Re2,
                   100.0 - v.Te - v.Re2,
                   v.Tl,
                   rl1,
                   100.0 - v.Tl - rl1,
                   rl2,
                   100.0 - v.Tl - rl2,
                   g,
                   g / 100.0 / kShadingReference,
                   g > 0.0 ? v.Tl / g : 0.0,
                   v.Tuv,
                   v.Ra,
                   v.T.L,
                   v.T.a,
                   v.T.b,
                   v.R1.L,
                   v.R1.a,
                   v.R1.b,
                   v.R2.L,
                   v.R2.a,
                   v.R2.b};
  result.u = glazing::UValue(thermal);
  return optics.unit;
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
    const glazing::PaneSpectrum unit = CombineInto(result, stack, spectra);
    result.calculated = true;
    if (!settings.reportsFolder.empty()) {
      WriteUnitReportOf(stack, spectra, unit, folder, settings, result);
    }
  }
  return result;
}

}  // namespace lamivex::batch
