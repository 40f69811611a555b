// Loading the report's data from the job file and the run's files.
#include "ReportData.h"

#include <filesystem>
#include <system_error>

#include "Main_modul6.h"
#include "MdlImpression.h"
#include "ReportExit.h"
#include "ReportProducts.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex::report {
namespace {

[[noreturn]] void MissingRunFile(const std::string& path) {
  throw RunError(kExitMissingRunFile, "SM5.2",
                 "Error: the run's file " + path +
                     " is missing; run lamivex on this job before lamivex-report.");
}

// A run stopped early (a missing product, an unwritable file) leaves the files of an
// earlier job, which would be reported under this job's layer table: every result the
// report reads must have been written at the same time as the job or after it.
void RequireResultsOfThisJob(const LamivexRun& run, const std::string& jobPath) {
  std::error_code error;
  const auto jobTime = std::filesystem::last_write_time(jobPath, error);
  if (error) MissingRunFile(jobPath);
  std::vector<std::string> names = {kSummaryFile, kDeclaredValuesFile, kAssemblySpectrumFile};
  for (int k = 1; k <= run.NumberGlass; ++k) {
    names.push_back("Energy_" + std::to_string(k) + ".out");
  }
  for (const std::string& name : names) {
    const std::string path = run.TempFolder() + name;
    const auto resultTime = std::filesystem::last_write_time(path, error);
    if (error) MissingRunFile(path);
    if (resultTime < jobTime) {
      throw RunError(kExitMissingRunFile, "SM5.2",
                     "Error: the results are older than the job: " + path + " was written before " +
                         jobPath + "; lamivex must be run on this job first.");
    }
  }
}

std::vector<SpectrumRecord> ReadRunSpectrum(const std::string& path) {
  if (!FileExists(path)) MissingRunFile(path);
  std::vector<SpectrumRecord> records = ReadSpectrumFile(path);
  if (records.empty()) {
    throw RunError(kExitMissingRunFile, "SM5.2",
                   "Error: the spectrum file " + path + " holds no data.");
  }
  return records;
}

Characteristics FromMeans(const IntegratedValues& means) {
  return {means.T, means.R1, 100.0 - means.T - means.R1, means.R2, 100.0 - means.T - means.R2};
}

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<LayerReport> ReadLayers(LamivexRun& run, const std::string& jobPath) {
  ReadLayerTable(run, jobPath);
  ReadInversionList(run, jobPath);
  std::vector<LayerReport> layers;
  for (int k = 1; k <= run.NumberGlass; ++k) {
    LayerReport layer;
    layer.number = k;
    layer.kind = run.GlassKind[k];
    layer.id = run.GlassId[k];
    layer.name = std::get<std::string>(ReadKeyText(jobPath, "glass" + std::to_string(k)));
    std::erase(layer.name, '"');
    layer.turned = run.InverseFace[k - 1] != 0;
    layer.emn1 = run.GlassEmn1[k];
    layer.emn2 = run.GlassEmn2[k];
    layer.spectrum = ReadRunSpectrum(run.TempFolder() + "Energy_" + std::to_string(k) + ".out");
    layer.energy = EnergyCharacteristics(layer.spectrum);
    layer.light = LightCharacteristics(layer.spectrum);
    layers.push_back(std::move(layer));
  }
  ReadSourceFiles(run, layers);
  return layers;
}

std::vector<std::string> ReadSummary(const std::string& path) {
  if (!FileExists(path)) MissingRunFile(path);
  const std::vector<std::string> lines = ReadTextLines(path);
  return SummaryValues(lines.empty() ? std::string() : lines.front(), path);
}

// The labels in the language: the report's texts, empty for a language without labels.
ReportTexts LoadLabels(LamivexRun& run, const std::string& language) {
  if (language.empty()) return MakeReportTexts(run.Labels);
  const std::string path = LanguageFile(run, language);
  if (!FileExists(path)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the language file " + path + " of the report language \"" + language +
                       "\" is not found!");
  }
  LoadReportLabels(run, language);
  ReportTexts texts = MakeReportTexts(run.Labels);
  ReadReportOnlyLabels(ReadKeyedFile(path), texts);
  return texts;
}

}  // namespace

ReportTexts LoadReportTexts(const std::string& programFolder, const std::string& language) {
  LamivexRun run;
  run.ProgramFolder = programFolder;
  return LoadLabels(run, LanguageFolderOf(language).value_or(""));
}

