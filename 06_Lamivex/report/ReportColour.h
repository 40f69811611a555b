// The colour a reader sees of a glass: CIE L*a*b* (D65, 2° observer) as an sRGB colour.
#pragma once

#include "ReportCanvas.h"

namespace lamivex::report {

// The sRGB colour (0..255 each) of CIE 1976 L*, a*, b* relative to the D65 white: L*a*b*
// to CIE XYZ (Xn = 95.047, Yn = 100, Zn = 108.883), then XYZ to sRGB (IEC 61966-2-1).
// A colour outside the sRGB gamut is clipped to it.
Colour SrgbOfLab(double L, double a, double b);

}  // namespace lamivex::report
