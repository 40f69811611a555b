// Arbitrary bytes as a layer's solar spectrum file: read, then, when accepted, through the
// integrators and the assembly (one to three layers of kinds chosen by the input) and the
// integration of the assembly's files. A refusal names the file; nothing may crash.
#include <memory>

#include "Calculate_Modul6.h"
#include "FuzzFile.h"
#include "Interpolation.h"
#include "Result_Common_Modul6.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "platform/RunError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path profile = lamivex::fuzz::FuzzFolder("spectrum");
  static const auto run = std::make_unique<lamivex::LamivexRun>();
  run->ProfilePath = profile.string();
  const std::string path = run->TempFolder() + "Energy_1.out";
  lamivex::fuzz::WriteInput(path, data, size);
  try {
    const auto values = lamivex::IntegrateSpectrum(lamivex::ReadSpectrumFile(path));
    lamivex::fuzz::Require(!lamivex::ResultDataLine("300 - 2500", values).empty());
    const uint8_t choice = size == 0 ? 0 : data[size - 1];
    run->NumberGlass = static_cast<int16_t>(1 + choice % 3);
    for (int k = 1; k <= run->NumberGlass; ++k) {
      run->EnergySpectrumFile[k] = "Energy_1.out";
      run->GlassKind[k] = static_cast<int16_t>(1 + (choice >> (2 * k)) % 4);
    }
    lamivex::CalculateAssembly(*run);  // too few lines is the only way it stops
    lamivex::WriteEnergyResultHeader(*run, "Lamivex_Energy_Result.out");
    lamivex::WriteLightResultHeader(*run, "Lamivex_Light_Result.out");
    lamivex::IntegrateEnergyResult(*run, lamivex::kFinalEnergyFile, "Lamivex_Energy_Result.out");
    lamivex::IntegrateLightResult(*run, lamivex::kFinalLightFile, "Lamivex_Light_Result.out");
  } catch (const lamivex::RunError& e) {
    lamivex::fuzz::Require(e.Status() == lamivex::kExitFault &&
                           std::string(e.what()).find(path) != std::string::npos);
  }
  return 0;
}
