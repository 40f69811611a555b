// The two models of the assembly at one solar grid point: the laminated slab
// and the layer-by-layer sum of single bounces.
#include <algorithm>
#include <cmath>

#include "Calculate_Modul6.h"

namespace lamivex {
// The root of t = (1 - rho)^2 tau / (1 - rho^2 tau^2) taken in its conjugate form
// 2t / (sqrt(a^2 + 4 t^2 rho^2) + a), a = (1 - rho)^2: the textbook form (sqrt(...) - a)
// / (2 t rho^2) subtracts two nearly equal numbers wherever t is small (the UV end of
// most glasses, tinted glass in the near infrared) and loses most of its digits there.
// It is held at 1 at most: measured data with T + R close to 1 would otherwise give a
// glass that creates energy.
double InternalTransmittance(double t, double rho) {
  if (t <= 0.0 || rho <= 0.0) return 0.0;
  const double a = (1.0 - rho) * (1.0 - rho);
  const double tau = 2.0 * t / (std::hypot(a, 2.0 * t * rho) + a);
  return std::min(tau, 1.0);
}

bool UsesLaminatedModel(const AssemblyLayers& layers) {
  const int n = layers.Count();
  if (n < 2 || !layers.IsGlass(1) || !layers.IsGlass(n)) return false;
  for (int k = 2; k < n; ++k) {
    if (layers.Kind(k) != 3) return false;
  }
  return true;
}

double FrontPathT2(const AssemblyLayers& layers, int i, int j) {
  double product = 1.0;
  for (int m = 1; m <= j; ++m) product *= layers.T(i, m) * layers.T(i, m);
  return product;
}

double BackPathT2(const AssemblyLayers& layers, int i, int j) {
  double product = 1.0;
  for (int m = j; m <= layers.Count(); ++m) product *= layers.T(i, m) * layers.T(i, m);
  return product;
}

// Two outer glass/air interfaces with full multiple reflection between them; the
// light crosses each interface twice on its way back out, hence the squares. Each
// outer interface is the face of its glass that faces the air: face 1 of the first
// glass, face 2 of the last, so that a stack and its mirror agree.
AssemblyPoint LaminatedPoint(const AssemblyLayers& layers, int i) {
  const int n = layers.Count();
  const double t1 = layers.T(i, 1);
  const double tn = layers.T(i, n);
  const double rho1 = layers.R1(i, 1) / (1.0 + t1 * t1);
  const double rhon = layers.R2(i, n) / (1.0 + tn * tn);
  double interlayers = 1.0;
  for (int k = 2; k < n; ++k) interlayers *= layers.T(i, k);
  const double tau =
      interlayers * InternalTransmittance(t1, rho1) * InternalTransmittance(tn, rhon);
  const double d = 1.0 - rho1 * rhon * tau * tau;
  AssemblyPoint p;
  p.T = (1.0 - rho1) * (1.0 - rhon) * tau / d;
  p.R1 = rho1 + (1.0 - rho1) * (1.0 - rho1) * rhon * tau * tau / d;
  p.R2 = rhon + (1.0 - rhon) * (1.0 - rhon) * rho1 * tau * tau / d;
  return p;
}

namespace {

// Face-1 reflectance contributed by layer k.
double FrontReflection(const AssemblyLayers& layers, int i, int k) {
  const int n = layers.Count();
  const double rho = layers.Rho(i, k);
  if (k == 1) {
    if (!layers.IsGlass(1)) return layers.R1(i, 1);
    const bool backFaceInAir = n == 1 || layers.IsGlass(2);
    const double t = layers.T(i, 1);
    return backFaceInAir ? rho + t * t * rho : rho;
  }
  const double before = FrontPathT2(layers, i, k - 1);
  if (layers.IsGlass(k)) {
    if (layers.IsGlass(k - 1)) return before * rho + FrontPathT2(layers, i, k) * rho;
    double r = FrontPathT2(layers, i, k) * rho;
    if (layers.Kind(k - 1) == 4) r += before * rho;
    return r;
  }
  double r = before * layers.R1(i, k);
  if (layers.IsGlass(k - 1) && layers.Kind(k) == 4) r += before * layers.Rho(i, k - 1);
  return r;
}

// Face-2 reflectance contributed by layer j, seen from face 2: a glass reflects here as
// its face 2 does, so that a stack and its mirror exchange R1 and R2.
double BackReflection(const AssemblyLayers& layers, int i, int j) {
  const int n = layers.Count();
  const double rho = layers.RhoBack(i, j);
  if (j == n) {
    if (!layers.IsGlass(n)) return layers.R2(i, n);
    const bool frontFaceInAir = n == 1 || layers.IsGlass(n - 1);
    const double t = layers.T(i, n);
    return frontFaceInAir ? rho + t * t * rho : rho;
  }
  const double behind = BackPathT2(layers, i, j + 1);
  if (layers.IsGlass(j)) {
    if (layers.IsGlass(j + 1)) return BackPathT2(layers, i, j) * rho + behind * rho;
    double r = BackPathT2(layers, i, j) * rho;
    if (layers.Kind(j + 1) == 4) r += behind * rho;
    return r;
  }
  double r = behind * layers.R2(i, j);
  if (layers.IsGlass(j + 1) && layers.Kind(j) == 4) r += behind * layers.RhoBack(i, j + 1);
  return r;
}

}  // namespace

// No multiple reflection: T is the product of the layer transmittances and each
// reflectance a sum of single bounces weighted by the two-way path in front.
AssemblyPoint LayerByLayerPoint(const AssemblyLayers& layers, int i) {
  const int n = layers.Count();
  AssemblyPoint p;
  for (int k = 1; k <= n; ++k) {
    p.T *= layers.T(i, k);
    p.R1 += FrontReflection(layers, i, k);
    p.R2 += BackReflection(layers, i, n + 1 - k);
  }
  return p;
}

AssemblyPoint SingleLayerPoint(const AssemblyLayers& layers, int i) {
  return {layers.T(i, 1), layers.R1(i, 1), layers.R2(i, 1)};
}

}  // namespace lamivex
