// Glazing units in a batch row: panes separated by gaps, gap:WIDTH[:GAS[:PERCENT]], and
// the thickness of a layer, #mm right after its product.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "glazing/UnitThermal.h"

namespace lamivex::batch {

// Thicknesses taken for a layer whose product and row give none.
inline constexpr double kAssumedGlassMm = 4.0;
inline constexpr double kAssumedInterlayerMm = 0.76;
inline constexpr size_t kMaxPanes = 3;

// The layer tokens of each pane, outside first, and the gaps between them.
struct PaneTokens {
  std::vector<std::vector<std::string>> panes;
  std::vector<glazing::ThermalGap> gaps;
};

// Splits a row's tokens at its gaps; a row without a gap is one pane. Throws
// std::invalid_argument for a gap at either end, two gaps in a row, more than three panes
// or a gap that is not understood.
PaneTokens SplitAtGaps(const std::vector<std::string>& tokens);

// The gap a token starting with "gap:" describes. Throws std::invalid_argument with the
// reason when it is not understood.
glazing::ThermalGap ParseGap(const std::string& token);

// Removes "#mm" written right after a layer's product from the token and returns it;
// nothing when the token has none. Throws std::invalid_argument for a thickness that is
// not a number above 0 and up to 100.
std::optional<double> TakeThickness(std::string& token);

}  // namespace lamivex::batch
