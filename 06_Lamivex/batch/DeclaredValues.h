// The EN 410 values of a stack among the batch's columns, in the order of their keys in
// Lamivex_EN410.out.
#pragma once

#include <array>
#include <cstddef>

namespace lamivex::batch {

// g, SC, S, Tuv, Ra, then the CIE L*a*b* of the transmitted light and of the light
// reflected by face 1 and by face 2; the file's qi is not among them.
inline constexpr size_t kDeclaredCount = 14;
inline constexpr std::array<const char*, kDeclaredCount> kDeclaredKeys = {
    "g",   "SC",   "S",    "Tuv",  "Ra",   "T_L",  "T_a",
    "T_b", "R1_L", "R1_a", "R1_b", "R2_L", "R2_a", "R2_b"};

}  // namespace lamivex::batch
