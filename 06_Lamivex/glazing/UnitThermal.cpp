#include "glazing/UnitThermal.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

#include "glazing/DeclaredValues.h"

namespace lamivex::glazing {
namespace {

constexpr double kStefanBoltzmann = 5.67e-8;     // W/(m²K⁴)
constexpr double kMeanTemperature = 283.0;       // K
constexpr double kTemperatureDifference = 15.0;  // K across the whole glazing
constexpr double kGravity = 9.81;                // m/s²
constexpr double kNusseltA = 0.035;              // vertical glazing
constexpr double kNusseltN = 0.38;
constexpr double kOutsideCoefficientEN673 = 25.0;  // W/(m²K)
constexpr double kUncoatedCorrected = 0.837;

// hr of a gap between faces of normal emissivities e1 and e2.
double RadiativeConductance(double e1, double e2) {
  const double exchange = 1.0 / CorrectedEmissivity(e1) + 1.0 / CorrectedEmissivity(e2) - 1.0;
  return 4.0 * kStefanBoltzmann * std::pow(kMeanTemperature, 3) / exchange;
}

// hg of a gap with deltaT across it: conduction, raised by convection once Nu passes 1.
double GasConductance(const ThermalGap& gap, double deltaT) {
  const GasProperties gas = PropertiesOf(gap.filling);
  const double s = gap.widthMm / 1000.0;
  const double grashof = kGravity * s * s * s * deltaT * gas.density * gas.density /
                         (kMeanTemperature * gas.viscosity * gas.viscosity);
  const double prandtl = gas.viscosity * gas.specificHeat / gas.conductivity;
  const double nusselt = std::max(1.0, kNusseltA * std::pow(grashof * prandtl, kNusseltN));
  return nusselt * gas.conductivity / s;
}

std::vector<double> ConductancesAt(const ThermalUnit& unit, const std::vector<double>& deltaT) {
  std::vector<double> hs(unit.gaps.size());
  for (std::size_t k = 0; k < hs.size(); ++k) {
    hs[k] = RadiativeConductance(unit.panes[k].emissivity2, unit.panes[k + 1].emissivity1) +
            GasConductance(unit.gaps[k], deltaT[k]);
  }
  return hs;
}

}  // namespace

double PaneResistance(const ThermalPane& pane) {
  return pane.glassMm / 1000.0 / kGlassConductivity +
         pane.interlayerMm / 1000.0 / kInterlayerConductivity;
}

std::vector<double> GapConductances(const ThermalUnit& unit) {
  const std::size_t count = unit.gaps.size();
  std::vector<double> deltaT(count, kTemperatureDifference / static_cast<double>(count));
  std::vector<double> hs = ConductancesAt(unit, deltaT);
  for (int round = 0; round < 100 && count > 1; ++round) {
    const double total = std::accumulate(hs.begin(), hs.end(), 0.0,
                                         [](double sum, double h) { return sum + 1.0 / h; });
    double change = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
      const double shared = kTemperatureDifference * (1.0 / hs[k]) / total;
      change = std::max(change, std::abs(shared - deltaT[k]));
      deltaT[k] = shared;
    }
    hs = ConductancesAt(unit, deltaT);
    if (change < 1e-6) break;
  }
  return hs;
}

double UValue(const ThermalUnit& unit) {
  const double hi =
      3.6 + 4.1 * CorrectedEmissivity(unit.panes.back().emissivity2) / kUncoatedCorrected;
  double resistance = 1.0 / kOutsideCoefficientEN673 + 1.0 / hi;
  for (const ThermalPane& pane : unit.panes) resistance += PaneResistance(pane);
  for (double hs : GapConductances(unit)) resistance += 1.0 / hs;
  return 1.0 / resistance;
}

std::vector<double> InverseConductances(const ThermalUnit& unit) {
  const std::vector<double> hs = GapConductances(unit);
  const std::size_t last = unit.panes.size() - 1;
  std::vector<double> inverse(hs.size());
  for (std::size_t k = 0; k < hs.size(); ++k) {
    const double before = PaneResistance(unit.panes[k]) * (k == 0 ? 1.0 : 0.5);
    const double after = PaneResistance(unit.panes[k + 1]) * (k + 1 == last ? 1.0 : 0.5);
    inverse[k] = before + 1.0 / hs[k] + after;
  }
  return inverse;
}

double UnitG(double te, const std::vector<double>& absorbed,
             const std::vector<double>& inverseConductances, double hi) {
  const double he = kOutsideHeatTransfer;
  double numerator = std::accumulate(absorbed.begin(), absorbed.end(), 0.0) / he;
  double denominator = 1.0 / hi + 1.0 / he;
  for (std::size_t k = 0; k < inverseConductances.size(); ++k) {
    // The heat absorbed in the panes behind gap k crosses it on its way outwards.
    const double behind =
        std::accumulate(absorbed.begin() + static_cast<long>(k) + 1, absorbed.end(), 0.0);
    numerator += behind * inverseConductances[k];
    denominator += inverseConductances[k];
  }
  return te + numerator / denominator;
}

double UnitG(double te, const std::vector<double>& absorbed, const ThermalUnit& unit) {
  return UnitG(te, absorbed, InverseConductances(unit),
               RoomSideHeatTransfer(unit.panes.back().emissivity2));
}

}  // namespace lamivex::glazing
