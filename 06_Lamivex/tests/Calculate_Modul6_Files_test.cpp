#include <string>

#include <gtest/gtest.h>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "OpticsTestSupport.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

// Writes a layer's solar spectrum file with T, R1, R2 (percent) that vary with the wavelength.
void WriteLayerFile(const testing::TempProfile& profile, LamivexRun& run, int k, int16_t kind,
                    double t) {
  run.GlassKind[k] = kind;
  run.EnergySpectrumFile[k] = "Energy_" + std::to_string(k) + ".out";
  std::string bytes = EnergySpectrumHeader(run) + "\r\n";
  for (int i = 1; i <= kSolarPoints; ++i) {
    const double lambda = 300 + 5 * (i - 1);
    bytes += SpectrumLine(lambda, run.SolarWeights[i], t - lambda / 1000, 8, 7) + "\r\n";
  }
  testing::WriteBytes(profile.Temp(run.EnergySpectrumFile[k]), bytes);
}

class AssemblyFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    run.ProfilePath = profile.Path();
    InitSolarWeights(run);
    InitLightWeights(run);
  }
  testing::TempProfile profile;
  LamivexRun run;
};

TEST_F(AssemblyFilesTest, VisibleFileIsTheSolarCalculationFrom380To780WithLightWeights) {
  run.NumberGlass = 3;
  WriteLayerFile(profile, run, 1, 1, 90);
  WriteLayerFile(profile, run, 2, 2, 80);
  WriteLayerFile(profile, run, 3, 1, 85);
  CalculateAssembly(run);

  const auto energy = testing::CrLfLines(testing::ReadBytes(profile.Temp(kFinalEnergyFile)));
  const auto light = testing::CrLfLines(testing::ReadBytes(profile.Temp(kFinalLightFile)));
  ASSERT_EQ(energy.size(), 442u);
  ASSERT_EQ(light.size(), 82u);
  EXPECT_EQ(energy[0], EnergySpectrumHeader(run));
  EXPECT_EQ(light[0], LightSpectrumHeader(run));
  const double t300 = 0.897 * 0.797 * 0.847;  // T of the three layers at 300 nm
  EXPECT_NEAR(std::stod(testing::Fields(energy[1])[2]), 100 * t300, 1e-9);
  for (int j = 1; j <= 81; ++j) {
    const auto lightFields = testing::Fields(light[j]);
    const auto energyFields = testing::Fields(energy[j + 16]);
    ASSERT_EQ(lightFields[0], energyFields[0]);
    EXPECT_EQ(lightFields[1], FormatRunNumber(run.LightWeights[j]));
    EXPECT_EQ(lightFields[2], energyFields[2]);
  }
  EXPECT_EQ(testing::Fields(light[1])[0], "380");
  EXPECT_EQ(testing::Fields(light[1])[1], "0");
  EXPECT_EQ(testing::Fields(light[81])[0], "780");
}

// One layer of any kind, a coated glass among them (R1 8 %, R2 7 %): both assembly files
// carry its own T, R1 and R2 at every grid point.
TEST_F(AssemblyFilesTest, AnAssemblyOfOneLayerIsThatLayer) {
  run.NumberGlass = 1;
  for (const int16_t kind : {1, 2, 3, 4}) {
    SCOPED_TRACE(kind);
    WriteLayerFile(profile, run, 1, kind, 90);
    CalculateAssembly(run);
    const auto layer = testing::CrLfLines(testing::ReadBytes(profile.Temp("Energy_1.out")));
    const auto energy = testing::CrLfLines(testing::ReadBytes(profile.Temp(kFinalEnergyFile)));
    const auto light = testing::CrLfLines(testing::ReadBytes(profile.Temp(kFinalLightFile)));
    ASSERT_EQ(energy.size(), layer.size());
    ASSERT_EQ(light.size(), 82u);
    for (size_t i = 1; i < energy.size(); ++i) {
      const auto own = testing::Fields(layer[i]);
      const auto assembly = testing::Fields(energy[i]);
      EXPECT_EQ(std::vector(assembly.begin() + 2, assembly.end()),
                std::vector(own.begin() + 2, own.end()))
          << energy[i];
      if (i > 16 && i <= 97) {
        const auto visible = testing::Fields(light[i - 16]);
        EXPECT_EQ(std::vector(visible.begin() + 2, visible.end()),
                  std::vector(own.begin() + 2, own.end()))
            << light[i - 16];
      }
    }
  }
}

TEST_F(AssemblyFilesTest, MissingOrShortLayerFileLeavesHeadersOnly) {
  testing::WriteBytes(profile.Temp(kFinalEnergyFile), "an earlier run's result\r\n");
  run.NumberGlass = 2;
  WriteLayerFile(profile, run, 1, 1, 90);
  run.EnergySpectrumFile[2] = "Energy_2.out";
  EXPECT_THROW(CalculateAssembly(run), RunError);
  EXPECT_EQ(testing::ReadBytes(profile.Temp(kFinalEnergyFile)), EnergySpectrumHeader(run) + "\r\n");
  EXPECT_EQ(testing::ReadBytes(profile.Temp(kFinalLightFile)), LightSpectrumHeader(run) + "\r\n");

  testing::WriteBytes(profile.Temp("Energy_2.out"), "header\r\n300 0 80 8 8\r\n");
  EXPECT_THROW(CalculateAssembly(run), RunError);
}

}  // namespace
}  // namespace lamivex
