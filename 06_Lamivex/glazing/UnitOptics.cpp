#include "glazing/UnitOptics.h"

#include <cstddef>

namespace lamivex::glazing {
namespace {

// A stack of panes at one grid point: its T, R1, R2 and what each pane absorbs of
// light arriving on the stack's face 1 (front) and on its face 2 (back).
struct PointStack {
  double T = 1.0, R1 = 0.0, R2 = 0.0;
  std::vector<double> front, back;
};

// Puts a pane (t, r1, r2) behind the stack. Light between the two bounces back and
// forth: the stack's back is hit T·r1/D times per unit of light entering its front
// (D = 1 − R2·r1), the pane's front T/D times; from the pane's side, the stack's back
// is hit t/D times and the pane's front t·R2/D times.
void AddPane(PointStack& stack, double t, double r1, double r2) {
  const double paneFront = 1.0 - t - r1;
  const double paneBack = 1.0 - t - r2;
  const double d = 1.0 - stack.R2 * r1;
  for (std::size_t j = 0; j < stack.front.size(); ++j) {
    stack.front[j] += stack.back[j] * stack.T * r1 / d;
    stack.back[j] *= t / d;
  }
  stack.front.push_back(stack.T * paneFront / d);
  stack.back.push_back(paneBack + paneFront * t * stack.R2 / d);
  const double r1Unit = stack.R1 + stack.T * stack.T * r1 / d;
  stack.R2 = r2 + t * t * stack.R2 / d;
  stack.R1 = r1Unit;
  stack.T *= t / d;
}

}  // namespace

UnitOptics CombinePanes(const std::vector<PaneSpectrum>& panes) {
  UnitOptics optics;
  optics.absorbed.resize(panes.size());
  for (int i = 0; i < kGridPoints; ++i) {
    PointStack stack;
    for (const PaneSpectrum& pane : panes) AddPane(stack, pane.T[i], pane.R1[i], pane.R2[i]);
    optics.unit.T[i] = stack.T;
    optics.unit.R1[i] = stack.R1;
    optics.unit.R2[i] = stack.R2;
    for (std::size_t j = 0; j < panes.size(); ++j) optics.absorbed[j][i] = stack.front[j];
  }
  return optics;
}

}  // namespace lamivex::glazing
