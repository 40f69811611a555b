// The EN 410 weighting tables on the 5-nm grids: global solar radiation
// (Table 2, air mass 1.5) for the energy characteristics and D65 times V(lambda)
// (Table 1) for the light characteristics.
#include <array>
#include <cmath>

#include "Interpolation.h"

namespace lamivex {
namespace {

// A standard point of the solar table: its wavelength, S(lambda)*delta(lambda)
// and the number of 5-nm steps that value covers.
struct SolarStandardPoint {
  int lambda;
  double value;
  int steps;
};

constexpr std::array<SolarStandardPoint, 56> kSolarStandardPoints{{
    {300, 0.0005, 4},   {320, 0.0069, 4},   {340, 0.0122, 4},   {360, 0.0145, 4},
    {380, 0.0177, 4},   {400, 0.0235, 4},   {420, 0.0268, 4},   {440, 0.0294, 4},
    {460, 0.0343, 4},   {480, 0.0339, 4},   {500, 0.0326, 4},   {520, 0.0318, 4},
    {540, 0.0321, 4},   {560, 0.0312, 4},   {580, 0.0294, 4},   {600, 0.0289, 4},
    {620, 0.0289, 4},   {640, 0.0280, 4},   {660, 0.0273, 4},   {680, 0.0246, 4},
    {700, 0.0237, 4},   {720, 0.0220, 4},   {740, 0.0230, 4},   {760, 0.0199, 4},
    {780, 0.0211, 4},   {800, 0.0330, 7},   {850, 0.0453, 10},  {900, 0.0381, 10},
    {950, 0.0220, 10},  {1000, 0.0329, 10}, {1050, 0.0306, 10}, {1100, 0.0185, 10},
    {1150, 0.0136, 10}, {1200, 0.0210, 10}, {1250, 0.0211, 10}, {1300, 0.0166, 10},
    {1350, 0.0042, 10}, {1400, 0.0010, 10}, {1450, 0.0044, 10}, {1500, 0.0095, 10},
    {1550, 0.0123, 10}, {1600, 0.0110, 10}, {1650, 0.0106, 10}, {1700, 0.0093, 10},
    {1750, 0.0068, 10}, {1800, 0.0024, 10}, {1850, 0.0005, 10}, {1900, 0.0002, 10},
    {1950, 0.0012, 10}, {2000, 0.0030, 10}, {2050, 0.0037, 10}, {2100, 0.0038, 10},
    {2200, 0.0066, 20}, {2300, 0.0060, 20}, {2400, 0.0041, 20}, {2500, 0.0012, 20},
}};

// D65 * V(lambda) * delta(lambda) in percent, every 10 nm from 380 to 780 nm.
constexpr std::array<double, 41> kLightStandardValues{
    0.0000, 0.0005, 0.0030, 0.0103, 0.0352, 0.0948, 0.2274, 0.4192, 0.6663, 0.9850, 1.5189,
    2.1336, 3.3491, 5.1393, 7.0523, 8.7990, 9.4427, 9.8077, 9.4306, 8.6891, 7.8994, 6.3306,
    5.3542, 4.2491, 3.1502, 2.0812, 1.3810, 0.8070, 0.4610, 0.2845, 0.1255, 0.0536, 0.0276,
    0.0146, 0.0057, 0.0035, 0.0021, 0.0008, 0.0001, 0.0000, 0.0000};

int SolarIndex(int lambda) {
  return (lambda - 300) / 5 + 1;
}

double RoundToNineDecimals(double value) {
  return std::round(value * 1e9) / 1e9;
}

std::array<double, kSolarPoints + 1> ComputeSolarWeights() {
  std::array<double, kSolarPoints + 1> weights{};
  for (size_t p = 0; p + 1 < kSolarStandardPoints.size(); ++p) {
    const SolarStandardPoint& a = kSolarStandardPoints[p];
    const SolarStandardPoint& b = kSolarStandardPoints[p + 1];
    const double wa = a.value / a.steps;
    const double wb = b.value / b.steps;
    for (int lambda = a.lambda; lambda < b.lambda; lambda += 5) {
      const double w = wa + (wb - wa) * (lambda - a.lambda) / (b.lambda - a.lambda);
      weights[SolarIndex(lambda)] = RoundToNineDecimals(w);
    }
  }
  const SolarStandardPoint& last = kSolarStandardPoints.back();
  weights[SolarIndex(last.lambda)] = RoundToNineDecimals(last.value / last.steps);
  return weights;
}

std::array<double, kLightPoints + 1> ComputeLightWeights() {
  std::array<double, kLightPoints + 1> weights{};
  for (size_t p = 0; p < kLightStandardValues.size(); ++p) {
    weights[2 * p + 1] = kLightStandardValues[p] / 200.0;
  }
  for (size_t p = 0; p + 1 < kLightStandardValues.size(); ++p) {
    weights[2 * p + 2] = (weights[2 * p + 1] + weights[2 * p + 3]) / 2.0;
  }
  return weights;
}

}  // namespace

const std::array<double, kSolarPoints + 1>& SolarWeightTable() {
  static const std::array<double, kSolarPoints + 1> table = ComputeSolarWeights();
  return table;
}

const std::array<double, kLightPoints + 1>& LightWeightTable() {
  static const std::array<double, kLightPoints + 1> table = ComputeLightWeights();
  return table;
}

}  // namespace lamivex
