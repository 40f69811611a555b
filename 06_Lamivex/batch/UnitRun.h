// A glazing unit of a batch: each pane run as a stack, then the unit's optics, U and g.
#pragma once

#include <string>

#include "BatchSettings.h"
#include "StackRun.h"

namespace lamivex::batch {

// Runs the unit's panes in <work folder>/<folder>_pane1, _pane2...; the unit's values
// when every pane ran. Never throws.
StackResult RunUnit(const Stack& stack, const std::string& folder, const BatchSettings& settings);

}  // namespace lamivex::batch
