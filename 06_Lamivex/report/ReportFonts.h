// The font metrics the report measures its texts with.
#pragma once

#include <string>

namespace lamivex::report {

// The folder whose gPDFFonts.ini gives a width to every character the report may print, in
// each font it prints with: the program folder, else the writer's own default folders (the
// running program's folder, the writer's installed metrics). Throws RunError(kExitFault)
// naming every folder searched and what it lacked: a report laid out with widths of 0
// overlaps and runs off the page.
std::string FontMetricsFolder(const std::string& programFolder);

}  // namespace lamivex::report
