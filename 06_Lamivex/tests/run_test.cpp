// The lamivex executable: its three exits, the clean-up, the job faults, the
// databases left as they were, and the command line.
#include <gtest/gtest.h>

#include "JobFile.h"
#include "RunLamivex.h"
#include "TestDatabase.h"

namespace lamivex {
namespace {

using testing::kNoInversion;
using testing::RunLamivex;
using testing::Snapshot;
using testing::TempFolder;
using testing::TestDatabase;
using testing::WriteBytes;

// The run's folders with a small suite database.
class LamivexRun : public ::testing::Test, protected testing::RunFolders {
 protected:
  void SetUp() override {
    TestDatabase suite(suite_);
    for (int id : {1, 2, 5}) suite.AddProduct("glass", id, TestDatabase::Flat(300, 2500, 80, 8, 8));
    suite.AddProduct("PVB", 3, TestDatabase::Flat(300, 2500, 88, 5, 5));
  }

  // Files a previous run may have left in the Temp folder.
  void LeaveStaleFiles(const std::vector<std::string>& names) {
    for (const std::string& name : names) WriteBytes(temp_folder_ + "/" + name, "stale " + name);
  }

  testing::RunResult Run() { return RunLamivex(temp_, appData_, program_); }
};

TEST_F(LamivexRun, AMissingProfileStopsTheRunWithoutTouchingAnyFile) {
  std::filesystem::remove_all(profile_);
  const auto before = Snapshot(temp_.Path());
  const auto result = Run();
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "SM5.2: Error: PATHTEMP=" + profile_ + " is not found!\n" +
                "The profile folder is <appdata>/Solmerac/v5.2/Profile, where <appdata> "
                "is $AppData, else $XDG_DATA_HOME, else $HOME/.local/share; here it "
                "comes from $AppData. The folder must exist, with the job file in its "
                "Temp folder.\n");
  EXPECT_EQ(Snapshot(temp_.Path()), before);
}

TEST_F(LamivexRun, AMissingProductStopsAtItsLayerBeforeAnythingIsWrittenOrDeleted) {
  WriteJob({"\"Number glass\", 5", "", "1, 1, 84, 84", "1, 2, 84, 84", "1, 404, 84, 84",
            "2, 405, 84, 84", "1, 5, 84, 84", kNoInversion});
  LeaveStaleFiles({"Energy_1.out", "Light_1.out", "Final_Light_Lamivex.out", "Lamivex.out",
                   "Result_Energy_1_Lamivex.out", "Lamivex_Energy_Result.out"});
  const auto before = Snapshot(appData_);
  const auto result = Run();
  EXPECT_EQ(result.status, 3);
  EXPECT_TRUE(result.err.starts_with("SM5.2: Please, select the glass!\nLayer 3: product 404 "))
      << result.err;  // once, for layer 3 only
  EXPECT_EQ(Snapshot(appData_), before);
}

// The message's own text stays; the line after it names the layer, the product and
// where its spectrum was looked for.
TEST_F(LamivexRun, AMissingProductIsNamedWithWhereItWasLookedFor) {
  const std::string user = profile_ + "/Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";
  const std::string rules =
      " (kind 1 reads the glass tables, kind 2 the film tables, any other kind the PVB tables).";
  const struct {
    const char* layer;
    std::string detail;
  } cases[] = {
      {"1, 404, 84, 84",
       "product 404 (kind 1, glass) has no spectrum in the table "
       "spectral_energy of the suite database " +
           suite_ + rules},
      {"2, 1, 84, 84",
       "product 1 (kind 2, film) has no spectrum in the table "
       "spectral_energy_film of the suite database " +
           suite_ + rules},
      {"7, 1, 84, 84",
       "product 1 (kind 7, PVB interlayer) has no spectrum in the table "
       "spectral_energy_PVB of the suite database " +
           suite_ + rules},
      {"2, 1000001, 84, 84",
       "product 1000001 (kind 2, film) is a user product (ids from "
       "1000000 up), but the user database " +
           user + " does not exist."},
      {"1, 0, 84, 84", "product 0 (kind 1, glass): product ids start at 1."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.layer);
    WriteJob({"\"Number glass\", 2", "", "1, 1, 84, 84", c.layer, kNoInversion});
    const auto result = Run();
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err, "SM5.2: Please, select the glass!\nLayer 2: " + c.detail + "\n");
  }
  std::filesystem::create_directories(std::filesystem::path(user).parent_path());
  const TestDatabase emptyUserDatabase(user);
  WriteJob({"\"Number glass\", 1", "", "3, 1000002, 84, 84", kNoInversion});
  EXPECT_EQ(Run().err,
            "SM5.2: Please, select the glass!\nLayer 1: product 1000002 (kind 3, PVB "
            "interlayer) has no spectrum in the table spectral_energy of the user "
            "database " +
                user + ".\n");
}

