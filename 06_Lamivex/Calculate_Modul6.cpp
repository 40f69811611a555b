// Placeholder until the assembly lands.
#include "Calculate_Modul6.h"

namespace lamivex {
void CalculateAssembly(LamivexRun&) {}
}  // namespace lamivex
