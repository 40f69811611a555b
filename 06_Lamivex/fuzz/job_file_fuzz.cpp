// Arbitrary bytes as a job file, read in the order of a run: the keyed readers, "Number
// glass", the layer table, the inversion list and the run information. Each reads the
// job or stops it with a bad-job error; anything else is a finding.
#include <cmath>
#include <memory>
#include <variant>

#include "FuzzFile.h"
#include "Main_modul6.h"
#include "platform/RunError.h"

using lamivex::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path profile = lamivex::fuzz::FuzzFolder("job");
  const std::string job = profile / "Temp" / "input_Lamivex.in";
  lamivex::fuzz::WriteInput(job, data, size);
  // A key of the job's and a key made of the input's own bytes.
  const char* const keys[] = {"Number glass", "Inverse the face glasses", "glass1", "Emn1"};
  const std::string extraKey(reinterpret_cast<const char*>(data),
                             size == 0 ? 0 : data[0] % 24 % size);
  for (const std::string& key : {std::string(keys[size == 0 ? 0 : data[size - 1] % 4]), extraKey}) {
    const auto text = lamivex::ReadKeyText(job, key);
    lamivex::fuzz::RequireTextLine(std::get<std::string>(text));
    const auto value = lamivex::ReadKeyNumber(job, key);
    Require(!std::isnan(std::get<double>(value)));  // the file exists: always a number
  }
  static const auto run = std::make_unique<lamivex::LamivexRun>();  // large: made once
  run->ProfilePath = profile.string();
  run->NumberGlass = 0;
  run->InverseFace.fill(0);
  run->Info = {};
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
  const lamivex::RunInformation& info = run->Info;
  for (const std::string* text : {&info.SuiteVersion40, &info.LaunchDate, &info.Language,
                                  &info.ProjectReference, &info.Glazing, &info.Description}) {
    Require(text->find('"') == std::string::npos && lamivex::ToUtf8(*text) == *text);
  }
  return 0;
}
