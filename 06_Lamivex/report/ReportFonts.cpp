// Finding font metrics that measure every text of the report.
#include "ReportFonts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "ConfigurationFolder.h"
#include "CreatePDF.h"
#include "FontMetrics.h"
#include "platform/RunError.h"

namespace lamivex::report {
namespace {

// The writer's names of the fonts the report prints with (ReportCanvas: Helvetica, bold).
const char* const kReportFonts[] = {"Helvetica", "HelveticaBold"};

std::string Utf8(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) {
    return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  }
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}

// What labels, names and numbers may hold: printable ASCII, the Latin-1 letters and signs,
// and the ellipsis that ends a text cut to its place.
const std::vector<std::string>& PrintableCharacters() {
  static const std::vector<std::string> characters = [] {
    std::vector<std::string> list;
    for (char32_t c = 0x20; c <= 0xFF; ++c) {
      if (c < 0x7F || c >= 0xA0) list.push_back(Utf8(c));
    }
    list.push_back(Utf8(0x2026));
    return list;
  }();
  return characters;
}

// Empty when the folder's metrics measure every printable character in the report's fonts,
// else what they lack.
std::string MissingWidths(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(folder / createpdf::kMetricsFileName, error)) {
    return std::string("no ") + createpdf::kMetricsFileName;
  }
  CreatePDF pdf;
  pdf.PDFPathConfiguration(folder.string());
  for (const char* font : kReportFonts) {
    for (const std::string& character : PrintableCharacters()) {
      if (pdf.PDFGetStringWidth(character, font, 1000) <= 0.0) {
        return std::string(createpdf::kMetricsFileName) + " has no width for \"" + character +
               "\" in " + font;
      }
    }
  }
  return std::string();
}

}  // namespace

std::string FontMetricsFolder(const std::string& programFolder) {
  std::vector<std::filesystem::path> folders = {programFolder};
  for (const std::filesystem::path& folder : createpdf::DefaultConfigurationFolders()) {
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) {
      folders.push_back(folder);
    }
  }
  std::string searched;
  for (const std::filesystem::path& folder : folders) {
    const std::string missing = MissingWidths(folder);
    if (missing.empty()) return folder.string();
    searched += (searched.empty() ? "" : "; ") + folder.string() + " (" + missing + ")";
  }
  throw RunError(kExitFault, "SM5.2",
                 std::string("Error: no font metrics to measure the report's texts with; the "
                             "folders searched for ") +
                     createpdf::kMetricsFileName + ": " + searched + ".");
}

}  // namespace lamivex::report
