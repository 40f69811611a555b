#include <numeric>

#include <gtest/gtest.h>

#include "Interpolation.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

int SolarIndex(int lambda) {
  return (lambda - 300) / 5 + 1;
}
int LightIndex(int lambda) {
  return (lambda - 380) / 5 + 1;
}

class WeightsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitSolarWeights(run);
    InitLightWeights(run);
  }
  LamivexRun run;
};

TEST_F(WeightsTest, SolarWeightsAtStandardAndIntermediatePoints) {
  const std::pair<int, double> expected[] = {
      {300, 0.000125},    {305, 0.000525},    {780, 0.005275},    {785, 0.005134821},
      {790, 0.004994643}, {795, 0.004854464}, {800, 0.004714286}, {805, 0.004695857},
      {845, 0.004548429}, {850, 0.00453},     {2100, 0.00038},    {2150, 0.000355},
      {2200, 0.00033},    {2500, 0.00006}};
  for (const auto& [lambda, weight] : expected) {
    EXPECT_NEAR(run.SolarWeights[SolarIndex(lambda)], weight, 1e-15) << lambda << " nm";
  }
}

TEST_F(WeightsTest, LightWeightsAtTenAndFiveNanometrePoints) {
  EXPECT_EQ(run.LightWeights[LightIndex(380)], 0.0);
  EXPECT_EQ(run.LightWeights[LightIndex(780)], 0.0);
  EXPECT_NEAR(run.LightWeights[LightIndex(550)], 0.0490385, 1e-15);
  EXPECT_NEAR(run.LightWeights[LightIndex(545)], 0.048126, 1e-15);
  EXPECT_NEAR(run.LightWeights[LightIndex(385)], 0.00000125, 1e-18);
}

TEST_F(WeightsTest, TablesAreNotRenormalised) {
  EXPECT_NEAR(std::accumulate(run.SolarWeights.begin(), run.SolarWeights.end(), 0.0), 0.9998425,
              1e-9);
  EXPECT_NEAR(std::accumulate(run.LightWeights.begin(), run.LightWeights.end(), 0.0), 1.000357,
              1e-9);
}

TEST_F(WeightsTest, AccessorsFetchByIndexAndRefuseIndicesOutsideTheTables) {
  GetSolarWeight(run, 0.0, 0);
  EXPECT_EQ(run.SolarWeight, 0.0);
  GetSolarWeight(run, 999.0, 441);  // the wavelength is not looked at
  EXPECT_NEAR(run.SolarWeight, 0.00006, 1e-15);
  GetLightWeight(run, 550.0, 35);
  EXPECT_NEAR(run.LightWeight, 0.0490385, 1e-15);
  EXPECT_THROW(GetSolarWeight(run, 2505.0, 442), RunError);
  EXPECT_THROW(GetLightWeight(run, 785.0, 82), RunError);
  EXPECT_THROW(GetLightWeight(run, 375.0, -1), RunError);
  EXPECT_NEAR(run.LightWeight, 0.0490385, 1e-15);
}

}  // namespace
}  // namespace lamivex
