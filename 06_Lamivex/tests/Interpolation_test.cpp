#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "Interpolation.h"
#include "OpticsTestSupport.h"
#include "TestDatabase.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

// Loads a spectrum into the run's arrays as the loader would: records from
// index 1, T = lambda / 30, R1 = lambda / 300, R2 = lambda / 400.
void LoadRamp(LamivexRun& run, double first, double step, int count) {
  for (int k = 1; k <= count; ++k) {
    const double lambda = first + step * (k - 1);
    run.SpectrumLambda[k] = lambda;
    run.SpectrumT[k] = lambda / 30.0;
    run.SpectrumR1[k] = lambda / 300.0;
    run.SpectrumR2[k] = lambda / 400.0;
  }
  run.SpectrumCount = static_cast<int16_t>(count);
}

TEST(InterpolateAtWavelength, ProductOnTheFiveNanometreGridIsCopied) {
  LamivexRun run;
  LoadRamp(run, 300, 5, 441);
  run.SpectrumT[7] = 12.345678901234567;  // not on the ramp: must come out unchanged
  for (int i = 1; i <= 441; ++i) {
    InterpolateAtWavelength(run, 300.0 + 5 * (i - 1), 1, 0);
    ASSERT_EQ(run.GlassT[1], run.SpectrumT[i]);
    ASSERT_EQ(run.GlassR1[1], run.SpectrumR1[i]);
    ASSERT_EQ(run.GlassR2[1], run.SpectrumR2[i]);
  }
}

TEST(InterpolateAtWavelength, TenNanometreProductGetsTheMeans) {
  LamivexRun run;
  LoadRamp(run, 300, 10, 221);
  run.SpectrumT[2] = 50.0;  // 310 nm
  InterpolateAtWavelength(run, 305, 1, 0);
  EXPECT_DOUBLE_EQ(run.GlassT[1], (run.SpectrumT[1] + 50.0) / 2);
  EXPECT_DOUBLE_EQ(run.GlassR1[1], (run.SpectrumR1[1] + run.SpectrumR1[2]) / 2);
  InterpolateAtWavelength(run, 2495, 2, 0);
  EXPECT_DOUBLE_EQ(run.GlassR2[2], (run.SpectrumR2[220] + run.SpectrumR2[221]) / 2);
}

TEST(InterpolateAtWavelength, BelowTheFirstRecordRunsFromZero) {
  LamivexRun run;
  LoadRamp(run, 350, 5, 431);
  InterpolateAtWavelength(run, 300, 1, 0);
  EXPECT_DOUBLE_EQ(run.GlassT[1], run.SpectrumT[1] * 300 / 350);
  EXPECT_DOUBLE_EQ(run.GlassR1[1], run.SpectrumR1[1] * 300 / 350);
  EXPECT_DOUBLE_EQ(run.GlassR2[1], run.SpectrumR2[1] * 300 / 350);
}

TEST(InterpolateAtWavelength, AboveTheLastRecordHoldsItsValuesNotAnEarlierProducts) {
  LamivexRun run;
  LoadRamp(run, 300, 5, 441);   // an earlier layer filled every entry
  LoadRamp(run, 300, 10, 171);  // this one stops at 2000 nm
  for (double lambda : {2005.0, 2300.0, 2500.0}) {
    InterpolateAtWavelength(run, lambda, 1, 0);
    EXPECT_EQ(run.GlassT[1], 2000.0 / 30.0) << lambda;
    EXPECT_EQ(run.GlassR1[1], 2000.0 / 300.0) << lambda;
    EXPECT_EQ(run.GlassR2[1], 2000.0 / 400.0) << lambda;
  }
}

TEST(InterpolateAtWavelength, RefusesAnEmptySpectrumAndABadSlot) {
  LamivexRun run;
  run.SpectrumCount = 0;
  EXPECT_THROW(InterpolateAtWavelength(run, 300, 1, 0), RunError);
  LoadRamp(run, 300, 5, 441);
  EXPECT_THROW(InterpolateAtWavelength(run, 300, 5, 0), RunError);
  EXPECT_THROW(InterpolateAtWavelength(run, 300, -1, 0), RunError);
}

