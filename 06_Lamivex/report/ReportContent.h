// The report's content as a flow of blocks: the project lines, the layers, the
// integrated results with the summary, and the spectral charts.
#pragma once

#include <vector>

#include "ReportData.h"
#include "ReportFlow.h"

namespace lamivex::report {

std::vector<Block> ReportBlocks(const ReportData& data);

}  // namespace lamivex::report
