// The general colour rendering index Ra in transmission (CIE 13.3): the eight test colour
// samples lit by D65 (the reference) and by D65 seen through the pane (the test source),
// compared in CIE 1964 U*V*W* after adapting the test source to the reference.
#include <cmath>

#include "glazing/Colorimetry.h"

namespace lamivex::glazing {
namespace {

// CIE 1960 UCS chromaticity.
struct Chromaticity {
  double u = 0.0, v = 0.0;
};

Chromaticity ChromaticityOf(const Tristimulus& c) {
  const double denominator = c.X + 15.0 * c.Y + 3.0 * c.Z;
  return {4.0 * c.X / denominator, 6.0 * c.Y / denominator};
}

// The c and d coordinates of the chromatic adaptation.
struct AdaptationPoint {
  double c = 0.0, d = 0.0;
};

AdaptationPoint AdaptationPointOf(const Chromaticity& p) {
  return {(4.0 - p.u - 10.0 * p.v) / p.v, (1.708 * p.v + 0.404 - 1.481 * p.u) / p.v};
}

struct UvwPoint {
  double U = 0.0, V = 0.0, W = 0.0;
};

// CIE 1964 U*V*W* of a sample of luminance factor y (source Y = 100) and chromaticity p,
// with the reference source's chromaticity as white.
UvwPoint UvwOf(double y, const Chromaticity& p, const Chromaticity& white) {
  const double w = 25.0 * std::cbrt(y) - 17.0;
  return {13.0 * w * (p.u - white.u), 13.0 * w * (p.v - white.v), w};
}

// One source lighting the samples: its scale to Y = 100 and its chromaticity.
struct LitSource {
  VisibleCurve power;
  double scale;
  Chromaticity white;
};

LitSource Light(const VisibleCurve& power) {
  const double scale = ScaleToY100(power);
  return {power, scale, ChromaticityOf(TristimulusOf(power, scale))};
}

// The sample's chromaticity under the test source carried over to the reference source.
Chromaticity Adapted(const Chromaticity& sample, const LitSource& test,
                     const LitSource& reference) {
  const AdaptationPoint r = AdaptationPointOf(reference.white);
  const AdaptationPoint t = AdaptationPointOf(test.white);
  const AdaptationPoint s = AdaptationPointOf(sample);
  const double cRatio = r.c / t.c;
  const double dRatio = r.d / t.d;
  const double denominator = 16.518 + 1.481 * cRatio * s.c - dRatio * s.d;
  return {(10.872 + 0.404 * cRatio * s.c - 4.0 * dRatio * s.d) / denominator, 5.520 / denominator};
}

}  // namespace

double ColourRenderingIndex(const SpectralCurve& t) {
  const LitSource reference = Light(D65());
  const LitSource test = Light(Times(D65(), VisiblePart(t)));
  if (test.scale == 0.0) return 0.0;  // no light comes through: nothing is rendered
  double sum = 0.0;
  for (const VisibleCurve& sample : TestColourSamples()) {
    const Tristimulus underReference =
        TristimulusOf(Times(reference.power, sample), reference.scale);
    const Tristimulus underTest = TristimulusOf(Times(test.power, sample), test.scale);
    const UvwPoint r = UvwOf(underReference.Y, ChromaticityOf(underReference), reference.white);
    const UvwPoint s =
        UvwOf(underTest.Y, Adapted(ChromaticityOf(underTest), test, reference), reference.white);
    const double difference = std::sqrt((r.U - s.U) * (r.U - s.U) + (r.V - s.V) * (r.V - s.V) +
                                        (r.W - s.W) * (r.W - s.W));
    sum += 100.0 - 4.6 * difference;
  }
  return sum / kTestColourSamples;
}

}  // namespace lamivex::glazing
