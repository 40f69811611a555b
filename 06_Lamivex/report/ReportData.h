// What the report shows, read from the job file and from the files a lamivex run leaves
// in the Temp folder: each layer's solar spectrum Energy_k.out, the assembly's
// Final_Energy_Lamivex.out, the summary Lamivex.out and the declared values
// Lamivex_EN410.out.
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
  int32_t id = 0;
  std::string name;
  std::string sourceFile;  // the file the product was imported from, where known
  bool turned = false;
  double emn1 = 0.0;
  double emn2 = 0.0;
  std::vector<SpectrumRecord> spectrum;  // Energy_k.out
  Characteristics energy;
  Characteristics light;
};

struct CieLab {
  double L = 0.0, a = 0.0, b = 0.0;
};

// The stack's EN 410 values: g, qi and Tuv in percent, SC and S dimensionless, Ra an
// index; the colours of the transmitted light and of the light reflected by each face.
struct DeclaredValues {
  double g = 0.0, qi = 0.0, SC = 0.0, S = 0.0, Tuv = 0.0, Ra = 0.0;
  CieLab transmitted, reflected1, reflected2;
};

struct ReportData {
  RunInformation info;
  std::string language;  // the language folder of the labels; empty for no labels
  ReportTexts texts;
  std::vector<LayerReport> layers;
  std::vector<SpectrumRecord> assemblySpectrum;  // Final_Energy_Lamivex.out
  Characteristics assemblyEnergy;
  Characteristics assemblyLight;
  std::vector<std::string> summary;  // the twelve values of Lamivex.out, as written
  DeclaredValues declared;           // Lamivex_EN410.out
};

inline constexpr const char* kJobFileName = "input_Lamivex.in";
inline constexpr const char* kAssemblySpectrumFile = "Final_Energy_Lamivex.out";
inline constexpr const char* kSummaryFile = "Lamivex.out";
inline constexpr const char* kDeclaredValuesFile = "Lamivex_EN410.out";

// Reads the job, the labels and the run's files; the run's ProfilePath and ProgramFolder
// must be set. The labels are in `language` when it is given, else in the job's "Langue",
// either being any name LanguageFolderOf knows; a name it does not know gives no labels.
// Throws RunError naming the missing or unreadable file (kExitFault for a missing language
// file), and for a job of no layers.
ReportData LoadReportData(LamivexRun& run, const std::string& language = "");

// The report's labels in `language` (any name LanguageFolderOf knows) from the language file
// of the program folder; empty labels for a language it does not know. Throws RunError
// (kExitFault) naming the language file when it is missing.
ReportTexts LoadReportTexts(const std::string& programFolder, const std::string& language);

// The declared values of a Lamivex_EN410.out file. Throws RunError naming the file and the
// key of a value that is missing or not a number.
DeclaredValues ReadDeclaredValues(const std::string& path);

// The solar and light characteristics of a solar spectrum, as the run integrates its
// spectra (the light ones over 380 to 780 nm with the light weights of the visible files).
Characteristics EnergyCharacteristics(const std::vector<SpectrumRecord>& solarSpectrum);
Characteristics LightCharacteristics(const std::vector<SpectrumRecord>& solarSpectrum);

// The twelve values after the quoted title of a summary line of Lamivex.out. Throws
// RunError naming the file when the line does not hold thirteen fields.
std::vector<std::string> SummaryValues(const std::string& line, const std::string& path);

}  // namespace lamivex::report
