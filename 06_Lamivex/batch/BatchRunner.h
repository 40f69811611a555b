// Runs the stacks of a batch on several threads, results in the order of the input.
#pragma once

#include <vector>

#include "BatchSettings.h"
#include "StackRun.h"
#include "Stacks.h"

namespace lamivex::batch {

// Runs every stack, settings.jobs at a time; result n belongs to stack n. With
// showProgress, a progress line on standard output is redrawn as stacks finish and
// erased at the end.
std::vector<StackResult> RunStacks(const std::vector<Stack>& stacks, const BatchSettings& settings,
                                   bool showProgress);

}  // namespace lamivex::batch
