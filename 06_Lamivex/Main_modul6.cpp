// The run driver: the whole order of one run, its three exits and the final clean-up.
// The stack is calculated in memory; only the files that stay after the run are written.
#include "Main_modul6.h"

#include <filesystem>
#include <map>
#include <utility>

#include "Calculate_Modul6_Stack.h"
#include "MdlImpression.h"
#include "Result_EN410_Modul6.h"
#include "platform/Folders.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

const char* const kJobFile = "input_Lamivex.in";

// The job is read whole before any database is opened, so that a bad job stops the run
// before anything is opened, written or deleted. The file is read once; every later
// lookup of the run (layer names, run information) is served from run.JobFile.
void ReadJob(LamivexRun& run, const std::string& jobPath) {
  run.JobFile = ReadJobFile(jobPath);
  run.NumberGlass = ReadNumberGlass(run.JobFile);
  if (run.NumberGlass < 1) return;
  ReadLayerTable(run, run.JobFile);
  ReadInversionList(run, run.JobFile);
}

// The user database is optional: without it the user's ids simply match no product.
void OpenDatabases(LamivexRun& run) {
  run.SpectralDb = std::make_unique<SpectralDatabase>();
  run.SpectralDb->Open(run.ProgramFolder + "/" + kSuiteDatabaseInProgramFolder, "", true);
  run.UserSpectralDb = std::make_unique<SpectralDatabase>();
  if (FileExists(run.UserDatabase)) run.UserSpectralDb->Open(run.UserDatabase, "", true);
}

// The products the caller loaded, checked and then taken in the same order as below.
void TakeLoadedProducts(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    if (run.LoadedProducts(run.GlassId[k], run.GlassKind[k], false) == nullptr) {
      throw RunError(
          kExitMissingProduct, "SM5.2",
          "Please, select the glass!\n" + MissingProductDetail(run, k, run.UserDatabase));
    }
  }
  run.LayerSpectra.assign(run.NumberGlass + 1, {});
  for (int k = 1; k <= run.NumberGlass; ++k) {
    run.LayerSpectra[k] = *run.LoadedProducts(run.GlassId[k], run.GlassKind[k], true);
  }
}

// Every layer's product must have a spectrum before anything is written. Each spectrum
// is then loaded, so that a database fault only the load meets (a missing product table
// or column, an empty value, too many rows) also stops the run before any file is
// written or deleted; the layer's own calculation uses the spectrum kept here, which
// holds the product's faces as the database does (the calculation turns the layer). A
// product that several layers use is selected, checked and loaded once; its select serves
// both the check and the load.
void CheckProducts(LamivexRun& run) {
  if (run.LoadedProducts) {
    TakeLoadedProducts(run);
    return;
  }
  using Product = std::pair<int, int32_t>;  // ProductTables, id
  std::map<Product, std::unique_ptr<RecordSet>> selected;
  for (int k = 1; k <= run.NumberGlass; ++k) {
    const Product product{ProductTables(run.GlassId[k], run.GlassKind[k]), run.GlassId[k]};
    if (selected.contains(product)) continue;
    auto spectrum = SelectSpectrum(run, run.GlassId[k], run.GlassKind[k]);
    if (spectrum == nullptr || spectrum->RecordCount() < 1) {
      throw RunError(
          kExitMissingProduct, "SM5.2",
          "Please, select the glass!\n" + MissingProductDetail(run, k, run.UserDatabase));
    }
    selected.emplace(product, std::move(spectrum));
  }
  std::map<Product, int> loadedBy;
  run.LayerSpectra.assign(run.NumberGlass + 1, {});
  for (int k = 1; k <= run.NumberGlass; ++k) {
    const Product product{ProductTables(run.GlassId[k], run.GlassKind[k]), run.GlassId[k]};
    if (const auto earlier = loadedBy.find(product); earlier != loadedBy.end()) {
      run.LayerSpectra[k] = run.LayerSpectra[earlier->second];
      continue;
    }
    run.LayerSpectra[k] =
        SpectrumRows(run, run.GlassId[k], run.GlassKind[k], 0, *selected.at(product));
    loadedBy.emplace(product, k);
  }
}

void ReadLayerNames(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    std::string name = std::get<std::string>(ReadKeyText(run.JobFile, "glass" + std::to_string(k)));
    std::erase(name, '"');
    run.GlassName[k] = name;
  }
}

