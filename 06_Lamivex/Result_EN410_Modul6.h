// The declared values of the assembly (EN 410): Lamivex_EN410.out, one keyed line per value.
#pragma once

#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex {

inline constexpr const char* kDeclaredValuesFile = "Lamivex_EN410.out";

// The keyed lines of the file, in the job file's line format ("g", 61.2345): g, qi, SC,
// S, Tuv, Ra and L*, a*, b* of T, R1 and R2.
std::vector<std::string> DeclaredValueLines(const glazing::DeclaredValues& values);

// Writes the declared values the stack's calculation keeps in run.Declared (from the
// assembly's spectrum and the last layer's face-2 emissivity) to fileName in the Temp folder.
void WriteDeclaredValues(LamivexRun& run, const std::string& fileName);

}  // namespace lamivex
