// Report labels in the job's language.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "MdlDeclarations.h"

namespace lamivex {

// The language file for a language name ("Français", "Anglais", "Allemand",
// "Espagnol"); empty for any other name.
std::string LanguageFile(const LamivexRun& run, const std::string& language);

void LoadReportLabels(LamivexRun& run, const std::string& language);

// The 37 labels in loading order, each with its key (the French text of the label).
using ReportLabelKey = std::pair<std::string ReportLabels::*, const char*>;
const std::array<ReportLabelKey, 37>& ReportLabelKeys();

}  // namespace lamivex
