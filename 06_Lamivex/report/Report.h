// Writing the report's PDF file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ReportData.h"
#include "ReportFlow.h"
#include "ReportPageFrame.h"

namespace lamivex::report {

// The blocks of a report's content, their texts measured on the canvas that draws them.
using ReportContent = std::function<std::vector<Block>(ReportCanvas& canvas)>;

// Writes a document of A4 pages, each with the frame's header and footer around the content
// the flow placed on it, to `path` with the writer's metrics from `configFolder`. The
// document is written beside the path under a temporary name and renamed when complete, so
// the path holds either the whole new report or what it held before. Throws RunError
// (kExitPdfNotCreated) with the LblClosePdf text when the file cannot be created.
void WriteDocument(const DocumentFrame& frame, const ReportContent& content,
                   const std::string& configFolder, const std::string& path);

// Writes the report of a run (see WriteDocument).
void WriteReport(const ReportData& data, const std::string& configFolder, const std::string& path);

}  // namespace lamivex::report
