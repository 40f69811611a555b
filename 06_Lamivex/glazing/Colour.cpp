// The colours of a pane (CIE 1976 L*a*b* with D65 as the white point) and the sums of
// the 2 degree observer they and the colour rendering index are computed from.
#include <cmath>

#include "glazing/Colorimetry.h"

namespace lamivex::glazing {
namespace {

constexpr int kFirstVisiblePoint = static_cast<int>((kVisibleStart - kGridStart) / kGridStep);
static_assert(kFirstVisiblePoint + kVisiblePoints <= kGridPoints);

// The CIE 1976 lightness function: a cube root, and a straight line near black.
double LabFunction(double q) {
  constexpr double delta = 6.0 / 29.0;
  return q > delta * delta * delta ? std::cbrt(q) : q / (3.0 * delta * delta) + 4.0 / 29.0;
}

}  // namespace

VisibleCurve VisiblePart(const SpectralCurve& curve) {
  VisibleCurve part{};
  for (int j = 0; j < kVisiblePoints; ++j) part[j] = curve[kFirstVisiblePoint + j];
  return part;
}

VisibleCurve Times(const VisibleCurve& a, const VisibleCurve& b) {
  VisibleCurve product{};
  for (int j = 0; j < kVisiblePoints; ++j) product[j] = a[j] * b[j];
  return product;
}

Tristimulus TristimulusOf(const VisibleCurve& power, double scale) {
  Tristimulus sums;
  for (int j = 0; j < kVisiblePoints; ++j) {
    sums.X += power[j] * ObserverX()[j];
    sums.Y += power[j] * ObserverY()[j];
    sums.Z += power[j] * ObserverZ()[j];
  }
  return {scale * sums.X, scale * sums.Y, scale * sums.Z};
}

double ScaleToY100(const VisibleCurve& source) {
  const double y = TristimulusOf(source, 1.0).Y;
  return y > 0.0 ? 100.0 / y : 0.0;
}

Colour ColourOf(const SpectralCurve& curve) {
  const double scale = ScaleToY100(D65());
  const Tristimulus white = TristimulusOf(D65(), scale);
  const Tristimulus seen = TristimulusOf(Times(D65(), VisiblePart(curve)), scale);
  const double fx = LabFunction(seen.X / white.X);
  const double fy = LabFunction(seen.Y / white.Y);
  const double fz = LabFunction(seen.Z / white.Z);
  return {seen.X, seen.Y, seen.Z, 116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

}  // namespace lamivex::glazing
