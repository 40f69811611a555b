// The values a glazing is declared with (EN 410), from its spectrum and the emissivity
// of its room-side face: pure functions, no files and no job, shared by the run, the
// batch, the report and the glazing units.
#pragma once

#include "glazing/PaneSpectrum.h"

namespace lamivex::glazing {

// One of T, R1, R2 on the solar grid, as fractions; entry i belongs to 300 + 5 i nm.
using SpectralCurve = std::array<double, kGridPoints>;

// The colour of D65 light transmitted or reflected by a curve, 2 degree observer, 380 to
// 780 nm every 5 nm: CIE 1931 X, Y, Z scaled so that D65's own Y is 100, and CIE 1976
// L*, a*, b* with D65 as the white point.
struct Colour {
  double X = 0.0, Y = 0.0, Z = 0.0;
  double L = 0.0, a = 0.0, b = 0.0;
};

// Heat transfer coefficients of the pane's faces, W/(m2 K): outside he, fixed; room side
// hi = 3.6 + 4.4 eps / 0.837, eps the corrected emissivity of the room-side face.
inline constexpr double kOutsideHeatTransfer = 23.0;
double RoomSideHeatTransfer(double roomSideNormalEmissivity);

// The pane's declared values. Percent: Te, Re1, Re2, Ae1, Tl, qi, g, Tuv. SC = g / 0.87 with
// g as a fraction; S = Tl / g; Ra from 0 to 100.
struct DeclaredValues {
  double Te = 0.0, Re1 = 0.0, Re2 = 0.0, Ae1 = 0.0;
  double Tl = 0.0;
  double qi = 0.0, g = 0.0;
  double SC = 0.0, S = 0.0;
  double Tuv = 0.0;
  double Ra = 0.0;
  Colour T, R1, R2;  // transmitted, reflected by face 1, reflected by face 2
};

// The whole set for one pane (a stack taken as one pane). The emissivity is the normal
// emissivity of face 2 as a fraction (0.89 for uncoated glass).
DeclaredValues DeclareValues(const PaneSpectrum& pane, double roomSideNormalEmissivity);

// Weighted means in percent with the EN 410 weights the run uses: solar (300 to 2500 nm)
// and light (D65 times V(lambda), 380 to 780 nm).
double SolarMean(const SpectralCurve& curve);
double LightMean(const SpectralCurve& curve);

// The secondary heat transfer towards the room, qi = Ae1 hi / (hi + he), percent as Ae1.
double SecondaryHeatTransfer(double ae1, double roomSideNormalEmissivity);

// UV transmittance in percent: the EN 410 weights of the UV part of solar radiation over
// bands of 5 nm centred 282.5 to 377.5 nm, T at a band's centre interpolated between the
// grid points either side (below 300 nm the value at 300 nm).
double UvTransmittance(const SpectralCurve& t);

// General colour rendering index Ra in transmission (CIE 13.3): D65 is the reference, D65
// times T the test source, test colour samples 1 to 8. A neutral T gives 100.
double ColourRenderingIndex(const SpectralCurve& t);

// The colour of D65 light times the curve (a transmittance or a reflectance).
Colour ColourOf(const SpectralCurve& curve);

}  // namespace lamivex::glazing
