// Runs the rows of a batch on several threads and hands them on in the order of the input.
#pragma once

#include <cstdint>
#include <functional>

#include "BatchSettings.h"
#include "StackRun.h"
#include "Stacks.h"

namespace lamivex::batch {

// The rows of a batch, made when they are calculated: row n (from 0) is stackOf(n).
// stackOf is called from several threads at once.
struct BatchRows {
  uint64_t count = 0;
  std::function<Stack(uint64_t)> stackOf;
};

// Takes a finished row (number from 0); returns false to end the batch after it.
using RowHandler = std::function<bool(uint64_t number, const Stack&, const StackResult&)>;

// Runs the rows, settings.jobs at a time, and hands each one to `handle` on the calling
// thread, in input order, as soon as it and every row before it have run. Once `handle`
// returns false no later row is handed on and no further row is started. With
// showProgress, a progress line on standard output counts the rows (combinations with
// --combine); it is erased while `handle` runs, which may then write to standard output.
void RunRows(const BatchRows& rows, const BatchSettings& settings, const RowHandler& handle,
             bool showProgress);

}  // namespace lamivex::batch
