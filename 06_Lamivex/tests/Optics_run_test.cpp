// Whole runs of the lamivex executable seen from the optical results: the demo
// laminate, the files a normal run leaves, the summary of a multi-layer run and
// the largest job.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "JobFile.h"
#include "OpticsTestSupport.h"
#include "RunLamivex.h"
#include "TestDatabase.h"

namespace lamivex {
namespace {

using testing::TestDatabase;

class OpticsRun : public ::testing::Test, protected testing::RunFolders {
 protected:
  void SetUp() override {
    TestDatabase suite(suite_);
    suite.AddProduct("glass", 1, TestDatabase::Flat(300, 2500, 80, 8, 8));
    suite.AddProduct("film", 2, TestDatabase::Flat(300, 2500, 95, 4, 4));
    suite.AddProduct("PVB", 3, TestDatabase::Flat(300, 2500, 88, 5, 5));
    suite.AddProduct("film", 4, TestDatabase::Flat(300, 2500, 90, 3, 9));
    // The catalogue's clear 4 mm glass as 1011, and an interlayer given as it is inside
    // a laminate (no reflection of its own) as 13.
    suite.Exec("attach '" + std::string(LAMIVEX_PROGRAM_DIR) +
               "/Base SM_Vitrages/SpectralDB/SM_Spectral.db' as catalogue");
    suite.Exec(
        "insert into spectral_energy select glass_id + 10, lamda, transmission_energy,"
        " reflection_energy_face1, reflection_energy_face2 from catalogue.spectral_energy"
        " where glass_id = 1001");
    suite.AddProduct("PVB", 13, TestDatabase::Flat(300, 2500, 99, 0, 0));
  }

