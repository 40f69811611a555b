// The public tables behind the UV transmittance, the colour rendering index and the
// colours: EN 410's UV weights, CIE illuminant D65, the CIE 1931 2 degree observer and
// the CIE 13.3 test colour samples, held as constants (ColourTables.cpp is written by
// make_colour_tables.py).
#pragma once

#include <array>

namespace lamivex::glazing {

// Twenty UV bands of 5 nm, centred 282.5 to 377.5 nm; their weights add up to 1.
inline constexpr int kUvBands = 20;
inline constexpr double kFirstUvBandCentre = 282.5;  // nm

// The colour tables run from 380 to 780 nm every 5 nm.
inline constexpr int kVisiblePoints = 81;
inline constexpr double kVisibleStart = 380.0;  // nm
using VisibleCurve = std::array<double, kVisiblePoints>;

inline constexpr int kTestColourSamples = 8;

const std::array<double, kUvBands>& UvBandWeights();
const VisibleCurve& D65();
const VisibleCurve& ObserverX();
const VisibleCurve& ObserverY();
const VisibleCurve& ObserverZ();
// Spectral radiance factors of test colour samples 1 to 8.
const std::array<VisibleCurve, kTestColourSamples>& TestColourSamples();

}  // namespace lamivex::glazing
