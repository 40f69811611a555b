// Per-layer resampling: brings a product's measured spectrum onto the solar grid, as the
// layer's solar spectrum file holds it.
#include "Interpolation.h"

#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "platform/RunError.h"

namespace lamivex {
namespace {

void CheckSlot(int16_t slot) {
  if (slot < 0 || slot > 4) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: slot " + std::to_string(slot) + " is outside GlassT (0 to 4)!");
  }
}

// Straight line through (x0, y0) and (x1, y1), taken at x.
double Line(double x0, double y0, double x1, double y1, double x) {
  return (y1 - y0) * (x - x0) / (x1 - x0) + y0;
}

SpectrumPoint RecordAt(const MeasuredSpectrum& s, int k) {
  return {s.t[k], s.r1[k], s.r2[k]};
}

// A product's rows in the layout of the run's spectrum arrays, faces swapped for a turned
// layer as LoadSpectrum stores them.
struct MeasuredArrays {
  std::array<double, kSolarPoints + 1> lambda{}, t{}, r1{}, r2{};
  int count = 0;
  MeasuredArrays(const std::vector<SpectrumRow>& rows, bool turned) {
    // More rows than the grid has points are refused by the interpolation.
    count = static_cast<int>(std::min(rows.size(), size_t{kSolarPoints + 1}));
    for (int s = 1; s <= std::min(count, kSolarPoints); ++s) {
      const SpectrumRow& row = rows[s - 1];
      lambda[s] = row.lambda, t[s] = row.t;
      r1[s] = turned ? row.r2 : row.r1, r2[s] = turned ? row.r1 : row.r2;
    }
  }
  MeasuredSpectrum View() const { return {lambda.data(), t.data(), r1.data(), r2.data(), count}; }
};

}  // namespace

SpectrumPoint InterpolateMeasured(const MeasuredSpectrum& s, double lambda) {
  const int count = s.count;
  if (count < 1 || count > kSolarPoints) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the spectrum holds " + std::to_string(count) +
                       " records from 300 nm up; it needs 1 to 441!");
  }
  // The records come in ascending wavelengths, so that one binary search finds both the
  // first record at lambda (which wins) and, when there is none, the first record above it.
  const double* const first = s.lambda + 1;
  const double* const last = first + count;
  assert(std::is_sorted(first, last));
  const int k = static_cast<int>(std::lower_bound(first, last, lambda) - s.lambda);
  if (k <= count && lambda == s.lambda[k]) return RecordAt(s, k);
  // Above the last record the spectrum holds its last values; entries past the
  // count may belong to an earlier layer's product.
  if (k > count) return RecordAt(s, count);
  // Below the first record the line runs from (0 nm, 0) to the first record.
  const double x0 = k > 1 ? s.lambda[k - 1] : 0.0;
  const SpectrumPoint y0 = k > 1 ? RecordAt(s, k - 1) : SpectrumPoint{0.0, 0.0, 0.0};
  return {Line(x0, y0.t, s.lambda[k], s.t[k], lambda),
          Line(x0, y0.r1, s.lambda[k], s.r1[k], lambda),
          Line(x0, y0.r2, s.lambda[k], s.r2[k], lambda)};
}

// productId is not looked at: the spectrum arrays already hold the product.
void InterpolateAtWavelength(LamivexRun& run, double lambda, int16_t slot, int32_t /*productId*/) {
  CheckSlot(slot);
  const SpectrumPoint p =
      InterpolateMeasured({run.SpectrumLambda.data(), run.SpectrumT.data(), run.SpectrumR1.data(),
                           run.SpectrumR2.data(), run.SpectrumCount},
                          lambda);
  run.GlassT[slot] = p.t, run.GlassR1[slot] = p.r1, run.GlassR2[slot] = p.r2;
}

GridSpectrum InterpolateGlass(const std::vector<SpectrumRow>& rows, bool turned, bool withText) {
  const MeasuredArrays measured(rows, turned);
  const auto& weights = SolarWeightTable();
  GridSpectrum spectrum;
  spectrum.records.reserve(kSolarPoints);
  if (withText) StartSpectrumText(spectrum.text);
  for (int i = 1; i <= kSolarPoints; ++i) {
    const double lambda = 300.0 + 5.0 * (i - 1);
    const SpectrumPoint p = InterpolateMeasured(measured.View(), lambda);
    spectrum.records.push_back(
        AsSpectrumLine({lambda, weights[i], p.t, p.r1, p.r2}, withText ? &spectrum.text : nullptr));
  }
  return spectrum;
}

}  // namespace lamivex