TEST_F(LamivexRun, NoLayersOnlyCleansUp) {
  for (const char* count : {"0", "-2"}) {
    WriteJob({std::string("\"Number glass\", ") + count});  // no table, no inversion list
    LeaveStaleFiles({"Energy_1.out", "Light_1.out", "Final_Light_Lamivex.out",
                     "Final_Energy_Lamivex.out", "Lamivex.out", "Result_Energy_1_Lamivex.out",
                     "Lamivex_Light_Result.out"});
    auto expected = Snapshot(appData_);
    expected.erase("Solmerac/v5.2/Profile/Temp/Final_Light_Lamivex.out");
    const auto result = Run();
    EXPECT_EQ(result.status, 0) << count;
    EXPECT_EQ(result.err, "") << count;
    EXPECT_EQ(Snapshot(appData_), expected) << count;
  }
}

TEST_F(LamivexRun, JobFaultsStopBeforeAnyDatabaseIsOpenedAndNameTheProblem) {
  std::filesystem::remove_all(program_);  // a database opened first would fail otherwise
  const std::vector<std::string> layers = {"1, 1, 84, 84", "1, 2, 84, 84"};
  const std::vector<std::pair<std::vector<std::string>, std::string>> faults = {
      {{}, "input_Lamivex.in is not found"},
      {{"\"Langue\", \"Anglais\""}, "\"Number glass\" is missing"},
      {{"\"Number glass\", \"2\""}, "\"Number glass\" is not a number"},
      {{"\"Number glass\", 40000"}, "16-bit"},
      {{"\"Number glass\", 102"}, "at most 101 layers"},
      {{"\"Number glass\", 2", "", layers[0], "1, 2, 84"}, "layer 2 (line 4"},
      {{"\"Number glass\", 2", "", layers[0], "1, two, 84, 84"}, "product id of layer 2"},
      {{"\"Number glass\", 2", "", layers[0], layers[1]},
       "\"Inverse the face glasses\" is missing"},
      {{"\"Number glass\", 2", "", layers[0], layers[1], "\"Inverse the face glasses\", \"0,0\""},
       "lists 2 flag(s)"},
      {{"\"Number glass\", 2", "", layers[0], layers[1],
        "\"Inverse the face glasses\", \"0,0,0,0,x,0,0,0,0,0\""},
       "entry 5"},
  };
  LeaveStaleFiles({"Final_Light_Lamivex.out", "Light_1.out"});
  for (const auto& [job, named] : faults) {
    std::filesystem::remove(temp_folder_ + "/input_Lamivex.in");
    if (!job.empty()) WriteJob(job);
    const auto before = Snapshot(appData_);
    const auto result = Run();
    EXPECT_EQ(result.status, 4) << named;
    EXPECT_TRUE(result.err.starts_with("SM5.2: Error: ")) << result.err;
    EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(appData_), before) << named;
  }
}

TEST_F(LamivexRun, AMissingSuiteDatabaseIsNamedBeforeAnythingIsWritten) {
  const std::string database = program_ + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
  std::filesystem::remove(database);
  WriteJob({"\"Number glass\", 1", "", "1, 1, 84, 84", kNoInversion});
  LeaveStaleFiles({"Final_Light_Lamivex.out"});
  const auto before = Snapshot(temp_.Path());
  const auto result = Run();
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "SM5.2: Error: the spectral database " + database + " is not found!\n");
  EXPECT_EQ(Snapshot(temp_.Path()), before);
}

