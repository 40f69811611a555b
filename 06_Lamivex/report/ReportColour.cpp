// CIE L*a*b* to sRGB.
#include "ReportColour.h"

#include <algorithm>
#include <cmath>

namespace lamivex::report {
namespace {

constexpr double kWhiteX = 95.047, kWhiteY = 100.0, kWhiteZ = 108.883;  // D65, 2°
constexpr double kDelta = 6.0 / 29.0;

// The inverse of the CIE 1976 function f.
double InverseF(double t) {
  return t > kDelta ? t * t * t : 3.0 * kDelta * kDelta * (t - 4.0 / 29.0);
}

// A linear sRGB component (0..1) with the sRGB transfer function, clipped, in 0..255.
double Encoded(double linear) {
  const double clipped = std::clamp(linear, 0.0, 1.0);
  const double encoded =
      clipped <= 0.0031308 ? 12.92 * clipped : 1.055 * std::pow(clipped, 1.0 / 2.4) - 0.055;
  return std::round(255.0 * encoded);
}

}  // namespace

Colour SrgbOfLab(double L, double a, double b) {
  const double fy = (L + 16.0) / 116.0;
  const double X = kWhiteX / 100.0 * InverseF(fy + a / 500.0);
  const double Y = kWhiteY / 100.0 * InverseF(fy);
  const double Z = kWhiteZ / 100.0 * InverseF(fy - b / 200.0);
  return {Encoded(3.2406 * X - 1.5372 * Y - 0.4986 * Z),
          Encoded(-0.9689 * X + 1.8758 * Y + 0.0415 * Z),
          Encoded(0.0557 * X - 0.2040 * Y + 1.0570 * Z)};
}

}  // namespace lamivex::report
