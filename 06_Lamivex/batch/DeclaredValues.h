// The EN 410 values a run declares for its stack, as it writes them to
// Lamivex_EN410.out in its Temp folder.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace lamivex::batch {

inline constexpr const char* kDeclaredValuesFile = "Lamivex_EN410.out";

// g, SC, S, Tuv, Ra, then the CIE L*a*b* of the transmitted light and of the light
// reflected by face 1 and by face 2; the file's qi is not among them.
inline constexpr size_t kDeclaredCount = 14;
inline constexpr std::array<const char*, kDeclaredCount> kDeclaredKeys = {
    "g",   "SC",   "S",    "Tuv",  "Ra",   "T_L",  "T_a",
    "T_b", "R1_L", "R1_a", "R1_b", "R2_L", "R2_a", "R2_b"};

// The values of the keyed lines ("g", 61.2345) of the file at path, in the order of
// kDeclaredKeys. Throws RunError(kExitFault) naming the file when it is missing, or a
// key when it is missing or its value is not a number.
std::array<double, kDeclaredCount> ReadDeclaredValues(const std::string& path);

}  // namespace lamivex::batch
