// The command line of lamivex-batch.
#pragma once

#include <stdexcept>
#include <string>

#include "BatchSettings.h"

namespace lamivex::batch {

enum BatchStatus : int {
  kBatchAllRan = 0,
  kBatchSomeFailed = 1,
  kBatchInputRefused = 2,
  kBatchUsage = 64,
};

// A command line not understood; the text says what.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  BatchSettings settings;
  bool help = false;
  bool version = false;
};

// Reads the arguments into the settings (jobs defaults to `cores`). Throws UsageError.
CommandLine ParseCommandLine(int argc, const char* const* argv, unsigned cores);

extern const char* const kBatchUsageText;

}  // namespace lamivex::batch
