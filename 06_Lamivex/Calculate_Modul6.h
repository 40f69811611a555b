// The assembly: combines the layer spectra, laminated or layer by layer.
#pragma once

#include "MdlDeclarations.h"

namespace lamivex {

void CalculateAssembly(LamivexRun& run);

}  // namespace lamivex
