#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "glazing/DeclaredValues.h"
#include "glazing/Emissivity.h"
#include "glazing/UnitOptics.h"
#include "glazing/UnitThermal.h"

namespace lamivex::glazing {
namespace {

// Published U values of double and triple glazing (4 mm panes, uncoated εn 0.89, low-e
// 0.03 on the face towards the gap), to the 0.1 W/(m²K) they are given to. Each unit
// written the other way round, its panes turned, has the same U.
TEST(GlazingUnit, UValuesOfPublishedUnits) {
  const ThermalPane clear{}, lowE2{4.0, 0.0, 0.89, 0.03}, lowE1{4.0, 0.0, 0.03, 0.89};
  const GasFilling air{}, argon{Gas::Argon, 90.0}, krypton{Gas::Krypton, 90.0};
  const struct {
    ThermalUnit unit;
    double u;
  } kCases[] = {
      {{{clear, clear}, {{16.0, air}}}, 2.7},
      {{{clear, clear}, {{12.0, air}}}, 2.9},
      {{{clear, clear}, {{6.0, air}}}, 3.3},
      {{{clear, clear}, {{16.0, argon}}}, 2.6},
      {{{lowE2, clear}, {{16.0, air}}}, 1.4},
      {{{lowE2, clear}, {{16.0, argon}}}, 1.1},
      {{{clear, lowE1}, {{12.0, krypton}}}, 1.1},
      {{{lowE2, clear, lowE1}, {{12.0, argon}, {12.0, argon}}}, 0.7},
  };
  for (const auto& c : kCases) {
    ThermalUnit reversed{{c.unit.panes.rbegin(), c.unit.panes.rend()},
                         {c.unit.gaps.rbegin(), c.unit.gaps.rend()}};
    for (ThermalPane& pane : reversed.panes) std::swap(pane.emissivity1, pane.emissivity2);
    SCOPED_TRACE(c.u);
    EXPECT_NEAR(UValue(c.unit), c.u, 0.05);
    EXPECT_NEAR(UValue(reversed), UValue(c.unit), 1e-12);
    // The conductances between the panes and the two surface coefficients are resistances
    // in series (EN 673: he 25, hi from the room-side face).
    const double roomSide = CorrectedEmissivity(c.unit.panes.back().emissivity2);
    double resistance = 1.0 / 25.0 + 1.0 / (3.6 + 4.1 * roomSide / 0.837);
    for (double inverse : InverseConductances(c.unit)) resistance += inverse;
    EXPECT_NEAR(1.0 / UValue(c.unit), resistance, 1e-12);
  }
  EXPECT_NEAR(PaneResistance({4.0, 0.76}), 0.004 + 0.0038, 1e-15);  // 4 mm glass, 0.76 mm PVB
}

TEST(GlazingUnit, GOfTwoPanes) {
  EXPECT_NEAR(UnitG(0.703296, {0.0964899, 0.0722568}, {0.185206}, RoomSideHeatTransfer(0.89)),
              0.76188, 5e-6);
}

PaneSpectrum Pane(double t, double r1, double r2, double slope) {
  PaneSpectrum pane;
  for (int i = 0; i < kGridPoints; ++i) {
    const double x = 1.0 + slope * i / kGridPoints;
    pane.T[i] = t / x, pane.R1[i] = r1 * x, pane.R2[i] = r2;
  }
  return pane;
}

PaneSpectrum Turned(PaneSpectrum pane) {
  std::swap(pane.R1, pane.R2);
  return pane;
}

TEST(GlazingUnit, OpticsConserveEnergyAndIgnoreClearPanesAndDirection) {
  const PaneSpectrum a = Pane(0.8, 0.1, 0.1, 0.0), b = Pane(0.7, 0.2, 0.05, 0.5),
                     c = Pane(0.3, 0.4, 0.1, -0.4), open = Pane(1.0, 0.0, 0.0, 0.0);
  const UnitOptics ab = CombinePanes({a, a});  // 0.8²/(1 − 0.1²), worked by hand
  EXPECT_NEAR(ab.unit.T[0], 0.646465, 1e-6);
  EXPECT_NEAR(ab.unit.R1[0], 0.164646, 1e-6);
  EXPECT_NEAR(ab.absorbed[0][0], 0.108081, 1e-6);
  const UnitOptics abc = CombinePanes({a, b, c}),
                   reversed = CombinePanes({Turned(c), Turned(b), Turned(a)});
  const UnitOptics padded = CombinePanes({a, open, b, c, open});
  for (int i = 0; i < kGridPoints; i += 20) {
    SCOPED_TRACE(i);
    double sum = abc.unit.T[i] + abc.unit.R1[i];
    for (const GridValues& alpha : abc.absorbed) sum += alpha[i];
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NEAR(reversed.unit.T[i], abc.unit.T[i], 1e-12);
    EXPECT_NEAR(reversed.unit.R1[i], abc.unit.R2[i], 1e-12);
    EXPECT_NEAR(reversed.unit.R2[i], abc.unit.R1[i], 1e-12);
    EXPECT_NEAR(padded.unit.T[i], abc.unit.T[i], 1e-12);
    EXPECT_NEAR(padded.unit.R1[i], abc.unit.R1[i], 1e-12);
    EXPECT_NEAR(padded.unit.R2[i], abc.unit.R2[i], 1e-12);
    EXPECT_NEAR(padded.absorbed[2][i], abc.absorbed[1][i], 1e-12);
  }
}

}  // namespace
}  // namespace lamivex::glazing
