#include "glazing/Emissivity.h"

namespace lamivex::glazing {

double CorrectedEmissivity(double normal) {
  return normal * (1.1887 + normal * (-0.4967 + normal * 0.2452));
}

double NormalEmissivity(double corrected) {
  if (corrected <= 0.0) return 0.0;
  if (corrected >= CorrectedEmissivity(1.0)) return 1.0;
  double low = 0.0;
  double high = 1.0;
  for (int step = 0; step < 60; ++step) {
    const double middle = 0.5 * (low + high);
    (CorrectedEmissivity(middle) < corrected ? low : high) = middle;
  }
  return 0.5 * (low + high);
}

}  // namespace lamivex::glazing
