// A product imported by lamivex-db runs through lamivex: the published Optics
// file and the same spectrum written as columns give the same spectrum file
// and summary, and the IGSDB JSON copy of the measurement agrees with both.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "DbTestSupport.h"
#include "JobWriter.h"
#include "ProductReaders.h"

namespace lamivexdb {
namespace {

// A profile and a program folder of their own, with an empty suite catalogue and
// the user's database made by lamivex-db.
class LamivexRunFolders {
 public:
  LamivexRunFolders() {
    std::filesystem::create_directories(temp_);
    EXPECT_EQ(testing::Tool(
                  {"create", program_ + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db", "--suite"})
                  .status,
              0);
    EXPECT_EQ(testing::Tool({"create", UserDatabase(), "--user"}).status, 0);
  }

  std::string UserDatabase() const {
    return profile_ + "/Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";
  }

  // Runs a one-layer job on the product; returns the exit status.
  int RunOneLayer(int id) {
    lamivex::JobDescription job;
    job.layers.push_back({1, id, 84, 84, false, "Round trip"});
    job.info.Language = "Anglais";
    lamivex::WriteJobFile(temp_ + "/input_Lamivex.in", job);
    const std::string command = "AppData='" + (folder_ / "appdata") + "' LAMIVEX_PROGRAM_DIR='" +
                                program_ + "' '" + LAMIVEX_EXECUTABLE + "' 2>'" +
                                (folder_ / "stderr") + "'";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  std::string TempFile(const std::string& name) const {
    return testing::ReadAll(temp_ + "/" + name);
  }

 private:
  testing::ScratchFolder folder_;
  std::string profile_ = folder_ / "appdata/Solmerac/v5.2/Profile";
  std::string temp_ = profile_ + "/Temp";
  std::string program_ = folder_ / "program";
};

// Solar transmittance of a spectrum file: the weighted mean of its T column.
double SolarTransmittance(const std::string& spectrumFile) {
  double weights = 0.0;
  double weighted = 0.0;
  const std::vector<std::string_view> lines = SplitLines(spectrumFile);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    double lambda = 0, w = 0, t = 0;
    if (std::sscanf(std::string(lines[i]).c_str(), "%lf %lf %lf", &lambda, &w, &t) != 3) continue;
    weights += w;
    weighted += w * t;
  }
  return weights > 0 ? weighted / weights : 0.0;
}

// The Optics file's rows written as columns (nm, percent) with ordinary arithmetic.
std::string AsColumns(const std::string& opticsPath) {
  std::string text = "wavelength (nm),T (%),R1 (%),R2 (%)\n";
  const std::string optics = testing::ReadAll(opticsPath);
  for (std::string_view line : SplitLines(optics)) {
    double v[4];
    if (line.find('{') != std::string_view::npos ||
        std::sscanf(std::string(line).c_str(), "%lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3]) !=
            4) {
      continue;
    }
    char row[128];
    std::snprintf(row, sizeof row, "%.10g,%.10g,%.10g,%.10g\n", v[0] * 1000, v[1] * 100, v[2] * 100,
                  v[3] * 100);
    text += row;
  }
  return text;
}

TEST(RoundTrip, ImportedProductRunsLikeTheSameSpectrumFromColumns) {
  LamivexRunFolders run;
  testing::ScratchFolder folder;
  const std::string optics = testing::SpectrumFile("CLEAR_3.DAT");
  const std::string columns = folder / "clear3.csv";
  testing::WriteAll(columns, AsColumns(optics));
  const std::string db = run.UserDatabase();
  ASSERT_EQ(testing::Tool({"import", db, optics}).status, 0);   // 1000000
  ASSERT_EQ(testing::Tool({"import", db, columns}).status, 0);  // 1000001
  ASSERT_EQ(testing::Tool({"import", db, testing::SpectrumFile("CLEAR_3.json")}).status,
            0);  // 1000002

  ASSERT_EQ(run.RunOneLayer(1000000), 0);
  const std::string opticsSpectrum = run.TempFile("Energy_1.out");
  const std::string opticsSummary = run.TempFile("Lamivex.out");
  ASSERT_EQ(run.RunOneLayer(1000001), 0);
  EXPECT_EQ(run.TempFile("Energy_1.out"), opticsSpectrum);
  EXPECT_EQ(run.TempFile("Lamivex.out"), opticsSummary);
  ASSERT_EQ(run.RunOneLayer(1000002), 0);
  const std::string jsonSpectrum = run.TempFile("Energy_1.out");

  EXPECT_EQ(SplitLines(opticsSpectrum).size(), 442u);  // header and 300..2500 nm every 5 nm
  const double te = SolarTransmittance(opticsSpectrum);
  EXPECT_GT(te, 80.0);  // 3 mm clear float glass
  EXPECT_LT(te, 87.0);
  EXPECT_NEAR(SolarTransmittance(jsonSpectrum), te, 1e-4);  // float32 copy of the same data
  EXPECT_TRUE(opticsSummary.starts_with("\"Caract")) << opticsSummary;
}

}  // namespace
}  // namespace lamivexdb
