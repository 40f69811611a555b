// The spectrum of a pane or of a glazing unit on the solar grid, as the declared
// values are computed from it.
#pragma once

#include <array>

namespace lamivex::glazing {

inline constexpr int kGridPoints = 441;      // 300..2500 nm every 5 nm
inline constexpr double kGridStart = 300.0;  // nm
inline constexpr double kGridStep = 5.0;     // nm

// Transmittance and the reflectances of face 1 (outside) and face 2 (room side), as
// fractions; entry i belongs to 300 + 5 i nm.
struct PaneSpectrum {
  std::array<double, kGridPoints> T{}, R1{}, R2{};
};

}  // namespace lamivex::glazing
