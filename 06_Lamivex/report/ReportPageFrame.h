// The header and the footer of every page of the report.
#pragma once

#include "ReportCanvas.h"
#include "ReportData.h"

namespace lamivex::report {

// Header: the suite and report titles on the left; the run's launch date and time and
// "Page n / N" on the right; a rule. Footer: a rule, "<report of> N <pages>" on the left,
// the version on the right.
void DrawPageFrame(ReportCanvas& canvas, const ReportData& data, int page, int pages);

}  // namespace lamivex::report
