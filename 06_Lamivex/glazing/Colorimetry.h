// Tristimulus values over the visible part of a spectrum, shared by the colours and the
// colour rendering index.
#pragma once

#include "glazing/ColourTables.h"
#include "glazing/DeclaredValues.h"

namespace lamivex::glazing {

struct Tristimulus {
  double X = 0.0, Y = 0.0, Z = 0.0;
};

// The points of a solar-grid curve from 380 to 780 nm.
VisibleCurve VisiblePart(const SpectralCurve& curve);

// Point-by-point product of two visible curves (a source and a factor).
VisibleCurve Times(const VisibleCurve& a, const VisibleCurve& b);

// X, Y, Z of a spectral power distribution with the 2 degree observer, times scale.
Tristimulus TristimulusOf(const VisibleCurve& power, double scale);

// The scale that makes a source's own Y 100 (0 for a source without light).
double ScaleToY100(const VisibleCurve& source);

}  // namespace lamivex::glazing