TEST_F(LamivexRun, UserProductsComeFromTheProfileDatabase) {
  WriteJob({"\"Number glass\", 1", "", "2, 1000001, 84, 84", kNoInversion});
  EXPECT_EQ(Run().status, 3);  // no user database: it holds no products
  const std::string folder = profile_ + "/Base Utilisateur/Vitrages/SpectralDB";
  std::filesystem::create_directories(folder);
  TestDatabase(folder + "/SM_Spectral_User.db")
      .AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
  const auto result = Run();
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST_F(LamivexRun, ANormalEndDeletesTheIntermediateFiles) {
  WriteJob({"\"Number glass\", 2", "", "1, 1, 84, 84", "3, 3, 0, 0", kNoInversion});
  const std::vector<std::string> intermediate = {"Light_1.out",
                                                 "Light_2.out",
                                                 "Result_Energy_1_Lamivex.out",
                                                 "Result_Light_2_Lamivex.out",
                                                 "Lamivex_Energy_Result.out",
                                                 "Lamivex_Light_Result.out",
                                                 "Final_Light_Lamivex.out"};
  LeaveStaleFiles(intermediate);
  LeaveStaleFiles({"Light_3.out", "Energy_2.out"});
  const auto result = Run();
  EXPECT_EQ(result.status, 0) << result.err;
  for (const std::string& name : intermediate) {
    EXPECT_FALSE(std::filesystem::exists(temp_folder_ + "/" + name)) << name;
  }
  for (const char* name : {"input_Lamivex.in", "Energy_1.out", "Energy_2.out",
                           "Final_Energy_Lamivex.out", "Lamivex.out"}) {
    EXPECT_TRUE(std::filesystem::exists(temp_folder_ + "/" + name)) << name;
  }
  EXPECT_NE(testing::ReadBytes(temp_folder_ + "/Energy_2.out"), "stale Energy_2.out");
  EXPECT_TRUE(std::filesystem::exists(temp_folder_ + "/Light_3.out"));  // not a file of this job
}

// The demo job on the program folder of the build tree, found beside the executable, and a
// user database in the profile: neither database changes by a single byte.
TEST_F(LamivexRun, TheDemoJobRunsAndLeavesBothDatabasesAsTheyWere) {
  std::filesystem::copy_file(std::string(LAMIVEX_SOURCE_DIR) + "/data/demo/input_Lamivex.in",
                             temp_folder_ + "/input_Lamivex.in");
  const std::string userFolder = profile_ + "/Base Utilisateur/Vitrages/SpectralDB";
  std::filesystem::create_directories(userFolder);
  TestDatabase(userFolder + "/SM_Spectral_User.db")
      .AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
  const std::string suiteFolder = std::string(LAMIVEX_PROGRAM_DIR) + "/Base SM_Vitrages";
  const auto suiteBefore = Snapshot(suiteFolder);
  const auto userBefore = Snapshot(userFolder);
  ASSERT_EQ(suiteBefore.count("SpectralDB/SM_Spectral.db"), 1u);
  const auto result = RunLamivex(temp_, appData_, "");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Snapshot(suiteFolder), suiteBefore);  // same files, same bytes, no journal
  EXPECT_EQ(Snapshot(userFolder), userBefore);
}

TEST(CommandLine, HelpVersionAndRefusedArguments) {
  TempFolder temp;
  const std::string appData = temp / "none";
  auto result = RunLamivex(temp, appData, "", {"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("usage: lamivex")) << result.out;
  EXPECT_NE(result.out.find("Exit statuses"), std::string::npos);
  result = RunLamivex(temp, appData, "", {"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(result.out.starts_with("lamivex ")) << result.out;
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"job.in"}, {"--help", "x"}, {"-h"}}) {
    result = RunLamivex(temp, appData, "", arguments);
    EXPECT_EQ(result.status, 64) << arguments[0];
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage: lamivex"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(appData));
}

}  // namespace
}  // namespace lamivex
