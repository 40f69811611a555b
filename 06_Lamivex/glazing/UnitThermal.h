// The heat transfer of a vertical insulating glazing unit: the U value at EN 673's
// declared conditions and the g value at EN 410's. No frame, no edge seal.
#pragma once

#include <vector>

#include "glazing/Emissivity.h"
#include "glazing/GasProperties.h"

namespace lamivex::glazing {

inline constexpr double kGlassConductivity = 1.0;       // W/(m K)
inline constexpr double kInterlayerConductivity = 0.2;  // W/(m K)

// A pane as its heat transfer sees it: the glass and interlayer it is made of, and the
// normal emissivities (fractions) of its face 1 (outside) and face 2 (room side).
struct ThermalPane {
  double glassMm = 4.0;
  double interlayerMm = 0.0;
  double emissivity1 = kUncoatedNormalEmissivity;
  double emissivity2 = kUncoatedNormalEmissivity;
};

struct ThermalGap {
  double widthMm = 16.0;
  GasFilling filling;
};

// Panes from the outside to the room side, one gap between each two.
struct ThermalUnit {
  std::vector<ThermalPane> panes;
  std::vector<ThermalGap> gaps;
};

// Thermal resistance of a pane's material, Σ d/λ, in m²K/W.
double PaneResistance(const ThermalPane& pane);

// Each gap's conductance hs = hr + hg (W/(m²K)) at the declared conditions: mean
// temperature 283 K, 15 K across the whole glazing shared between the gaps in
// proportion to their resistances.
std::vector<double> GapConductances(const ThermalUnit& unit);

// U value at EN 673's declared conditions, in W/(m²K).
double UValue(const ThermalUnit& unit);

// 1/Λ of each gap (m²K/W) for the g value: from the outer face of the first pane, or
// the middle of a middle pane, to the middle of a middle pane or the inner face of
// the last pane.
std::vector<double> InverseConductances(const ThermalUnit& unit);

// g = Te + qi (fractions), with the solar absorptances of the panes (fractions, from the
// outside) and 1/Λ of each gap, EN 410's he = 23 W/(m²K) and the given hi.
double UnitG(double te, const std::vector<double>& absorbed,
             const std::vector<double>& inverseConductances, double hi);

// g of the unit: the above with its own 1/Λ and EN 410's hi for its room-side face.
double UnitG(double te, const std::vector<double>& absorbed, const ThermalUnit& unit);

}  // namespace lamivex::glazing
