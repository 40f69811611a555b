// Integrated light characteristics of a spectrum file.
#pragma once

#include <string>

#include "MdlDeclarations.h"

namespace lamivex {

void WriteLightResultHeader(LamivexRun& run, const std::string& fileName);
void IntegrateLightResult(LamivexRun& run, const std::string& sourceName,
                          const std::string& targetName);

}  // namespace lamivex
