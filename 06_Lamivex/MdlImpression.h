// Report labels in the job's language.
#pragma once

#include <string>

#include "MdlDeclarations.h"

namespace lamivex {

// The language file for a language name ("Français", "Anglais", "Allemand",
// "Espagnol"); empty for any other name.
std::string LanguageFile(const LamivexRun& run, const std::string& language);

void LoadReportLabels(LamivexRun& run, const std::string& language);

}  // namespace lamivex
