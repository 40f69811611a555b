// Feeds arbitrary bytes to the spectrum-file reader as a layer's solar spectrum file,
// then, when the reader accepts it, through the result integrators and the assembly
// (one to three layers reading that file, kinds chosen by the input), whose own files
// the integrators read back. The reader either returns records or stops the run with
// an error naming the file; nothing may crash, overflow a conversion or read past an
// array.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Calculate_Modul6.h"
#include "FuzzFile.h"
#include "Interpolation.h"
#include "Result_Common_Modul6.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "platform/RunError.h"

namespace {

using lamivex::fuzz::Require;

void RequireFault(const lamivex::RunError& e, const std::string& path) {
  Require(e.Status() == lamivex::kExitFault);
  Require(std::string(e.what()).find(path) != std::string::npos);
}

// The assembly of `layers` layers, each reading the fuzzed file, and the integration
// of the assembly's two files.
void CombineAndIntegrate(lamivex::LamivexRun& run, int layers, uint8_t kinds) {
  run.NumberGlass = static_cast<int16_t>(layers);
  for (int k = 1; k <= layers; ++k) {
    run.EnergySpectrumFile[k] = "Energy_1.out";
    run.GlassKind[k] = static_cast<int16_t>(1 + (kinds >> (2 * k)) % 4);
  }
  lamivex::CalculateAssembly(run);
  lamivex::WriteEnergyResultHeader(run, "Lamivex_Energy_Result.out");
  lamivex::WriteLightResultHeader(run, "Lamivex_Light_Result.out");
  lamivex::IntegrateEnergyResult(run, lamivex::kFinalEnergyFile, "Lamivex_Energy_Result.out");
  lamivex::IntegrateLightResult(run, lamivex::kFinalLightFile, "Lamivex_Light_Result.out");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const lamivex::fuzz::FuzzFolder profile("spectrum");
  static const auto run = std::make_unique<lamivex::LamivexRun>();
  run->ProfilePath = profile.Path().string();
  const std::string path = run->TempFolder() + "Energy_1.out";
  lamivex::fuzz::WriteInput(path, data, size);

  std::vector<lamivex::SpectrumRecord> records;
  try {
    records = lamivex::ReadSpectrumFile(path);
  } catch (const lamivex::RunError& e) {
    RequireFault(e, path);
    return 0;
  }
  const lamivex::IntegratedValues values = lamivex::IntegrateSpectrum(records);
  Require(!lamivex::ResultDataLine("300 - 2500", values).empty());

  const uint8_t choice = size == 0 ? 0 : data[size - 1];
  try {
    CombineAndIntegrate(*run, 1 + choice % 3, choice);
  } catch (const lamivex::RunError& e) {
    // Too few lines for the assembly is the only way a readable file stops it.
    RequireFault(e, path);
  }
  return 0;
}
