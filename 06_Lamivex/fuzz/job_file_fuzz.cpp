// Feeds arbitrary bytes, UTF-8 or not, to the job-file readers in the order of a run:
// the keyed readers, "Number glass", the layer table, the inversion list and the run
// information. Each either reads the job or stops it with a bad-job error; any other
// exception, a crash or an out-of-bounds access is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
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

void CheckText(const lamivex::KeyValue& value) {
  const auto* text = std::get_if<std::string>(&value);
  Require(text != nullptr);
  lamivex::fuzz::RequireTextLine(*text);
}

void CheckNumber(const lamivex::KeyValue& value) {
  const auto* number = std::get_if<double>(&value);
  Require(number != nullptr);  // the file exists, so the reader always gives a number
  Require(!std::isnan(*number));
}

// Every lookup reads the whole file again, so one job key (chosen by the input) and one
// key made of the input's own bytes are enough: the readers do not depend on the key.
void CheckKeyedReaders(const std::string& job, const std::string& jobKey,
                       const std::string& extraKey) {
  for (const std::string& key : {jobKey, extraKey}) {
    CheckText(lamivex::ReadKeyText(job, key));
    CheckNumber(lamivex::ReadKeyNumber(job, key));
  }
}

// The job as the run reads it before any database is opened.
void ReadJob(lamivex::LamivexRun& run, const std::string& job) {
  try {
    run.NumberGlass = lamivex::ReadNumberGlass(job);
    Require(run.NumberGlass <= lamivex::kMaxLayers);
    if (run.NumberGlass < 1) return;
    lamivex::ReadLayerTable(run, job);
    lamivex::ReadInversionList(run, job);
  } catch (const lamivex::RunError& e) {
    Require(e.Status() == lamivex::kExitBadJob);
    Require(std::string(e.what()).size() > 0);
    Require(e.Title() == "SM5.2");
  }
}

void CheckRunInformation(lamivex::LamivexRun& run) {
  lamivex::ReadRunInformation(run, "input_Lamivex.in");
  const lamivex::RunInformation& info = run.Info;
  for (const std::string* text :
       {&info.SuiteVersion40, &info.SuiteVersion52, &info.LaunchDate, &info.LaunchTime,
        &info.Language, &info.ProjectReference, &info.Glazing, &info.Description,
        &info.InitialGlassName, &info.NewGlassName}) {
    Require(text->find('"') == std::string::npos && lamivex::fuzz::IsUtf8(*text));
  }
  Require(!std::isnan(info.NewGlassThickness) && !std::isnan(info.Emn1) && !std::isnan(info.Emn2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const lamivex::fuzz::FuzzFolder profile("job");
  const auto job = profile.Path() / "Temp" / "input_Lamivex.in";
  lamivex::fuzz::WriteInput(job, data, size);
  // A key made of the input's first bytes, so that odd keys are matched too.
  const std::size_t keyLength = size == 0 ? 0 : std::min<std::size_t>(size - 1, data[0] % 24);
  const std::string extraKey(reinterpret_cast<const char*>(data) + (size == 0 ? 0 : 1), keyLength);

  const std::size_t keyCount = sizeof kJobKeys / sizeof kJobKeys[0];
  CheckKeyedReaders(job.string(), kJobKeys[size == 0 ? 0 : data[size - 1] % keyCount], extraKey);
  // One run for all inputs (it is large); what the readers fill is reset for each input.
  static const auto run = std::make_unique<lamivex::LamivexRun>();
  run->ProfilePath = profile.Path().string();
  run->NumberGlass = 0;
  run->InverseFace.fill(0);
  run->Info = {};
  ReadJob(*run, job.string());
  CheckRunInformation(*run);
  return 0;
}
