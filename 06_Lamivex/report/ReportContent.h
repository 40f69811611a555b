// The report's content as a flow of blocks: the project lines, the layers, the
// integrated results with the summary, and the spectral charts.
#pragma once

#include <vector>

#include "ReportCanvas.h"
#include "ReportData.h"
#include "ReportFlow.h"

namespace lamivex::report {

// The blocks, their texts measured on the canvas that will draw them.
std::vector<Block> ReportBlocks(const ReportData& data, ReportCanvas& canvas);

}  // namespace lamivex::report
