#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "Interpolation.h"
#include "Main_modul6.h"
#include "glazing/DeclaredValues.h"
#include "glazing/Emissivity.h"

namespace lamivex::glazing {
namespace {

PaneSpectrum Flat(double t, double r1, double r2) {
  PaneSpectrum pane;
  pane.T.fill(t), pane.R1.fill(r1), pane.R2.fill(r2);
  return pane;
}

// A measured product file (wavelength in micrometres, fractions) on the solar grid, by the
// run's own resampling.
PaneSpectrum MeasuredPane(const std::string& name) {
  std::ifstream file(std::string(LAMIVEX_SOURCE_DIR) + "/data/spectra/" + name);
  std::vector<SpectrumRow> rows;
  for (std::string line; std::getline(file, line);) {
    SpectrumRow row{};
    if (line.find('{') == std::string::npos &&
        std::istringstream(line) >> row.lambda >> row.t >> row.r1 >> row.r2) {
      rows.push_back({row.lambda * 1000, row.t * 100, row.r1 * 100, row.r2 * 100});
    }
  }
  LamivexRun run;
  StoreSpectrum(run, rows);
  PaneSpectrum pane;
  for (int i = 0; i < kGridPoints; ++i) {
    InterpolateAtWavelength(run, kGridStart + kGridStep * i, 1, 0);
    pane.T[i] = run.GlassT[1] / 100, pane.R1[i] = run.GlassR1[1] / 100;
    pane.R2[i] = run.GlassR2[1] / 100;
  }
  return pane;
}

TEST(DeclaredValues, PublishedRangesHandWorkedValuesAndNeutralSpectra) {
  EXPECT_NEAR(CorrectedEmissivity(0.89), 0.837, 5e-4);  // EN 12898's uncoated glass

  const DeclaredValues clear = DeclareValues(MeasuredPane("CLEAR_3.DAT"), 0.89);
  EXPECT_TRUE(clear.SC >= 0.97 && clear.SC <= 1.01) << clear.SC;
  EXPECT_TRUE(clear.Ra >= 98 && clear.Ra <= 100) << clear.Ra;
  EXPECT_LT(clear.Tuv, clear.Te);  // float glass absorbs the UV

  // T 80 %, R1 8 %, a face of emissivity 0: hi = 3.6, qi = 12 * 3.6 / 26.6.
  const DeclaredValues flat = DeclareValues(Flat(0.8, 0.08, 0.05), 0.0);
  EXPECT_NEAR(flat.Ae1, 12.0, 1e-12);
  EXPECT_NEAR(flat.qi, 1.624060150, 1e-9);
  EXPECT_NEAR(flat.g, 81.624060150, 1e-9);
  EXPECT_NEAR(flat.SC, 0.938207588, 1e-9);
  EXPECT_NEAR(flat.S, 0.980103169, 1e-9);
  // Neutral: Tuv = T, Ra = 100, no hue; L* = 116 * 0.8^(1/3) - 16.
  EXPECT_NEAR(flat.Tuv, 80.0, 1e-12);
  EXPECT_NEAR(flat.Ra, 100.0, 1e-9);
  for (const Colour& c : {flat.T, flat.R1, flat.R2}) {
    EXPECT_NEAR(c.a, 0.0, 1e-9);
    EXPECT_NEAR(c.b, 0.0, 1e-9);
  }
  EXPECT_NEAR(flat.T.L, 91.684861, 1e-6);
  EXPECT_NEAR(flat.T.Y, 80.0, 1e-9);

  PaneSpectrum bluish = Flat(0.5, 0.1, 0.1);
  for (int i = 0; i < 40; ++i) bluish.T[i] = bluish.R1[i] = 0.9;  // below 500 nm
  const DeclaredValues blue = DeclareValues(bluish, 0.89);
  EXPECT_LT(blue.T.b, -10.0);
  EXPECT_LT(blue.R1.b, -10.0);
  EXPECT_NEAR(blue.R2.b, 0.0, 1e-9);
  EXPECT_LT(blue.Ra, 95.0);

  // T = wavelength / 1000 nm: each band's centre, 300 nm below 300 nm; EN 410's weights
  // sum to 34.856545 %.
  PaneSpectrum ramp;
  for (int i = 0; i < kGridPoints; ++i) ramp.T[i] = (kGridStart + kGridStep * i) / 1000;
  EXPECT_NEAR(UvTransmittance(ramp.T), 34.856545, 1e-9);
}

}  // namespace
}  // namespace lamivex::glazing
