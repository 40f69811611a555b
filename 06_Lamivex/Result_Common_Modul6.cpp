// Weighted means of a spectrum.
#include "Result_Common_Modul6.h"

#include <cmath>

namespace lamivex {

namespace {

// A running sum that carries the rounding error of every addition (Neumaier): a plain
// sum of the 441 terms of a mean, of sizes from 1e-8 to 5, lost its last printed digit
// in most result files.
struct CompensatedSum {
  double sum = 0.0;
  double error = 0.0;
  void Add(double term) {
    const double next = sum + term;
    error += std::fabs(sum) >= std::fabs(term) ? (sum - next) + term : (term - next) + sum;
    sum = next;
  }
  double Value() const { return sum + error; }
};

// 100 - T - R as (100 W - ST - SR) / W, every part of the three sums added with its
// error: 100 - T - R taken from the rounded means cancels the leading digits of a small
// absorption and kept the rounding errors of T and R, a digit or two of it.
double Absorption(const CompensatedSum& w, const CompensatedSum& st, const CompensatedSum& sr) {
  const double hundredW = 100.0 * w.sum;
  CompensatedSum numerator;
  for (const double part : {hundredW, std::fma(100.0, w.sum, -hundredW), 100.0 * w.error, -st.sum,
                            -sr.sum, -st.error, -sr.error}) {
    numerator.Add(part);
  }
  return numerator.Value() / w.Value();
}

}  // namespace

IntegratedValues IntegrateSpectrum(const std::vector<SpectrumRecord>& records) {
  CompensatedSum w, st, sr1, sr2;
  for (const SpectrumRecord& record : records) {
    w.Add(record.weight);
    st.Add(record.t * record.weight);
    sr1.Add(record.r1 * record.weight);
    sr2.Add(record.r2 * record.weight);
  }
  const double weights = w.Value();
  if (weights == 0.0) {
    const double t = st.Value(), r1 = sr1.Value(), r2 = sr2.Value();
    return {t, r1, r2, 100.0 - t - r1, 100.0 - t - r2};
  }
  return {st.Value() / weights, sr1.Value() / weights, sr2.Value() / weights,
          Absorption(w, st, sr1), Absorption(w, st, sr2)};
}

}  // namespace lamivex
