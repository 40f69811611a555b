// The optics of an insulating glazing unit: its panes' spectra combined with full
// multiple reflection between the panes; the gaps transmit all and absorb nothing.
#pragma once

#include <array>
#include <vector>

#include "glazing/PaneSpectrum.h"

namespace lamivex::glazing {

using GridValues = std::array<double, kGridPoints>;

struct UnitOptics {
  PaneSpectrum unit;                 // the unit's T, R1 (outside) and R2 (room side)
  std::vector<GridValues> absorbed;  // per pane, the share of radiation incident on
                                     // face 1 of the unit that the pane absorbs
};

// Combines the panes, listed from the outside (face 1) to the room side, adding one
// pane at a time behind the panes before it. At least one pane.
UnitOptics CombinePanes(const std::vector<PaneSpectrum>& panes);

}  // namespace lamivex::glazing
