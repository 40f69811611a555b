// Geometry of the spectral charts.
#include "ChartGeometry.h"

#include <algorithm>
#include <cmath>

namespace lamivex::report {
namespace {

double Distance(const PagePoint& a, const PagePoint& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

PagePoint Between(const PagePoint& a, const PagePoint& b, double fraction) {
  return {a.x + (b.x - a.x) * fraction, a.y + (b.y - a.y) * fraction};
}

// Distance of p from the straight line through a and b (from a when a and b coincide).
double DistanceFromLine(const PagePoint& p, const PagePoint& a, const PagePoint& b) {
  const double length = Distance(a, b);
  if (length == 0.0) return Distance(p, a);
  return std::abs((b.x - a.x) * (a.y - p.y) - (a.x - p.x) * (b.y - a.y)) / length;
}

void KeepFarPoints(const std::vector<PagePoint>& line, size_t first, size_t last, double tolerance,
                   std::vector<bool>& keep) {
  if (last <= first + 1) return;
  size_t farthest = first;
  double largest = -1.0;
  for (size_t i = first + 1; i < last; ++i) {
    const double d = DistanceFromLine(line[i], line[first], line[last]);
    if (d > largest) {
      largest = d;
      farthest = i;
    }
  }
  if (largest <= tolerance) return;
  keep[farthest] = true;
  KeepFarPoints(line, first, farthest, tolerance, keep);
  KeepFarPoints(line, farthest, last, tolerance, keep);
}

// Walks the dash pattern along the line: the current dash, how much of it is left, and
// whether it draws.
class DashWalker {
 public:
  explicit DashWalker(const std::vector<double>& pattern) : pattern_(pattern) {
    left_ = pattern_[0];
  }
  void Walk(const PagePoint& a, const PagePoint& b, std::vector<PageSegment>& pieces) {
    const double length = Distance(a, b);
    double done = 0.0;
    while (length - done > 1e-9) {
      const double step = std::min(left_, length - done);
      if (Drawing()) {
        pieces.push_back({Between(a, b, done / length), Between(a, b, (done + step) / length)});
      }
      done += step;
      left_ -= step;
      if (left_ <= 1e-9) Next();
    }
  }

 private:
  bool Drawing() const { return index_ % 2 == 0; }
  void Next() {
    index_ = (index_ + 1) % pattern_.size();
    left_ = pattern_[index_];
  }
  const std::vector<double>& pattern_;
  size_t index_ = 0;
  double left_ = 0.0;
};

}  // namespace

PagePoint ChartPosition(const ChartFrame& frame, double lambda, double percent) {
  const double u = (std::clamp(lambda, kChartLambdaMin, kChartLambdaMax) - kChartLambdaMin) /
                   (kChartLambdaMax - kChartLambdaMin);
  const double v = std::clamp(percent, 0.0, kChartPercentMax) / kChartPercentMax;
  return {frame.left + u * frame.width, frame.Bottom() - v * frame.height};
}

std::vector<double> WavelengthTicks() {
  std::vector<double> ticks;
  for (double lambda = kChartLambdaMin; lambda <= kChartLambdaMax; lambda += 200.0) {
    ticks.push_back(lambda);
  }
  return ticks;
}

std::vector<double> PercentTicks() {
  std::vector<double> ticks;
  for (int percent = 0; percent <= 100; percent += 10) ticks.push_back(percent);
  return ticks;
}

std::vector<PageSegment> DashedPieces(const std::vector<PagePoint>& line,
                                      const std::vector<double>& pattern) {
  std::vector<PageSegment> pieces;
  if (line.size() < 2) return pieces;
  const bool solid = pattern.empty() || std::any_of(pattern.begin(), pattern.end(),
                                                    [](double length) { return length <= 0.0; });
  if (solid) {
    for (size_t i = 1; i < line.size(); ++i) pieces.push_back({line[i - 1], line[i]});
    return pieces;
  }
  DashWalker walker(pattern);
  for (size_t i = 1; i < line.size(); ++i) walker.Walk(line[i - 1], line[i], pieces);
  return pieces;
}

std::vector<PagePoint> SimplifiedLine(const std::vector<PagePoint>& line, double tolerance) {
  if (line.size() < 3) return line;
  std::vector<bool> keep(line.size(), false);
  keep.front() = keep.back() = true;
  KeepFarPoints(line, 0, line.size() - 1, tolerance, keep);
  std::vector<PagePoint> kept;
  for (size_t i = 0; i < line.size(); ++i) {
    if (keep[i]) kept.push_back(line[i]);
  }
  return kept;
}

}  // namespace lamivex::report
