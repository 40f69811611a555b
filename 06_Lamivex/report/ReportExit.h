// Exit statuses of lamivex-report beyond those it shares with lamivex.
#pragma once

#include "platform/RunError.h"

namespace lamivex::report {

inline constexpr ExitStatus kExitMissingRunFile = static_cast<ExitStatus>(5);
inline constexpr ExitStatus kExitPdfNotCreated = static_cast<ExitStatus>(6);

}  // namespace lamivex::report
