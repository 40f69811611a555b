// Report labels in the job's language.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "MdlDeclarations.h"

namespace lamivex {

// The language file for a language name ("Français", "Anglais", "Allemand",
// "Espagnol"); empty for any other name.
std::string LanguageFile(const LamivexRun& run, const std::string& language);

// The language folder ("Français", "Anglais", "Allemand", "Espagnol", also the job's
// language value) that a language name stands for: the folder's own name, its English name
// (French, English, German, Spanish) or its two-letter code (fr, en, de, es), ASCII letters
// in any case. Nothing for any other name.
std::optional<std::string> LanguageFolderOf(std::string_view language);

// The names LanguageFolderOf accepts, for a message that lists them.
inline constexpr const char* kLanguageNames =
    "Français, Anglais, Allemand, Espagnol (or French, English, German, Spanish, "
    "or fr, en, de, es)";

void LoadReportLabels(LamivexRun& run, const std::string& language);

// The 37 labels in loading order, each with its key (the French text of the label).
using ReportLabelKey = std::pair<std::string ReportLabels::*, const char*>;
const std::array<ReportLabelKey, 37>& ReportLabelKeys();

}  // namespace lamivex
