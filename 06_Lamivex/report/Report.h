// Writing the report's PDF file.
#pragma once

#include <string>

#include "ReportData.h"

namespace lamivex::report {

// Writes the report to `path` with the writer's metrics from `configFolder`. The document
// is written beside the path under a temporary name and renamed when complete, so the
// path holds either the whole new report or what it held before. Throws RunError
// (kExitPdfNotCreated) with the LblClosePdf text when the file cannot be created.
void WriteReport(const ReportData& data, const std::string& configFolder, const std::string& path);

}  // namespace lamivex::report
