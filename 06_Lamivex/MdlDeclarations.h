// Module-wide data of one lamivex run. Every module of the run works on one
// LamivexRun passed by reference, so that tests can hold several runs at once.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "glazing/DeclaredValues.h"
#include "glazing/PaneSpectrum.h"
#include "platform/SpectralDatabase.h"

namespace lamivex {

inline constexpr int kMaxLayers = 101;    // the inversion table ends at index 100
inline constexpr int kLayerSlots = 1001;  // per-layer arrays, index 0..1000
inline constexpr int kSolarPoints = 441;  // 300..2500 nm every 5 nm
inline constexpr int kLightPoints = 81;   // 380..780 nm every 5 nm
inline constexpr int kLightOffset = 16;   // visible point j is solar point j + 16

// The 37 report labels, loaded in the job's language.
struct ReportLabels {
  std::string LblSuiteTitle, LblDateVersion, LblReportTitle, LblProjectDescription,
      LblProjectReference, LblPage, LblYes, LblNo, LblSection1, LblInitialGlassName, LblGlass,
      LblFilm, LblCoating, LblPVB, LblInitialThickness, LblInitialCharacteristics, LblResultColumns,
      LblSection2, LblNewGlassName, LblNewThickness, LblNewCharacteristics, LblDate, LblTime,
      LblEnergyCharacteristics, LblLightCharacteristics, LblGlazings, LblReportOf, LblPages,
      LblUserName, LblCompany, LblPhone, LblFax, LblEmail, LblLicenceNumber, LblClosePdf,
      LblSpectralCalculation, LblIntegratedCalculation;
};

// A keyed text file (the job file, a language file) read once: its lines, or none when
// the file does not exist. Each line is decoded on its own (UTF-8 or Windows-1252).
struct KeyedFile {
  std::string path;
  bool exists = false;
  std::vector<std::string> lines;
  size_t utf8Line = 0;  // the first line read as UTF-8 that is not plain ASCII, or 0
};

// One row of a product's spectrum as loaded from the database (percent).
struct SpectrumRow {
  double lambda, t, r1, r2;
  bool operator==(const SpectrumRow&) const = default;
};

// Values of the job held for the report.
struct RunInformation {
  double NewGlassThickness = 0.0;
  std::string SuiteVersion40, SuiteVersion52, LaunchDate, LaunchTime, Language, ProjectReference,
      Glazing, Description, InitialGlassName, NewGlassName;
  double Emn1 = 0.0;
  double Emn2 = 0.0;
};

struct LamivexRun {
  // Folders. ProgramFolder holds the suite database and the language files.
  std::string ProfilePath;
  std::string ProgramFolder;
  // The user's spectral database; empty: the one in the profile folder. A caller that
  // runs a job in a profile of its own names the user's database here.
  std::string UserDatabase;
  // Products a caller running many jobs (a batch) has loaded once, for the product check
  // and load to take instead of selecting them: the rows of product id for a layer of
  // that kind as QuerySpectrum gives them (not turned), nullptr when it has no spectrum;
  // `load` false asks only whether it has one. Throws as the databases' check (`load`
  // false) or load would. Empty: the run reads its databases.
  std::function<const std::vector<SpectrumRow>*(int32_t id, int16_t kind, bool load)>
      LoadedProducts;

  // The job file, read once when the run starts; every keyed lookup of the run is served
  // from it.
  KeyedFile JobFile;

  // The job.
  int16_t NumberGlass = 0;
  std::vector<int16_t> GlassKind = std::vector<int16_t>(kLayerSlots, 0);
  std::vector<int32_t> GlassId = std::vector<int32_t>(kLayerSlots, 0);
  std::vector<double> GlassEmn1 = std::vector<double>(kLayerSlots, 0.0);
  std::vector<double> GlassEmn2 = std::vector<double>(kLayerSlots, 0.0);
  std::vector<std::string> GlassName = std::vector<std::string>(kLayerSlots);
  std::array<int16_t, kMaxLayers> InverseFace{};  // layer k at index k - 1

  // Each layer's solar spectrum file, relative to the Temp folder: the one per-layer file
  // a run writes. Visible spectra and result lines are calculated in memory.
  std::vector<std::string> EnergySpectrumFile = std::vector<std::string>(kLayerSlots);

  // The suite's and the user's spectral databases; open for the whole run.
  std::unique_ptr<SpectralDatabase> SpectralDb;
  std::unique_ptr<SpectralDatabase> UserSpectralDb;

  // Product spectrum as loaded from the database (percent), index 1..SpectrumCount.
  std::array<double, kSolarPoints + 1> SpectrumLambda{};
  std::array<double, kSolarPoints + 1> SpectrumT{};
  std::array<double, kSolarPoints + 1> SpectrumR1{};
  std::array<double, kSolarPoints + 1> SpectrumR2{};
  int16_t SpectrumCount = 0;
  // Each layer's spectrum as the product check loaded it (layer k at index k, faces as the
  // database holds them), kept for the stack's calculation so that no spectrum is queried
  // twice.
  std::vector<std::vector<SpectrumRow>> LayerSpectra;

  // Interpolated values at the wavelength last asked for, slots 0..4.
  std::array<double, 5> GlassT{};
  std::array<double, 5> GlassR1{};
  std::array<double, 5> GlassR2{};

  // The assembly's spectrum on the solar grid as the assembly calculation produced it
  // (fractions), and the values it is declared with.
  glazing::PaneSpectrum Assembly;
  glazing::DeclaredValues Declared;

  // Summary values (percent).
  double SummaryTe = 0.0, SummaryRe1 = 0.0, SummaryRe2 = 0.0;
  double SummaryTl = 0.0, SummaryRl1 = 0.0, SummaryRl2 = 0.0;

  RunInformation Info;
  ReportLabels Labels;

  // Temp folder of the profile, with a trailing '/'.
  std::string TempFolder() const { return ProfilePath + "/Temp/"; }
};

}  // namespace lamivex
