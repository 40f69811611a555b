// What the report shows, read from the job file and from the files a lamivex run leaves
// in the Temp folder: each layer's solar spectrum Energy_k.out, the assembly's
// Final_Energy_Lamivex.out and the summary Lamivex.out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Interpolation.h"
#include "MdlDeclarations.h"
#include "ReportText.h"

namespace lamivex::report {

// Integrated characteristics in percent: T, R1, A1 = 100 - T - R1, R2, A2 = 100 - T - R2.
struct Characteristics {
  double T = 0.0;
  double R1 = 0.0;
  double A1 = 0.0;
  double R2 = 0.0;
  double A2 = 0.0;
};

struct LayerReport {
  int number = 0;
  int16_t kind = 0;
  std::string name;
  bool turned = false;
  double emn1 = 0.0;
  double emn2 = 0.0;
  std::vector<SpectrumRecord> spectrum;  // Energy_k.out
  Characteristics energy;
  Characteristics light;
};

struct ReportData {
  RunInformation info;
  ReportTexts texts;
  std::vector<LayerReport> layers;
  std::vector<SpectrumRecord> assemblySpectrum;  // Final_Energy_Lamivex.out
  Characteristics assemblyEnergy;
  Characteristics assemblyLight;
  std::vector<std::string> summary;  // the twelve values of Lamivex.out, as written
};

inline constexpr const char* kJobFileName = "input_Lamivex.in";
inline constexpr const char* kAssemblySpectrumFile = "Final_Energy_Lamivex.out";
inline constexpr const char* kSummaryFile = "Lamivex.out";

// Reads the job, the labels in the job's language and the run's files; the run's
// ProfilePath and ProgramFolder must be set. Throws RunError naming the missing or
// unreadable file, and for a job of no layers.
ReportData LoadReportData(LamivexRun& run);

// The solar characteristics of a spectrum file's records (the weights they carry).
Characteristics EnergyCharacteristics(const std::vector<SpectrumRecord>& solarSpectrum);

// The light characteristics of a solar spectrum: its points from 380 to 780 nm weighted
// with the light weights (run.LightWeights, filled by InitLightWeights), as the run
// integrates its visible spectrum files.
Characteristics LightCharacteristics(const LamivexRun& run,
                                     const std::vector<SpectrumRecord>& solarSpectrum);

// The twelve values after the quoted title of a summary line of Lamivex.out. Throws
// RunError naming the file when the line does not hold thirteen fields.
std::vector<std::string> SummaryValues(const std::string& line, const std::string& path);

}  // namespace lamivex::report
