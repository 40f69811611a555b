// Arbitrary bytes as a job file, read in the order of a run: the keyed readers, "Number
// glass", the layer table, the inversion list and the run information. Each reads the
// job or stops it with a bad-job error; anything else is a finding.
#include <cmath>
#include <memory>
#include <variant>

#include "FuzzFile.h"
#include "Main_modul6.h"
#include "platform/RunError.h"

namespace {

using lamivex::fuzz::Require;

const char* const kJobKeys[] = {"Number glass",     "Inverse the face glasses",
                                "glass1",           "SM4.0",
                                "Projet/Référence", "Vitrage",
                                "Description",      "Emn1"};

// One job key chosen by the input and one key made of the input's own bytes.
void CheckKeyedReaders(const std::string& job, const std::string& jobKey,
                       const std::string& extraKey) {
  for (const std::string& key : {jobKey, extraKey}) {
    const auto text = lamivex::ReadKeyText(job, key);
    Require(std::holds_alternative<std::string>(text));
    lamivex::fuzz::RequireTextLine(std::get<std::string>(text));
    const auto value = lamivex::ReadKeyNumber(job, key);
    const auto* number = std::get_if<double>(&value);
    Require(number != nullptr && !std::isnan(*number));  // the file exists: always a number
  }
}

void ReadJob(lamivex::LamivexRun& run, const std::string& job) {
  try {
    run.NumberGlass = lamivex::ReadNumberGlass(job);
    Require(run.NumberGlass <= lamivex::kMaxLayers);
    if (run.NumberGlass < 1) return;
    lamivex::ReadLayerTable(run, job);
    lamivex::ReadInversionList(run, job);
  } catch (const lamivex::RunError& e) {
    Require(e.Status() == lamivex::kExitBadJob && e.Title() == "SM5.2" && *e.what() != '\0');
  }
  lamivex::ReadRunInformation(run, "input_Lamivex.in");
  const lamivex::RunInformation& info = run.Info;
  for (const std::string* text :
       {&info.SuiteVersion40, &info.SuiteVersion52, &info.LaunchDate, &info.LaunchTime,
        &info.Language, &info.ProjectReference, &info.Glazing, &info.Description,
        &info.InitialGlassName, &info.NewGlassName}) {
    Require(text->find('"') == std::string::npos && lamivex::ToUtf8(*text) == *text);
  }
  Require(!std::isnan(info.NewGlassThickness) && !std::isnan(info.Emn1) && !std::isnan(info.Emn2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path profile = lamivex::fuzz::FuzzFolder("job");
  const auto job = profile / "Temp" / "input_Lamivex.in";
  lamivex::fuzz::WriteInput(job, data, size);
  const std::size_t keyLength = size == 0 ? 0 : std::min<std::size_t>(size - 1, data[0] % 24);
  const std::string extraKey(reinterpret_cast<const char*>(data) + (size == 0 ? 0 : 1), keyLength);
  CheckKeyedReaders(job.string(), kJobKeys[size == 0 ? 0 : data[size - 1] % 8], extraKey);
  static const auto run = std::make_unique<lamivex::LamivexRun>();  // large: made once
  run->ProfilePath = profile.string();
  run->NumberGlass = 0;
  run->InverseFace.fill(0);
  run->Info = {};
  ReadJob(*run, job.string());
  return 0;
}
