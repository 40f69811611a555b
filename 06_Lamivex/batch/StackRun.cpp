// Running one stack: its profile folder, its job, the run, its values and its report.
#include "StackRun.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "Main_modul6.h"
#include "PaneCalculation.h"
#include "Report.h"
#include "ReportData.h"
#include "ReportExit.h"
#include "ReportFonts.h"
#include "UnitRun.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"

namespace lamivex::batch {
namespace {

namespace fs = std::filesystem;

const char* const kUserDatabaseFolder = "Base Utilisateur";

// The profile of a stack: its Temp folder, and the user's databases seen through a link
// so that the report finds the user's products as in the user's own profile. The run
// itself is given the user's database by its path, which its messages name.
void PrepareProfile(const std::string& profile, const BatchSettings& settings) {
  fs::remove_all(profile);
  fs::create_directories(profile + "/Temp");
  const fs::path userDatabases = fs::path(settings.userProfile) / kUserDatabaseFolder;
  if (!settings.userProfile.empty() && fs::exists(userDatabases)) {
    fs::create_directory_symlink(fs::absolute(userDatabases),
                                 fs::path(profile) / kUserDatabaseFolder);
  }
}

std::string ModelOf(const std::vector<JobLayer>& layers) {
  if (layers.size() == 1) return "one layer";
  AssemblyLayers assembly(static_cast<int>(layers.size()));
  for (size_t k = 0; k < layers.size(); ++k)
    assembly.Kind(static_cast<int>(k) + 1) = layers[k].kind;
  return UsesLaminatedModel(assembly) ? "laminated" : "layer by layer";
}

std::array<double, kValueCount> ValuesOf(const LamivexRun& run) {
  const std::array<double, kDeclaredCount> declared = DeclaredOf(run.Declared);
  std::array<double, kValueCount> values = {run.SummaryTe,
                                            run.SummaryRe1,
                                            100.0 - run.SummaryTe - run.SummaryRe1,
                                            run.SummaryRe2,
                                            100.0 - run.SummaryTe - run.SummaryRe2,
                                            run.SummaryTl,
                                            run.SummaryRl1,
                                            100.0 - run.SummaryTl - run.SummaryRl1,
                                            run.SummaryRl2,
                                            100.0 - run.SummaryTl - run.SummaryRl2};
  std::copy(declared.begin(), declared.end(), values.begin() + kIntegratedCount);
  return values;
}

void WriteStackReport(const std::string& profile, const std::string& path,
                      const BatchSettings& settings) {
  LamivexRun run;
  run.ProfilePath = profile;
  run.ProgramFolder = settings.programFolder;
  report::WriteReport(report::LoadReportData(run, settings.language),
                      report::FontMetricsFolder(settings.programFolder), path);
}

void AddMessage(std::string& messages, const std::string& text) {
  if (!messages.empty()) messages += ' ';
  for (char c : text) messages += c == '\n' || c == '\r' ? ' ' : c;
}

// The spectrum the run wrote for the assembly, as fractions.
glazing::PaneSpectrum AssemblySpectrum(const LamivexRun& run) {
  const std::vector<SpectrumRecord> records = ReadSpectrumFile(run.TempFolder() + kFinalEnergyFile);
  if (records.size() != static_cast<size_t>(glazing::kGridPoints)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the assembly spectrum holds " + std::to_string(records.size()) +
                       " points, not 441");
  }
  glazing::PaneSpectrum spectrum;
  for (int i = 0; i < glazing::kGridPoints; ++i) {
    spectrum.T[i] = records[i].t / 100.0;
    spectrum.R1[i] = records[i].r1 / 100.0;
    spectrum.R2[i] = records[i].r2 / 100.0;
  }
  return spectrum;
}

void RunInProfile(const Stack& stack, const std::string& folder, const BatchSettings& settings,
                  StackResult& result, glazing::PaneSpectrum* spectrum) {
  const std::string profile = settings.workFolder + "/" + folder;
  PrepareProfile(profile, settings);
  WriteJobFile(profile + "/Temp/input_Lamivex.in", StackJob(stack, settings));
  LamivexRun run;
  run.ProfilePath = profile;
  run.ProgramFolder = settings.programFolder;
  run.UserDatabase = UserDatabaseOf(settings);
  run.LoadedProducts = settings.spectra->ForRun();
  Main(run);
  if (spectrum) *spectrum = AssemblySpectrum(run);
  result.values = ValuesOf(run);
  result.calculated = true;
  if (!settings.reportsFolder.empty()) {
    WriteStackReport(profile, settings.reportsFolder + "/" + folder + ".pdf", settings);
  }
}

}  // namespace

JobDescription StackJob(const Stack& stack, const BatchSettings& settings) {
  JobDescription job;
  job.layers = stack.layers;
  job.info.Language = settings.language;
  job.info.LaunchDate = settings.launchDate;
  job.info.LaunchTime = settings.launchTime;
  job.info.Glazing = stack.name;
  job.info.NewGlassName = stack.name;
  job.info.Description = stack.layersText;
  job.info.Emn1 = stack.layers.front().emn1;
  job.info.Emn2 = stack.layers.back().emn2;
  return job;
}

std::string StackFolderName(const Stack& stack, size_t number) {
  std::string name = std::to_string(number);
  name.insert(0, name.size() < 4 ? 4 - name.size() : 0, '0');
  name += '_';
  for (char c : stack.name.substr(0, 60)) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    name += plain ? c : '_';
  }
  return name;
}

StackResult RunStack(const Stack& stack, size_t number, const BatchSettings& settings) {
  if (!stack.problem.empty()) {
    StackResult result;
    result.status = kExitBadJob;
    result.message = "line " + std::to_string(stack.line) + ": " + stack.problem;
    return result;
  }
  if (!stack.panes.empty()) return RunUnit(stack, StackFolderName(stack, number), settings);
  return RunPane(stack, StackFolderName(stack, number), settings, nullptr);
}

StackResult RunPane(const Stack& stack, const std::string& folder, const BatchSettings& settings,
                    glazing::PaneSpectrum* spectrum) {
  StackResult result;
  result.model = ModelOf(stack.layers);
  // The run's message box reports to this stack's result, not to standard error.
  const MessageSink previous =
      SetMessageSink([&result](const std::string& title, const std::string& text) {
        AddMessage(result.message, title + ": " + text);
      });
  // The stack's files are written only when they are kept or a report is made of them.
  const bool inFiles = settings.keep || !settings.reportsFolder.empty();
  try {
    if (inFiles) {
      RunInProfile(stack, folder, settings, result, spectrum);
    } else {
      CalculatePane(stack.layers, *settings.spectra, result, spectrum);
    }
  } catch (const RunError& e) {
    result.status = e.Status();
    AddMessage(result.message, e.Title() + ": " + e.what());
  } catch (const std::exception& e) {
    result.status = kExitFault;
    AddMessage(result.message, std::string("SM5.2: Error: unexpected fault: ") + e.what());
  }
  SetMessageSink(previous);
  if (inFiles && !settings.keep) {
    std::error_code ignored;
    fs::remove_all(settings.workFolder + "/" + folder, ignored);
  }
  return result;
}

}  // namespace lamivex::batch
