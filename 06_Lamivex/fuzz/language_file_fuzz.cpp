// Feeds arbitrary bytes, UTF-8 or not, to the report-label loader as the language file
// of a run. Every one of the 37 labels must come back as one trimmed line of UTF-8;
// the loader never throws for a file it can read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzFile.h"
#include "MdlImpression.h"

namespace {

using lamivex::fuzz::Require;

void CheckLabel(const std::string& label) {
  Require(lamivex::fuzz::IsUtf8(label));
  Require(label.find_first_of("\r\n") == std::string::npos);
  Require(label.empty() || (label.front() != ' ' && label.back() != ' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const lamivex::fuzz::FuzzFolder program("language");
  // One run for all inputs (it is large); the loader sets every label.
  static const auto run = std::make_unique<lamivex::LamivexRun>();
  run->ProgramFolder = program.Path().string();
  static const std::string file = lamivex::LanguageFile(*run, "Français");
  lamivex::fuzz::WriteInput(file, data, size);
  run->Labels = {};

  lamivex::LoadReportLabels(*run, "Français");
  const lamivex::ReportLabels& labels = run->Labels;
  for (const std::string* label : {&labels.LblSuiteTitle,
                                   &labels.LblDateVersion,
                                   &labels.LblReportTitle,
                                   &labels.LblProjectDescription,
                                   &labels.LblProjectReference,
                                   &labels.LblPage,
                                   &labels.LblYes,
                                   &labels.LblNo,
                                   &labels.LblSection1,
                                   &labels.LblInitialGlassName,
                                   &labels.LblGlass,
                                   &labels.LblFilm,
                                   &labels.LblCoating,
                                   &labels.LblPVB,
                                   &labels.LblInitialThickness,
                                   &labels.LblInitialCharacteristics,
                                   &labels.LblResultColumns,
                                   &labels.LblSection2,
                                   &labels.LblNewGlassName,
                                   &labels.LblNewThickness,
                                   &labels.LblNewCharacteristics,
                                   &labels.LblDate,
                                   &labels.LblTime,
                                   &labels.LblEnergyCharacteristics,
                                   &labels.LblLightCharacteristics,
                                   &labels.LblGlazings,
                                   &labels.LblReportOf,
                                   &labels.LblPages,
                                   &labels.LblUserName,
                                   &labels.LblCompany,
                                   &labels.LblPhone,
                                   &labels.LblFax,
                                   &labels.LblEmail,
                                   &labels.LblLicenceNumber,
                                   &labels.LblClosePdf,
                                   &labels.LblSpectralCalculation,
                                   &labels.LblIntegratedCalculation}) {
    CheckLabel(*label);
  }
  return 0;
}