DeclaredValues ReadDeclaredValues(const std::string& path) {
  if (!FileExists(path)) MissingRunFile(path);
  const KeyedFile file = ReadKeyedFile(path);
  DeclaredValues v;
  const std::pair<const char*, double*> fields[] = {{"g", &v.g},
                                                    {"qi", &v.qi},
                                                    {"SC", &v.SC},
                                                    {"S", &v.S},
                                                    {"Tuv", &v.Tuv},
                                                    {"Ra", &v.Ra},
                                                    {"T_L", &v.transmitted.L},
                                                    {"T_a", &v.transmitted.a},
                                                    {"T_b", &v.transmitted.b},
                                                    {"R1_L", &v.reflected1.L},
                                                    {"R1_a", &v.reflected1.a},
                                                    {"R1_b", &v.reflected1.b},
                                                    {"R2_L", &v.reflected2.L},
                                                    {"R2_a", &v.reflected2.a},
                                                    {"R2_b", &v.reflected2.b}};
  for (const auto& [key, value] : fields) {
    std::string text = std::get<std::string>(ReadKeyText(file, key));
    std::erase(text, '\t');
    if (!KeyPresent(file, key) || !ParseNumber(TrimBlanks(text), *value)) {
      throw RunError(kExitMissingRunFile, "SM5.2",
                     "Error: the declared values " + path + " hold no number for \"" + key +
                         "\"; run lamivex on this job before lamivex-report.");
    }
  }
  return v;
}

Characteristics EnergyCharacteristics(const std::vector<SpectrumRecord>& solarSpectrum) {
  return FromMeans(IntegrateEnergyResult(solarSpectrum));
}

Characteristics LightCharacteristics(const std::vector<SpectrumRecord>& solarSpectrum) {
  return FromMeans(IntegrateLightResult(solarSpectrum));
}

std::vector<std::string> SummaryValues(const std::string& line, const std::string& path) {
  // The title is the one quoted field; the twelve numbers follow its closing quote.
  const size_t titleEnd = line.find('"', line.find('"') + 1);
  std::vector<std::string> values;
  if (line.empty() || line.front() != '"' || titleEnd == std::string::npos) {
    throw RunError(kExitMissingRunFile, "SM5.2",
                   "Error: the summary " + path + " is not readable.");
  }
  size_t start = line.find(',', titleEnd);
  while (start != std::string::npos) {
    const size_t end = line.find(',', start + 1);
    values.push_back(TrimBlanks(line.substr(start + 1, end - start - 1)));
    start = end;
  }
  if (values.size() != 12) {
    throw RunError(kExitMissingRunFile, "SM5.2",
                   "Error: the summary " + path + " holds " + std::to_string(values.size()) +
                       " values after its title instead of 12.");
  }
  return values;
}

ReportData LoadReportData(LamivexRun& run, const std::string& language) {
  const std::string jobPath = run.TempFolder() + kJobFileName;
  if (!FileExists(jobPath)) {
    throw RunError(kExitBadJob, "SM5.2", "Error: the job file " + jobPath + " is missing.");
  }
  run.NumberGlass = ReadNumberGlass(jobPath);
  if (run.NumberGlass < 1) {
    throw RunError(kExitBadJob, "SM5.2",
                   "Error: the job " + jobPath + " has no layers (\"Number glass\" is " +
                       std::to_string(run.NumberGlass) + "); there is nothing to report.");
  }
  RequireResultsOfThisJob(run, jobPath);
  ReportData data;
  ReadRunInformation(run, kJobFileName);
  data.info = run.Info;
  data.language = LanguageFolderOf(language.empty() ? run.Info.Language : language).value_or("");
  data.texts = LoadLabels(run, data.language);
  data.layers = ReadLayers(run, jobPath);
  data.assemblySpectrum = ReadRunSpectrum(run.TempFolder() + kAssemblySpectrumFile);
  data.assemblyEnergy = EnergyCharacteristics(data.assemblySpectrum);
  data.assemblyLight = LightCharacteristics(data.assemblySpectrum);
  data.summary = ReadSummary(run.TempFolder() + kSummaryFile);
  data.declared = ReadDeclaredValues(run.TempFolder() + kDeclaredValuesFile);
  return data;
}

}  // namespace lamivex::report
