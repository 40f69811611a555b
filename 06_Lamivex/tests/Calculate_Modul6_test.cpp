#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "Calculate_Modul6.h"

namespace lamivex {
namespace {

struct Layer {
  int16_t kind;
  double t, r1, r2;
};

// An assembly whose layers carry the same values at every grid point.
AssemblyLayers Stack(const std::vector<Layer>& stack) {
  AssemblyLayers layers(static_cast<int>(stack.size()));
  for (size_t k = 1; k <= stack.size(); ++k) {
    layers.Kind(k) = stack[k - 1].kind;
    for (int i = 1; i <= kSolarPoints; ++i) {
      layers.Set(i, k, stack[k - 1].t, stack[k - 1].r1, stack[k - 1].r2);
    }
  }
  return layers;
}

const Layer kClearGlass{1, 0.83, 0.075, 0.075};
const Layer kTintedGlass{1, 0.55, 0.06, 0.05};
const Layer kPvb{3, 0.88, 0.05, 0.05};
const Layer kFilm{2, 0.7, 0.12, 0.09};

double Rho(const Layer& glass) {
  return glass.r1 / (1 + glass.t * glass.t);
}

TEST(AssemblyModelChoice, LaminatedOnlyForGlassPvbGlass) {
  EXPECT_TRUE(UsesLaminatedModel(Stack({kClearGlass, kPvb, kClearGlass})));
  EXPECT_TRUE(UsesLaminatedModel(Stack({kClearGlass, kPvb, kPvb, kTintedGlass})));
  EXPECT_TRUE(UsesLaminatedModel(Stack({kClearGlass, kClearGlass})));
  EXPECT_FALSE(UsesLaminatedModel(Stack({kClearGlass, kFilm, kClearGlass})));
  EXPECT_FALSE(UsesLaminatedModel(Stack({kClearGlass, {4, 0.9, 0.05, 0.05}, kClearGlass})));
  EXPECT_FALSE(UsesLaminatedModel(Stack({kPvb, kClearGlass, kClearGlass})));
  EXPECT_FALSE(UsesLaminatedModel(Stack({kClearGlass})));
  EXPECT_FALSE(UsesLaminatedModel(Stack({kFilm})));
}

// Positive root of t rho^2 tau^2 + a tau - t = 0 (a = (1 - rho)^2) by Newton's method in
// long double, from t / a, which lies above the root.
long double ReferenceTau(long double t, long double rho) {
  const long double a = (1 - rho) * (1 - rho);
  long double tau = t / a;
  for (int step = 0; step < 200; ++step) {
    const long double next =
        tau - (t * rho * rho * tau * tau + a * tau - t) / (2 * t * rho * rho * tau + a);
    if (next == tau) break;
    tau = next;
  }
  return tau;
}

TEST(InternalTransmittance, AllDigitsRightDownToTinyTransmittances) {
  for (double t = 1e-9; t <= 1.0 + 1e-12; t *= std::sqrt(std::sqrt(10.0))) {
    for (double rho : {1e-3, 0.004, 0.04, 0.08, 0.15, 0.3}) {
      SCOPED_TRACE(testing::Message() << "t=" << t << " rho=" << rho);
      const double expected = static_cast<double>(std::min(ReferenceTau(t, rho), 1.0L));
      EXPECT_NEAR(InternalTransmittance(t, rho), expected, 1e-13 * expected);
    }
  }
  EXPECT_EQ(InternalTransmittance(0.5, 0.0), 0.0);
  EXPECT_EQ(InternalTransmittance(-1e-3, 0.04), 0.0);
}

TEST(LaminatedModel, EqualClearGlassesReflectAlikeOnBothFaces) {
  const AssemblyPoint p = LaminatedPoint(Stack({kClearGlass, kPvb, kClearGlass}), 100);
  EXPECT_NEAR(p.R1, p.R2, 1e-15);
  EXPECT_LT(p.T, kClearGlass.t * kPvb.t);
  EXPECT_GT(p.T, 0.5);
}

TEST(LaminatedModel, TwoGlassesWithoutInterlayerUseTheirOwnInternalTransmittances) {
  const double rho1 = Rho(kClearGlass), rhon = Rho(kTintedGlass);
  // Internal transmittance that gives each glass its measured T between two such interfaces.
  auto tau = [](double t, double rho) { return static_cast<double>(ReferenceTau(t, rho)); };
  const double t = tau(kClearGlass.t, rho1) * tau(kTintedGlass.t, rhon);
  const double d = 1 - rho1 * rhon * t * t;
  const AssemblyPoint p = LaminatedPoint(Stack({kClearGlass, kTintedGlass}), 1);
  EXPECT_NEAR(p.T, (1 - rho1) * (1 - rhon) * t / d, 1e-15);
  EXPECT_NEAR(p.R1, rho1 + (1 - rho1) * (1 - rho1) * rhon * t * t / d, 1e-15);
  EXPECT_NEAR(p.R2, rhon + (1 - rhon) * (1 - rhon) * rho1 * t * t / d, 1e-15);
}

TEST(LaminatedModel, OpaqueOuterGlassLeavesTheTwoOuterInterfaces) {
  AssemblyLayers layers = Stack({kClearGlass, kPvb, kTintedGlass});
  layers.Set(200, 1, 0.0, 0.08, 0.08);
  const AssemblyPoint p = LaminatedPoint(layers, 200);
  EXPECT_EQ(p.T, 0.0);
  EXPECT_DOUBLE_EQ(p.R1, 0.08);
  EXPECT_DOUBLE_EQ(p.R2, Rho(kTintedGlass));
  EXPECT_GT(LaminatedPoint(layers, 199).T, 0.0);
}

// A glass whose data give an internal transmittance of exactly 1 for the
// interface reflectance rho.
Layer NonAbsorbingGlass(double rho) {
  const double t = (1 - rho) / (1 + rho);
  return {1, t, rho * (1 + t * t), rho * (1 + t * t)};
}

TEST(LaminatedModelEnergyBalance, NonAbsorbingLaminateReflectsWhatItDoesNotTransmit) {
  for (double rho : {0.01, 0.04, 0.2}) {
    const AssemblyPoint p = LaminatedPoint(
        Stack({NonAbsorbingGlass(rho), {3, 1.0, 0.0, 0.0}, NonAbsorbingGlass(0.05)}), 1);
    EXPECT_NEAR(p.T + p.R1, 1.0, 1e-12) << rho;
    EXPECT_NEAR(p.T + p.R2, 1.0, 1e-12) << rho;
  }
}

TEST(LaminatedModelEnergyBalance, NeverAboveOneForAnyMeasuredInput) {
  std::mt19937 random(410);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  auto measured = [&](int16_t kind) {
    const double t = unit(random);
    const double r1 = unit(random) * (1 - t);
    const double r2 = unit(random) * (1 - t);
    return Layer{kind, t, r1, r2};
  };
  for (int n = 2; n <= 4; ++n) {
    for (int trial = 0; trial < 2000; ++trial) {
      std::vector<Layer> stack{measured(1)};
      for (int k = 2; k < n; ++k) stack.push_back(measured(3));
      stack.push_back(measured(1));
      const AssemblyPoint p = LaminatedPoint(Stack(stack), 1);
      ASSERT_LE(p.T + p.R1, 1.0 + 1e-12) << "n=" << n << " trial " << trial;
      ASSERT_LE(p.T + p.R2, 1.0 + 1e-12) << "n=" << n << " trial " << trial;
      ASSERT_GE(p.T, 0.0);
    }
  }
  // Glasses measured without absorption (T + R = 1) stay at the limit.
  const Layer lossless{1, 0.92, 0.08, 0.08};
  const AssemblyPoint p = LaminatedPoint(Stack({lossless, {3, 1.0, 0.0, 0.0}, lossless}), 1);
  EXPECT_NEAR(p.T + p.R1, 1.0, 1e-12);
}

TEST(LayerByLayerModel, GlassFilmGlassTransmitsTheProduct) {
  const AssemblyLayers layers = Stack({kClearGlass, kFilm, kTintedGlass});
  const AssemblyPoint p = LayerByLayerPoint(layers, 50);
  EXPECT_DOUBLE_EQ(p.T, kClearGlass.t * kFilm.t * kTintedGlass.t);
  const double f1 = kClearGlass.t * kClearGlass.t;
  const double f3 = f1 * kFilm.t * kFilm.t * kTintedGlass.t * kTintedGlass.t;
  EXPECT_DOUBLE_EQ(p.R1, Rho(kClearGlass) + f1 * kFilm.r1 + f3 * Rho(kTintedGlass));
  const double b3 = kTintedGlass.t * kTintedGlass.t;
  const double b1 = b3 * kFilm.t * kFilm.t * kClearGlass.t * kClearGlass.t;
  EXPECT_DOUBLE_EQ(p.R2, Rho(kTintedGlass) + b3 * kFilm.r2 + b1 * Rho(kClearGlass));
}

TEST(LayerByLayerModel, UnbondedLayerBetweenGlassesAddsBothInnerFaces) {
  const Layer unbonded{4, kFilm.t, kFilm.r1, kFilm.r2};
  const AssemblyPoint bonded = LayerByLayerPoint(Stack({kClearGlass, kFilm, kTintedGlass}), 1);
  const AssemblyPoint loose = LayerByLayerPoint(Stack({kClearGlass, unbonded, kTintedGlass}), 1);
  const double f1 = kClearGlass.t * kClearGlass.t, f2 = f1 * kFilm.t * kFilm.t;
  const double b3 = kTintedGlass.t * kTintedGlass.t, b2 = b3 * kFilm.t * kFilm.t;
  EXPECT_DOUBLE_EQ(loose.T, bonded.T);
  EXPECT_DOUBLE_EQ(loose.R1 - bonded.R1, f1 * Rho(kClearGlass) + f2 * Rho(kTintedGlass));
  EXPECT_DOUBLE_EQ(loose.R2 - bonded.R2, b3 * Rho(kTintedGlass) + b2 * Rho(kClearGlass));
}

TEST(LayerByLayerModel, GlassNextToGlassAddsItsBackFace) {
  // glass, glass, film: both faces of glass 1 and of glass 2 count on face 1.
  const AssemblyPoint p = LayerByLayerPoint(Stack({kClearGlass, kTintedGlass, kFilm}), 1);
  const double f1 = kClearGlass.t * kClearGlass.t;
  const double f2 = f1 * kTintedGlass.t * kTintedGlass.t;
  EXPECT_DOUBLE_EQ(p.R1,
                   Rho(kClearGlass) * (1 + f1) + Rho(kTintedGlass) * (f1 + f2) + f2 * kFilm.r1);
  const double b2 = std::pow(kTintedGlass.t * kFilm.t, 2);
  const double b1 = b2 * f1;
  EXPECT_DOUBLE_EQ(p.R2, kFilm.r2 + b2 * Rho(kTintedGlass) + (b1 + b2) * Rho(kClearGlass));
}

TEST(LayerByLayerModel, SingleLayersKeepTheirOwnData) {
  const AssemblyPoint film = LayerByLayerPoint(Stack({kFilm}), 1);
  EXPECT_DOUBLE_EQ(film.T, kFilm.t);
  EXPECT_DOUBLE_EQ(film.R1, kFilm.r1);
  EXPECT_DOUBLE_EQ(film.R2, kFilm.r2);
  // A single glass: both its faces from face 1's interface reflectance.
  const Layer glass{1, 0.8, 0.07, 0.065};
  const AssemblyPoint p = LayerByLayerPoint(Stack({glass}), 1);
  EXPECT_DOUBLE_EQ(p.T, glass.t);
  EXPECT_DOUBLE_EQ(p.R1, glass.r1);
  EXPECT_DOUBLE_EQ(p.R2, glass.r1);
}

TEST(PathTransmission, ProductsOfSquaredTransmittances) {
  const AssemblyLayers layers = Stack({kClearGlass, kFilm, kTintedGlass});
  EXPECT_EQ(FrontPathT2(layers, 1, 0), 1.0);
  EXPECT_EQ(BackPathT2(layers, 1, 4), 1.0);
  EXPECT_DOUBLE_EQ(FrontPathT2(layers, 1, 2), std::pow(kClearGlass.t * kFilm.t, 2));
  EXPECT_DOUBLE_EQ(BackPathT2(layers, 1, 2), std::pow(kFilm.t * kTintedGlass.t, 2));
}

}  // namespace
}  // namespace lamivex
