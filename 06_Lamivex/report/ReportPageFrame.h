// The header and the footer of every page of the report.
#pragma once

#include <string>

#include "MdlDeclarations.h"
#include "ReportCanvas.h"
#include "ReportText.h"

namespace lamivex::report {

// What every page of a report shows around its content: the labels, the run's launch date
// and time, and the report's title.
struct DocumentFrame {
  const ReportTexts& texts;
  const RunInformation& info;
  std::string title;
};

// Header: the suite and report titles on the left; the run's launch date and time and
// "Page n / N" on the right; a rule. Footer: a rule, "<report of> N <pages>" on the left,
// the version on the right.
void DrawPageFrame(ReportCanvas& canvas, const DocumentFrame& frame, int page, int pages);

}  // namespace lamivex::report
