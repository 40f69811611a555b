// Arbitrary bytes as a job file, read in the order of a run: each reader reads the job or
// stops it with a bad-job error; anything else is a finding.
#include <cmath>
#include <memory>

#include "FuzzFile.h"
#include "Main_modul6.h"
#include "platform/RunError.h"

using lamivex::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path profile = lamivex::fuzz::FuzzFolder("job");
  const std::string job = profile / "Temp" / "input_Lamivex.in";
  lamivex::fuzz::WriteInput(job, data, size);
  // A key made of the input's own bytes: its text is one trimmed line, its number a number.
  const std::string key(reinterpret_cast<const char*>(data), size == 0 ? 0 : data[0] % 24 % size);
  lamivex::fuzz::RequireTextLine(std::get<std::string>(lamivex::ReadKeyText(job, key)));
  Require(!std::isnan(std::get<double>(lamivex::ReadKeyNumber(job, key))));
  static const auto run = std::make_unique<lamivex::LamivexRun>();  // large: made once
  run->ProfilePath = profile.string();
  run->InverseFace.fill(0);
  try {
    run->NumberGlass = lamivex::ReadNumberGlass(job);
    Require(run->NumberGlass <= lamivex::kMaxLayers);
    if (run->NumberGlass >= 1) {
      lamivex::ReadLayerTable(*run, job);
      lamivex::ReadInversionList(*run, job);
    }
  } catch (const lamivex::RunError& e) {
    Require(e.Status() == lamivex::kExitBadJob && e.Title() == "SM5.2" && *e.what() != '\0');
  }
  lamivex::ReadRunInformation(*run, "input_Lamivex.in");
  for (const std::string& text : {run->Info.Language, run->Info.Glazing, run->Info.Description})
    Require(text.find('"') == std::string::npos && lamivex::ToUtf8(text) == text);
  return 0;
}