  std::set<std::string> TempFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp_folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  std::string Summary() const { return testing::ReadBytes(temp_folder_ + "/Lamivex.out"); }
};

// Summary fields 2.. as numbers (field 1 is the quoted title).
std::vector<double> SummaryNumbers(const std::string& bytes) {
  std::vector<double> numbers;
  size_t start = bytes.find("\",") + 2;
  for (size_t end; (end = bytes.find_first_of(",\r", start)) != std::string::npos;
       start = end + 1) {
    numbers.push_back(std::stod(bytes.substr(start, end - start)));
    if (bytes[end] == '\r') break;
  }
  return numbers;
}

// Te, Tl and Re1 of a summary in the bands of a clear laminated glass.
void ExpectClearLaminate(const std::vector<double>& v) {
  EXPECT_GE(v[0], 70);  // Te
  EXPECT_LE(v[0], 85);
  EXPECT_GE(v[7], 85);  // Tl
  EXPECT_LE(v[7], 90);
  EXPECT_GE(v[1], 6);  // Re1
  EXPECT_LE(v[1], 10);
}

TEST_F(OpticsRun, DemoJobLeavesExactlyItsFilesAndAConsistentSummary) {
  std::filesystem::copy_file(std::string(LAMIVEX_SOURCE_DIR) + "/data/demo/input_Lamivex.in",
                             temp_folder_ + "/input_Lamivex.in");
  const auto result = testing::RunLamivex(temp_, appData_, "");
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(TempFiles(),
            (std::set<std::string>{"input_Lamivex.in", "Energy_1.out", "Energy_2.out",
                                   "Energy_3.out", "Final_Energy_Lamivex.out", "Lamivex.out"}));
  const std::vector<double> v = SummaryNumbers(Summary());
  ASSERT_EQ(v.size(), 12u) << Summary();
  EXPECT_EQ(v[0] + v[1] + v[2], 100);
  EXPECT_EQ(v[0] + v[4] + v[5], 100);
  EXPECT_EQ(v[7] + v[8] + v[9], 100);
  EXPECT_EQ(v[1], v[4]);   // the same clear glass outside on both faces
  ExpectClearLaminate(v);  // clear 4 mm / PVB 0.76 mm / clear 4 mm
}

// The catalogue's clear 4 mm glass twice around an index-matched interlayer: the
// values of a clear laminated glass.
TEST_F(OpticsRun, ClearLaminateOfTheCatalogueGlassIsPlausible) {
  WriteJob({"\"Number glass\", 3", "", "1, 1011, 84, 84", "3, 13, 0, 0", "1, 1011, 84, 84",
            testing::kNoInversion});
  const auto result = testing::RunLamivex(temp_, appData_, program_);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::vector<double> v = SummaryNumbers(Summary());
  ASSERT_EQ(v.size(), 12u) << Summary();
  ExpectClearLaminate(v);
}

TEST_F(OpticsRun, TwoLayerSummaryCarriesTheAssembly) {
  WriteJob({"\"Number glass\", 2", "", "1, 1, 84, 12", "3, 3, 0, 0", testing::kNoInversion});
  const auto result = testing::RunLamivex(temp_, appData_, program_);
  ASSERT_EQ(result.status, 0) << result.err;
  // T = 0.8 * 0.88; R1 = rho + T1^2 R1(PVB); R2 = R2(PVB) + (T1 T2)^2 rho, rho = 0.08 / 1.64.
  EXPECT_EQ(
      Summary(),
      "\"Caract\xE9ristiques de l'\xE9l\xE9ment sortant\",70,8,22,84,7,23,0,70,8,22,7,23\r\n");
}

// One film twice, the second turned: the spectrum each layer keeps from the product
// check carries that layer's own faces.
TEST_F(OpticsRun, EachLayerKeepsItsOwnFacesFromTheProductCheck) {
  WriteJob({"\"Number glass\", 2", "", "2, 4, 84, 84", "2, 4, 84, 84",
            "\"Inverse the face glasses\", \"0,1,0,0,0,0,0,0,0,0\""});
  const auto result = testing::RunLamivex(temp_, appData_, program_);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string line = "2500          6E-05         90            ";
  EXPECT_NE(testing::ReadBytes(temp_folder_ + "/Energy_1.out").find(line + "3             9\r\n"),
            std::string::npos);
  EXPECT_NE(testing::ReadBytes(temp_folder_ + "/Energy_2.out").find(line + "9             3\r\n"),
            std::string::npos);
}

TEST_F(OpticsRun, OneHundredAndOneLayersComplete) {
  std::vector<std::string> job{"\"Number glass\", 101", ""};
  for (int k = 1; k <= 101; ++k) job.push_back(k % 2 ? "1, 1, 84, 84" : "2, 2, 0, 0");
  job.push_back(testing::kNoInversion);
  WriteJob(job);
  const auto result = testing::RunLamivex(temp_, appData_, program_);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(TempFiles().count("Energy_101.out"));
  const std::vector<double> v = SummaryNumbers(Summary());
  ASSERT_EQ(v.size(), 12u) << Summary();
  EXPECT_EQ(v[0], 0);  // 51 glasses of 80 % and 50 films of 95 %
  EXPECT_GT(v[1], 8);

  job[0] = "\"Number glass\", 102";
  job.insert(job.begin() + 103, "1, 1, 84, 84");
  WriteJob(job);
  std::filesystem::remove(temp_folder_ + "/Lamivex.out");
  EXPECT_EQ(testing::RunLamivex(temp_, appData_, program_).status, 4);
  EXPECT_FALSE(TempFiles().count("Lamivex.out"));
}

// A user's measured glass whose T + R1 exceeds 100 % by up to 0.9 point (the measuring
// noise lamivex-db accepts), laminated on both sides, once turned: the laminated model
// holds each glass's internal transmittance at 1, so that no assembly point creates energy.
TEST_F(OpticsRun, MeasuringNoiseAbove100PercentStaysWithinTheLaminatedCap) {
  const std::string user = profile_ + "/Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";
  std::filesystem::create_directories(std::filesystem::path(user).parent_path());
  std::vector<testing::TestRow> noisy = TestDatabase::Flat(300, 2500, 90, 10.5, 9.6);
  for (size_t i = 0; i < noisy.size(); i += 3) noisy[i].r1 = 10.9;
  TestDatabase(user).AddProduct("glass", 1000000, noisy);
  WriteJob({"\"Number glass\", 3", "", "1, 1000000, 84, 84", "3, 13, 0, 0", "1, 1000000, 84, 84",
            "\"Inverse the face glasses\", \"0,0,1,0,0,0,0,0,0,0\""});
  const auto result = testing::RunLamivex(temp_, appData_, program_);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines =
      testing::CrLfLines(testing::ReadBytes(temp_folder_ + "/Final_Energy_Lamivex.out"));
  ASSERT_EQ(lines.size(), 442u);
  for (size_t i = 1; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    const std::vector<std::string> f = testing::Fields(lines[i]);
    ASSERT_EQ(f.size(), 5u);
    const double t = std::stod(f[2]), r1 = std::stod(f[3]), r2 = std::stod(f[4]);
    EXPECT_GT(t, 0.0);  // also false for NaN
    EXPECT_LE(t + r1, 100.0 + 1e-9);
    EXPECT_LE(t + r2, 100.0 + 1e-9);
  }
  const std::vector<double> v = SummaryNumbers(Summary());
  ASSERT_EQ(v.size(), 12u) << Summary();
  for (double value : v) EXPECT_TRUE(value >= 0.0 && value <= 100.0) << Summary();
}

}  // namespace
}  // namespace lamivex
