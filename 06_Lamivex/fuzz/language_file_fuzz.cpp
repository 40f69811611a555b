// Arbitrary bytes as a language file: each label is one trimmed line of UTF-8; no throw.
#include <memory>

#include "FuzzFile.h"
#include "MdlImpression.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path program = lamivex::fuzz::FuzzFolder("language");
  static const auto run = std::make_unique<lamivex::LamivexRun>();  // large: made once
  run->ProgramFolder = program.string();
  static const std::string file = lamivex::LanguageFile(*run, "Français");
  lamivex::fuzz::WriteInput(file, data, size);
  run->Labels = {};
  lamivex::LoadReportLabels(*run, "Français");
  for (const auto& [label, key] : lamivex::ReportLabelKeys()) {
    lamivex::fuzz::RequireTextLine(run->Labels.*label);
  }
  return 0;
}
