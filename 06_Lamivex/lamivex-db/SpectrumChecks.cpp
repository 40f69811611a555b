#include "SpectrumChecks.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "DecimalText.h"
#include "platform/SpectralSchema.h"

namespace lamivexdb {

namespace {

constexpr double kGridFirstNm = 300.0;
constexpr double kGridLastNm = 2500.0;

std::string Nm(double lambda) {
  return ShortestText(lambda) + " nm";
}

// Collects problems by kind, keeping the first occurrence and a count.
class ProblemList {
 public:
  void Add(const std::string& kind, std::size_t row, const std::string& what) {
    auto [it, isNew] = byKind_.try_emplace(kind, problems_.size());
    if (isNew) {
      problems_.push_back({what, row, 1});
    } else {
      ++problems_[it->second].count;
    }
  }
  std::vector<SpectrumProblem> Take() { return std::move(problems_); }

 private:
  std::map<std::string, std::size_t> byKind_;
  std::vector<SpectrumProblem> problems_;
};

void CheckOrder(const std::vector<SpectrumRow>& rows, ProblemList& problems) {
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const double previous = rows[i - 1].lambda;
    const double current = rows[i].lambda;
    if (current == previous) {
      problems.Add("duplicate", i, "duplicate wavelength " + Nm(current));
    } else if (current < previous) {
      problems.Add("order", i,
                   "rows not strictly ascending: " + Nm(current) + " follows " + Nm(previous));
    }
  }
}

void CheckValue(const char* name, double value, std::size_t row, double lambda,
                ProblemList& problems) {
  if (std::isnan(value)) {
    problems.Add("nan", row, std::string(name) + " at " + Nm(lambda) + " is not a number");
  } else if (value < 0.0 || value > 100.0) {
    problems.Add("range", row,
                 std::string(name) + " " + ShortestText(value) + " % at " + Nm(lambda) +
                     " is outside 0 to 100 %");
  }
}

// The sum brought back to its decimals, so that 79.3 + 21.7 is 101 and not a hair above.
bool AboveNoiseTolerance(double t, double r) {
  return RoundedSum(t, r) > 100.0 + kSumNoiseTolerance;
}

void CheckSum(const char* name, double t, double r, std::size_t row, double lambda,
              ProblemList& problems) {
  if (AboveNoiseTolerance(t, r)) {
    problems.Add("sum", row,
                 std::string("T + ") + name + " = " + ShortestText(RoundedSum(t, r)) + " % at " +
                     Nm(lambda) + " is above 100 % by more than the tolerance of " +
                     ShortestText(kSumNoiseTolerance) + " point");
  }
}

// Notes one face of a row whose T + R is above 100 % within the tolerance.
bool NoteNoise(const char* face, double t, double r, double lambda, SumNoise& noise) {
  const double sum = RoundedSum(t, r);
  if (!(sum > 100.0) || AboveNoiseTolerance(t, r)) return false;
  if (sum > noise.worstSum) noise = {noise.wavelengths, sum, lambda, face};
  return true;
}

void CheckValues(const std::vector<SpectrumRow>& rows, ProblemList& problems) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SpectrumRow& row = rows[i];
    if (std::isnan(row.lambda)) {
      problems.Add("nan", i, "a wavelength is not a number");
      continue;
    }
    CheckValue("T", row.t, i, row.lambda, problems);
    CheckValue("R1", row.r1, i, row.lambda, problems);
    CheckValue("R2", row.r2, i, row.lambda, problems);
    CheckSum("R1", row.t, row.r1, i, row.lambda, problems);
    CheckSum("R2", row.t, row.r2, i, row.lambda, problems);
  }
}

// The run keeps the rows above 299 nm; they must fit its arrays and reach from
// 300 to 2500 nm, or the resampling has nothing to stand on at the grid's ends.
void CheckRange(const std::vector<SpectrumRow>& rows, RowLimit limit, ProblemList& problems) {
  std::size_t kept = 0;
  double lowest = INFINITY;
  double highest = -INFINITY;
  for (const SpectrumRow& row : rows) {
    if (!(row.lambda > lamivex::kDroppedAtOrBelowNm)) continue;
    ++kept;
    lowest = std::min(lowest, row.lambda);
    highest = std::max(highest, row.lambda);
  }
  if (limit == RowLimit::Checked && kept > static_cast<std::size_t>(lamivex::kMaxSpectrumRows)) {
    problems.Add("count", kWholeSpectrum,
                 std::to_string(kept) + " rows above 299 nm; a spectrum holds at most " +
                     std::to_string(lamivex::kMaxSpectrumRows));
  }
  if (kept == 0) {
    problems.Add("cover", kWholeSpectrum, "no rows above 299 nm; 300 to 2500 nm must be covered");
  } else if (lowest > kGridFirstNm || highest < kGridLastNm) {
    problems.Add("cover", kWholeSpectrum,
                 "covers " + ShortestText(lowest) + " to " + Nm(highest) +
                     "; 300 to 2500 nm must be covered");
  }
}

}  // namespace

std::vector<SpectrumProblem> FindSpectrumProblems(const std::vector<SpectrumRow>& rows,
                                                  RowLimit limit) {
  ProblemList problems;
  if (rows.empty()) {
    problems.Add("empty", kWholeSpectrum, "no spectral rows");
    return problems.Take();
  }
  CheckOrder(rows, problems);
  CheckValues(rows, problems);
  CheckRange(rows, limit, problems);
  return problems.Take();
}

SumNoise FindSumNoise(const std::vector<SpectrumRow>& rows) {
  SumNoise noise;
  for (const SpectrumRow& row : rows) {
    const bool front = NoteNoise("R1", row.t, row.r1, row.lambda, noise);
    const bool back = NoteNoise("R2", row.t, row.r2, row.lambda, noise);
    if (front || back) ++noise.wavelengths;
  }
  return noise;
}

std::string DescribeSumNoise(const SumNoise& noise, std::size_t rowCount) {
  return "T + R is above 100 % at " + std::to_string(noise.wavelengths) + " of " +
         std::to_string(rowCount) + " wavelengths, within the tolerance of " +
         ShortestText(kSumNoiseTolerance) + " point for measuring noise; the largest: T + " +
         noise.worstFace + " = " + ShortestText(noise.worstSum) + " % at " + Nm(noise.worstLambda);
}

std::string DescribeProblem(const SpectrumProblem& problem) {
  if (problem.count <= 1) return problem.what;
  return problem.what + " (and " + std::to_string(problem.count - 1) + " more)";
}

}  // namespace lamivexdb
