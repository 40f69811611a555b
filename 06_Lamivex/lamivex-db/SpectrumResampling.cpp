#include "SpectrumResampling.h"

#include <algorithm>

#include "platform/SpectralSchema.h"

namespace lamivexdb {

namespace {

constexpr double kGridFirstNm = 300.0;
constexpr double kGridStepNm = 5.0;

// a + (b - a) f rather than a (1 - f) + b f: equal ends give their value exactly,
// and a value never leaves the interval of its ends.
double Between(double a, double b, double f) {
  return a + (b - a) * f;
}

SpectrumRow InterpolatedRow(const SpectrumRow& below, const SpectrumRow& above, double lambda) {
  const double f = (lambda - below.lambda) / (above.lambda - below.lambda);
  return {lambda, Between(below.t, above.t, f), Between(below.r1, above.r1, f),
          Between(below.r2, above.r2, f), below.where};
}

}  // namespace

void ReverseDescendingRows(ProductSpectrum& product) {
  std::vector<SpectrumRow>& rows = product.rows;
  if (rows.size() < 2 || !(rows.front().lambda > rows.back().lambda)) return;
  const auto descending = [](const SpectrumRow& a, const SpectrumRow& b) {
    return a.lambda > b.lambda;
  };
  if (!std::is_sorted(rows.begin(), rows.end(), descending)) return;
  std::reverse(rows.begin(), rows.end());
  product.reversed = true;
}

bool NeedsResampling(const std::vector<SpectrumRow>& rows) {
  const auto kept = std::count_if(rows.begin(), rows.end(), [](const SpectrumRow& row) {
    return row.lambda > lamivex::kDroppedAtOrBelowNm;
  });
  return kept > lamivex::kMaxSpectrumRows;
}

void ResampleOntoSolarGrid(ProductSpectrum& product) {
  const std::vector<SpectrumRow>& rows = product.rows;
  std::vector<SpectrumRow> grid;
  std::size_t above = 0;  // the first row at or above the grid point
  for (int i = 0; i < lamivex::kMaxSpectrumRows; ++i) {
    const double lambda = kGridFirstNm + kGridStepNm * i;
    while (above + 1 < rows.size() && rows[above].lambda < lambda) ++above;
    const SpectrumRow& row = rows[above];
    if (row.lambda == lambda || above == 0) {
      grid.push_back({lambda, row.t, row.r1, row.r2, row.where});
    } else {
      grid.push_back(InterpolatedRow(rows[above - 1], row, lambda));
    }
  }
  product.rowsResampled = rows.size();
  product.rows = std::move(grid);
}

}  // namespace lamivexdb
