// Arbitrary bytes as a layer's solar spectrum file: read, then, when accepted, through the
// integrators and, when it holds a whole grid, the assembly (one to three layers of kinds
// chosen by the input) and the integration of the assembly's spectrum. A refusal names the
// file; nothing may crash.
#include <memory>

#include "Calculate_Modul6.h"
#include "FuzzFile.h"
#include "Interpolation.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "platform/RunError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::filesystem::path profile = lamivex::fuzz::FuzzFolder("spectrum");
  const std::string path = (profile / "Temp" / "Energy_1.out").string();
  lamivex::fuzz::WriteInput(path, data, size);
  try {
    const auto records = lamivex::ReadSpectrumFile(path);
    lamivex::IntegrateEnergyResult(records);
    lamivex::IntegrateLightResult(records);
    if (records.size() < static_cast<size_t>(lamivex::kSolarPoints)) return 0;
    lamivex::GridSpectrum layer;
    layer.records.assign(records.begin(), records.begin() + lamivex::kSolarPoints);
    const uint8_t choice = size == 0 ? 0 : data[size - 1];
    std::vector<int16_t> kinds;
    for (int k = 1; k <= 1 + choice % 3; ++k) {
      kinds.push_back(static_cast<int16_t>(1 + (choice >> (2 * k)) % 4));
    }
    lamivex::glazing::PaneSpectrum fractions;
    const auto assembly = lamivex::CalculateAssembly(
        lamivex::AssemblyLayersOf(kinds, std::vector(kinds.size(), layer)), fractions, true);
    lamivex::fuzz::Require(assembly.records.size() == layer.records.size());
    lamivex::IntegrateEnergyResult(assembly.records);
    lamivex::IntegrateLightResult(assembly.records);
  } catch (const lamivex::RunError& e) {
    lamivex::fuzz::Require(e.Status() == lamivex::kExitFault &&
                           std::string(e.what()).find(path) != std::string::npos);
  }
  return 0;
}
