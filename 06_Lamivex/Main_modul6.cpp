// The run driver: the whole order of one run, its three exits and the final clean-up.
#include "Main_modul6.h"

#include <filesystem>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "MdlImpression.h"
#include "Result_EN410_Modul6.h"
#include "Result_Energy_Modul6.h"
#include "Result_Light_Modul6.h"
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

// Every layer's product must have a spectrum before anything is written. Each spectrum
// is then loaded, so that a database fault only the load meets (a missing product table
// or column, an empty value, too many rows) also stops the run before any file is
// written or deleted; the layer's own calculation uses the spectrum kept here.
void CheckProducts(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    if (!GlassExists(run, run.GlassId[k], run.GlassKind[k])) {
      throw RunError(
          kExitMissingProduct, "SM5.2",
          "Please, select the glass!\n" + MissingProductDetail(run, k, run.UserDatabase));
    }
  }
  run.LayerSpectra.assign(run.NumberGlass + 1, {});
  for (int k = 1; k <= run.NumberGlass; ++k) {
    run.LayerSpectra[k] =
        QuerySpectrum(run, run.GlassId[k], run.GlassKind[k], run.InverseFace[k - 1]);
  }
}

void CalculateLayers(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    const std::string number = std::to_string(k);
    run.ResultEnergyFile[k] = "Result_Energy_" + number + "_Lamivex.out";
    run.ResultLightFile[k] = "Result_Light_" + number + "_Lamivex.out";
    run.EnergySpectrumFile[k] = "Energy_" + number + ".out";
    run.LightSpectrumFile[k] = "Light_" + number + ".out";
    DeleteIfPresent(run.TempFolder() + run.EnergySpectrumFile[k]);
    InterpolateLoadedGlass(run, run.EnergySpectrumFile[k], run.LightSpectrumFile[k],
                           run.LayerSpectra[k]);
    std::string name = std::get<std::string>(ReadKeyText(run.JobFile, "glass" + number));
    std::erase(name, '"');
    run.GlassName[k] = name;
  }
}

void WriteAssemblyResults(LamivexRun& run) {
  run.AssemblyEnergyResultFile = "Lamivex_Energy_Result.out";
  run.AssemblyLightResultFile = "Lamivex_Light_Result.out";
  WriteEnergyResultHeader(run, run.AssemblyEnergyResultFile);
  WriteLightResultHeader(run, run.AssemblyLightResultFile);
  IntegrateEnergyResult(run, "Final_Energy_Lamivex.out", run.AssemblyEnergyResultFile);
  IntegrateLightResult(run, "Final_Light_Lamivex.out", run.AssemblyLightResultFile);
}

void WriteLayerResults(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    WriteEnergyResultHeader(run, run.ResultEnergyFile[k]);
    WriteLightResultHeader(run, run.ResultLightFile[k]);
    IntegrateEnergyResult(run, run.EnergySpectrumFile[k], run.ResultEnergyFile[k]);
    IntegrateLightResult(run, run.LightSpectrumFile[k], run.ResultLightFile[k]);
  }
}

// Deletes a file of the Temp folder if present; a name still empty names no file.
void DeleteTempFile(const LamivexRun& run, const std::string& name) {
  if (!name.empty()) DeleteIfPresent(run.TempFolder() + name);
}

// Intermediate files go; each layer's solar spectrum, the assembly's solar spectrum, the
// summary and the declared values stay.
void CleanUp(LamivexRun& run) {
  for (int k = 1; k <= run.NumberGlass; ++k) {
    DeleteTempFile(run, run.ResultEnergyFile[k]);
    DeleteTempFile(run, run.ResultLightFile[k]);
    DeleteTempFile(run, run.LightSpectrumFile[k]);
  }
  DeleteTempFile(run, run.AssemblyLightResultFile);
  DeleteTempFile(run, run.AssemblyEnergyResultFile);
  DeleteTempFile(run, "Final_Light_Lamivex.out");
}

// The layer number of a per-layer spectrum file name ("Energy_12.out" gives 12), or 0
// for any other name.
int LayerOfSpectrumFile(const std::string& name) {
  std::string number;
  for (const char* prefix : {"Energy_", "Light_"}) {
    if (name.starts_with(prefix) && name.ends_with(".out")) {
      number =
          name.substr(std::string(prefix).size(), name.size() - std::string(prefix).size() - 4);
    }
  }
  const bool plain = !number.empty() && number.size() <= 9 && number[0] != '0' &&
                     number.find_first_not_of("0123456789") == std::string::npos;
  return plain ? std::stoi(number) : 0;
}

// An earlier job of more layers leaves its layers' spectrum files behind; they would be
// taken for this job's.
void DeleteSpectrumFilesBeyond(const LamivexRun& run) {
  std::vector<std::string> stale;
  for (const auto& entry : std::filesystem::directory_iterator(run.TempFolder())) {
    const std::string name = entry.path().filename().string();
    if (LayerOfSpectrumFile(name) > run.NumberGlass) stale.push_back(name);
  }
  for (const std::string& name : stale) DeleteTempFile(run, name);
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
    CalculateLayers(run);
    CalculateAssembly(run);
    WriteAssemblyResults(run);
    WriteLayerResults(run);
    ReadRunInformation(run, run.JobFile);
    LoadReportLabels(run, run.Info.Language);
    WriteSummary(run, "Lamivex.out");
    WriteDeclaredValues(run, kDeclaredValuesFile);
  }
  CleanUp(run);
  if (run.NumberGlass >= 1) DeleteSpectrumFilesBeyond(run);
}

}  // namespace lamivex
