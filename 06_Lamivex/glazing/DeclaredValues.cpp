// The declared values of a pane: the EN 410 means of its spectrum, the total solar
// energy transmittance g with its secondary heat transfer qi, and the ratios taken from
// them. The means are those of the run's result files: the same weights, the same sums.
#include "glazing/DeclaredValues.h"

#include <vector>

#include "Interpolation.h"
#include "Result_Common_Modul6.h"
#include "glazing/ColourTables.h"
#include "glazing/Emissivity.h"

namespace lamivex::glazing {
namespace {

static_assert(kGridPoints == kSolarPoints);
constexpr double kUncoatedCorrectedEmissivity = 0.837;
constexpr double kShadingReference = 0.87;  // g of a 3 mm clear glass, as a fraction

// The spectrum's points with their solar weights, in percent as the spectrum files hold them.
std::vector<SpectrumRecord> SolarRecords(const SpectralCurve& t, const SpectralCurve& r1,
                                         const SpectralCurve& r2) {
  const auto& weights = SolarWeightTable();
  std::vector<SpectrumRecord> records(kGridPoints);
  for (int i = 0; i < kGridPoints; ++i) {
    records[i] = {kGridStart + kGridStep * i, weights[i + 1], 100.0 * t[i], 100.0 * r1[i],
                  100.0 * r2[i]};
  }
  return records;
}

// The points from 380 to 780 nm with their light weights.
std::vector<SpectrumRecord> LightRecords(const SpectralCurve& t) {
  const auto& weights = LightWeightTable();
  std::vector<SpectrumRecord> records(kLightPoints);
  for (int j = 0; j < kLightPoints; ++j) {
    const int i = kLightOffset + j;
    records[j] = {kGridStart + kGridStep * i, weights[j + 1], 100.0 * t[i], 0.0, 0.0};
  }
  return records;
}

}  // namespace

double RoomSideHeatTransfer(double roomSideNormalEmissivity) {
  const double corrected = CorrectedEmissivity(roomSideNormalEmissivity);
  return 3.6 + 4.4 * corrected / kUncoatedCorrectedEmissivity;
}

double SecondaryHeatTransfer(double ae1, double roomSideNormalEmissivity) {
  const double hi = RoomSideHeatTransfer(roomSideNormalEmissivity);
  return ae1 * hi / (hi + kOutsideHeatTransfer);
}

double SolarMean(const SpectralCurve& curve) {
  return IntegrateSpectrum(SolarRecords(curve, curve, curve)).T;
}

double LightMean(const SpectralCurve& curve) {
  return IntegrateSpectrum(LightRecords(curve)).T;
}

double UvTransmittance(const SpectralCurve& t) {
  double weighted = 0.0;
  double weights = 0.0;
  for (int band = 0; band < kUvBands; ++band) {
    const double centre = kFirstUvBandCentre + kGridStep * band;
    double value = t[0];
    if (centre > kGridStart) {
      const int below = static_cast<int>((centre - kGridStart) / kGridStep);
      const double fraction = (centre - (kGridStart + kGridStep * below)) / kGridStep;
      value = t[below] + (t[below + 1] - t[below]) * fraction;
    }
    weighted += UvBandWeights()[band] * value;
    weights += UvBandWeights()[band];
  }
  return 100.0 * weighted / weights;
}

DeclaredValues DeclareValues(const PaneSpectrum& pane, double roomSideNormalEmissivity) {
  DeclaredValues v;
  const IntegratedValues solar = IntegrateSpectrum(SolarRecords(pane.T, pane.R1, pane.R2));
  v.Te = solar.T;
  v.Re1 = solar.R1;
  v.Re2 = solar.R2;
  v.Ae1 = solar.A1;
  v.Tl = LightMean(pane.T);
  v.qi = SecondaryHeatTransfer(v.Ae1, roomSideNormalEmissivity);
  v.g = v.Te + v.qi;
  v.SC = v.g / 100.0 / kShadingReference;
  v.S = v.g > 0.0 ? v.Tl / v.g : 0.0;
  v.Tuv = UvTransmittance(pane.T);
  v.Ra = ColourRenderingIndex(pane.T);
  v.T = ColourOf(pane.T);
  v.R1 = ColourOf(pane.R1);
  v.R2 = ColourOf(pane.R2);
  return v;
}

}  // namespace lamivex::glazing
