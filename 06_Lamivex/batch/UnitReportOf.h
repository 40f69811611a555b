// The report of a glazing unit of a batch, from the values its run calculated.
#pragma once

#include <string>
#include <vector>

#include "BatchSettings.h"
#include "StackRun.h"
#include "Stacks.h"
#include "glazing/PaneSpectrum.h"

namespace lamivex::batch {

// Writes <reports folder>/<folder>.pdf for the glazing unit `stack`, whose panes and whole
// values are in `result`, with the panes' spectra and the unit's, in the batch's language.
// Never throws: a report that cannot be written gives the result its status and message.
void WriteUnitReportOf(const Stack& stack, const std::vector<glazing::PaneSpectrum>& panes,
                       const glazing::PaneSpectrum& unit, const std::string& folder,
                       const BatchSettings& settings, StackResult& result);

}  // namespace lamivex::batch