TEST(LayerSpectrumFiles, SolarAndVisibleFilesInPrintZonesWithCrLf) {
  testing::TempProfile profile;
  LamivexRun run;
  run.ProfilePath = profile.Path();
  InitSolarWeights(run);
  InitLightWeights(run);
  LoadRamp(run, 300, 10, 221);
  WriteLayerSpectrumFiles(run, "Energy_1.out", "Light_1.out");

  const std::string energyBytes = testing::ReadBytes(profile.Temp("Energy_1.out"));
  const auto energy = testing::CrLfLines(energyBytes);
  ASSERT_EQ(energy.size(), 442u);
  EXPECT_EQ(energyBytes.size(), [&] {
    size_t n = 0;
    for (const auto& line : energy) n += line.size() + 2;
    return n;
  }()) << "every line, the last included, ends with CR LF";
  EXPECT_EQ(energy[0], EnergySpectrumHeader(run));
  EXPECT_EQ(energy[1], SpectrumLine(300, 0.000125, 10, 1, 0.75));
  EXPECT_EQ(testing::Fields(energy[441])[0], "2500");
  EXPECT_EQ(testing::Fields(energy[441])[1], "6E-05");

  const auto light = testing::CrLfLines(testing::ReadBytes(profile.Temp("Light_1.out")));
  ASSERT_EQ(light.size(), 82u);
  EXPECT_EQ(light[0], LightSpectrumHeader(run));
  EXPECT_EQ(testing::Fields(light[1])[0], "380");
  EXPECT_EQ(testing::Fields(light[1])[1], "0");
  EXPECT_EQ(testing::Fields(light[2])[1], "1.25E-06");
  EXPECT_EQ(testing::Fields(light[81])[0], "780");
  EXPECT_EQ(run.LambdaMin, 300.0);
  EXPECT_EQ(run.LambdaMax, 2500.0);
}

TEST(InterpolateGlass, TurnedLayerShowsTheDatabasesFace2InReflection1) {
  testing::TempProfile profile;
  const std::string dbPath = profile.Temp("s.db");
  {
    testing::TestDatabase(dbPath).AddProduct("glass", 7,
                                             testing::TestDatabase::Flat(300, 2500, 80, 9, 4));
  }
  LamivexRun run;
  run.ProfilePath = profile.Path();
  run.SpectralDb = std::make_unique<SpectralDatabase>();
  run.SpectralDb->Open(dbPath, "", true);
  InterpolateGlass(run, "Energy_1.out", "Light_1.out", 7, 1, 1);
  const auto turned = testing::CrLfLines(testing::ReadBytes(profile.Temp("Energy_1.out")));
  ASSERT_EQ(turned.size(), 442u);
  EXPECT_EQ(turned[441], SpectrumLine(2500, 0.00006, 80, 4, 9));
  InterpolateGlass(run, "Energy_2.out", "Light_2.out", 7, 1, 0);
  const auto light = testing::CrLfLines(testing::ReadBytes(profile.Temp("Light_2.out")));
  EXPECT_EQ(light[35], SpectrumLine(550, 0.0490385, 80, 9, 4));
}

TEST(SpectrumFileReader, ReadsBlanksOrCommasAndRefusesMalformedLines) {
  testing::TempProfile profile;
  testing::WriteBytes(profile.Temp("a.out"),
                      "header\r\n300   0.5   80 7,8\r\n305,1.25E-06,80.5,7.5,8\r\n\r\n"
                      "310 0.333333333333333 1.23456789012346E+15 1E+23 -.5e1\r\n");
  const auto records = ReadSpectrumFile(profile.Temp("a.out"));
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].r1, 7.0);
  EXPECT_EQ(records[1].weight, 1.25e-6);
  // Every digit counts: the nearest double, as the compiler reads the same text.
  EXPECT_EQ(records[2].weight, 0.333333333333333);
  EXPECT_EQ(records[2].t, 1.23456789012346E+15);
  EXPECT_EQ(records[2].r1, 1E+23);
  EXPECT_EQ(records[2].r2, -.5e1);
  testing::WriteBytes(profile.Temp("b.out"), "header\r\n300 0.5 80 7\r\n");
  EXPECT_THROW(ReadSpectrumFile(profile.Temp("b.out")), RunError);
  testing::WriteBytes(profile.Temp("c.out"), "header\r\n300 0.5 80 7,5 x\r\n");
  EXPECT_THROW(ReadSpectrumFile(profile.Temp("c.out")), RunError);
  EXPECT_THROW(ReadSpectrumFile(profile.Temp("missing.out")), RunError);
}

}  // namespace
}  // namespace lamivex
