// One stack of a batch run by the run's own code in a profile folder of its own.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "BatchSettings.h"
#include "DeclaredValues.h"
#include "JobWriter.h"
#include "Stacks.h"
#include "glazing/PaneSpectrum.h"

namespace lamivex::batch {

// Te, Re1, Ae1, Re2, Ae2, Tl, Rl1, Al1, Rl2, Al2 in percent, then the declared values
// in the order of kDeclaredKeys.
inline constexpr size_t kIntegratedCount = 10;
inline constexpr size_t kValueCount = kIntegratedCount + kDeclaredCount;

struct StackResult {
  bool calculated = false;  // the run ended normally and the values hold its results
  int status = 0;           // 0, or the status lamivex would end with
  std::string message;      // the run's messages, or why the row was not understood
  std::string model;        // "laminated", "layer by layer", "one layer", "unit of 2 panes"
  std::array<double, kValueCount> values{};
  std::optional<double> u;         // a glazing unit's U value, W/(m²K)
  std::vector<StackResult> panes;  // a glazing unit's panes, outside first
};

// The job of a stack as the run and the report read it.
JobDescription StackJob(const Stack& stack, const BatchSettings& settings);

// The folder (under the work folder) and the report file name of the n-th stack, from 1.
std::string StackFolderName(const Stack& stack, size_t number);

// Runs the stack in <work folder>/<StackFolderName>, a glazing unit's panes each in a
// folder of its own; never throws: a failure is the result's status and message.
StackResult RunStack(const Stack& stack, size_t number, const BatchSettings& settings);

// Runs the layers of one pane in <work folder>/<folder>, as a stack is run, and gives
// the pane's spectrum in `spectrum` when the run ends normally.
StackResult RunPane(const Stack& stack, const std::string& folder, const BatchSettings& settings,
                    glazing::PaneSpectrum* spectrum);

}  // namespace lamivex::batch