// The values the summary and the declared values are written from.
void KeepResults(LamivexRun& run, const StackCalculation& stack) {
  const SummaryResults& s = stack.summary;
  run.SummaryTe = s.Te, run.SummaryRe1 = s.Re1, run.SummaryRe2 = s.Re2;
  run.SummaryTl = s.Tl, run.SummaryRl1 = s.Rl1, run.SummaryRl2 = s.Rl2;
  run.Assembly = stack.assembly;
  run.Declared = stack.declared;
}

// The files of the stack's spectra that stay after the run: each layer's solar spectrum
// (an earlier run's file is deleted first) and the assembly's.
void WriteSpectrumFiles(LamivexRun& run, const StackCalculation& stack) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    run.EnergySpectrumFile[k] = "Energy_" + std::to_string(k) + ".out";
    ReplaceTextFile(run.TempFolder() + run.EnergySpectrumFile[k], stack.layerSpectra[k - 1].text);
  }
  WriteTextBytes(run.TempFolder() + kFinalEnergyFile, stack.assemblySpectrum.text);
}

// The number k of a name prefix + k + suffix, k written plainly (no sign, no leading zero),
// or 0 for any other name.
int LayerNumberIn(const std::string& name, const std::string& prefix, const std::string& suffix) {
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) ||
      !name.ends_with(suffix)) {
    return 0;
  }
  const std::string number =
      name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  const bool plain = number.size() <= 9 && number[0] != '0' &&
                     number.find_first_not_of("0123456789") == std::string::npos;
  return plain ? std::stoi(number) : 0;
}

// Files of the run's own names that no run of this job leaves behind: the intermediate files
// of earlier versions, which wrote and deleted them (visible spectra, result files, the
// assembly's visible spectrum), and the spectrum files of an earlier job of more layers,
// which would be taken for this job's.
bool IsStaleRunFile(const std::string& name, int layerCount) {
  return name == kFinalLightFile || name == "Lamivex_Energy_Result.out" ||
         name == "Lamivex_Light_Result.out" || LayerNumberIn(name, "Light_", ".out") > 0 ||
         LayerNumberIn(name, "Result_Energy_", "_Lamivex.out") > 0 ||
         LayerNumberIn(name, "Result_Light_", "_Lamivex.out") > 0 ||
         LayerNumberIn(name, "Energy_", ".out") > layerCount;
}

// One look at the Temp folder finds every stale file. A job of no layers calculates
// nothing and removes only a stale visible assembly spectrum.
void CleanUp(const LamivexRun& run) {
  if (run.NumberGlass < 1) {
    DeleteIfPresent(run.TempFolder() + kFinalLightFile);
    return;
  }
  std::vector<std::string> stale;
  for (const auto& entry : std::filesystem::directory_iterator(run.TempFolder())) {
    const std::string name = entry.path().filename().string();
    if (IsStaleRunFile(name, run.NumberGlass)) stale.push_back(name);
  }
  for (const std::string& name : stale) DeleteIfPresent(run.TempFolder() + name);
}

}  // namespace

void Main(LamivexRun& run) {
  if (run.ProfilePath.empty()) run.ProfilePath = ProfileFolder();
  if (run.ProgramFolder.empty()) run.ProgramFolder = ProgramFolder();
  if (run.UserDatabase.empty())
    run.UserDatabase = run.ProfilePath + "/" + kUserDatabaseInProfileFolder;
  if (!FolderExists(run.ProfilePath)) {
    throw RunError(
        kExitMissingProfile, "SM5.2",
        "Error: PATHTEMP=" + run.ProfilePath + " is not found!\n" + ProfileFolderLookup());
  }
  const std::string jobPath = run.TempFolder() + kJobFile;
  ReadJob(run, jobPath);
  OpenDatabases(run);
  if (run.NumberGlass >= 1) {
    CheckProducts(run);
    const StackCalculation stack = CalculateStack(StackLayersOf(run), true);
    ReadLayerNames(run);
    KeepResults(run, stack);
    WriteSpectrumFiles(run, stack);
    ReadRunInformation(run, run.JobFile);
    LoadReportLabels(run, run.Info.Language);
    WriteSummary(run, "Lamivex.out");
    WriteDeclaredValues(run, kDeclaredValuesFile);
  }
  CleanUp(run);
}

}  // namespace lamivex
