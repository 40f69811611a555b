// Integrated solar characteristics of a spectrum file.
#pragma once

#include <string>

#include "MdlDeclarations.h"

namespace lamivex {

void WriteEnergyResultHeader(LamivexRun& run, const std::string& fileName);
void IntegrateEnergyResult(LamivexRun& run, const std::string& sourceName,
                           const std::string& targetName);

}  // namespace lamivex
