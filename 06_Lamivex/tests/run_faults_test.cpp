// Faults around a run: a Temp folder that cannot be written, a job file that is a
// folder, a suite database that is not one, a spectrum file cut short before the
// assembly reads it, and a file system that takes no more bytes. Each stops the run
// with its exit status and a message naming the problem, and leaves every other file
// as it was.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "JobFile.h"
#include "Main_modul6.h"
#include "RunLamivex.h"
#include "TestDatabase.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using testing::kNoInversion;
using testing::RunLamivex;
using testing::Snapshot;
using testing::TempFolder;
using testing::TestDatabase;
using testing::WriteBytes;

// Runs one statement on an existing database file.
void ExecOn(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  const bool done = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  if (!done) throw std::runtime_error(sql + " failed on " + path);
}

// Runs its arguments with SIGXFSZ ignored (so that a write past the limit fails instead
// of killing the process) and files limited to 16 blocks of 512 or 1024 bytes, the unit
// of the shell's ulimit: both far below a spectrum file of some 30 KB.
const std::string kSmallFileSizeLimit = "sh -c 'trap \"\" XFSZ; ulimit -f 16 && exec \"$@\"' sh";

// A prefix under which this process's own permission bits hold. The tests may run as
// root (CI does), and root writes into any folder; a root process without capabilities
// does not. Empty when none is needed; nullopt when none works here.
std::optional<std::string> WithoutWriteOverride(const std::string& folder) {
  const std::string probe = folder + "/probe";
  std::vector<std::string> prefixes = {""};
  if (geteuid() == 0) prefixes = {"setpriv --inh-caps=-all --bounding-set=-all"};
  for (const std::string& prefix : prefixes) {
    const std::string command =
        prefix + " touch " + testing::ShellQuoted(probe) + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    const bool denied = status != 0 && !std::filesystem::exists(probe);
    std::filesystem::remove(probe);
    if (denied) return prefix;
  }
  return std::nullopt;
}

class RunFaults : public ::testing::Test, protected testing::RunFolders {
 protected:
  void SetUp() override {
    TestDatabase suite(suite_);
    for (int id : {1, 2}) suite.AddProduct("glass", id, TestDatabase::Flat(300, 2500, 80, 8, 8));
    suite.AddProduct("PVB", 3, TestDatabase::Flat(300, 2500, 88, 5, 5));
  }
  void TearDown() override {
    std::filesystem::permissions(temp_folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
  }

  void WriteThreeLayerJob() {
    WriteJob({"\"Number glass\", 3", "", "1, 1, 84, 84", "3, 3, 0, 0", "1, 2, 84, 84", kNoInversion,
              "\"Langue\", \"Anglais\""});
  }
  // Files an earlier run left: a fault must neither delete nor change them.
  void LeaveStaleFiles() {
    for (const char* name : {"Energy_1.out", "Final_Energy_Lamivex.out", "Final_Light_Lamivex.out",
                             "Lamivex.out", "Result_Energy_1_Lamivex.out"}) {
      WriteBytes(temp_folder_ + "/" + name, std::string("from an earlier run: ") + name);
    }
  }

  testing::RunResult Run(const std::string& prefix = "") {
    return RunLamivex(temp_, appData_, program_, {}, prefix);
  }
};

TEST_F(RunFaults, ATempFolderThatCannotBeWrittenStopsAtTheFirstWriteAndChangesNothing) {
  WriteThreeLayerJob();
  std::filesystem::permissions(temp_folder_, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const std::optional<std::string> prefix = WithoutWriteOverride(temp_folder_);
  if (!prefix) GTEST_SKIP() << "no way to take write access away from this process here";
  const auto before = Snapshot(temp_.Path());
  const auto result = Run(*prefix);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "SM5.2: Error: the file " + temp_folder_ + "/Energy_1.out cannot be written!\n");
  EXPECT_EQ(Snapshot(temp_.Path()), before);
}

TEST_F(RunFaults, AJobFileThatIsAFolderStopsTheRunAsABadJob) {
  const std::string job = temp_folder_ + "/input_Lamivex.in";
  std::filesystem::create_directories(job + "/inside");
  LeaveStaleFiles();
  const auto before = Snapshot(temp_.Path());
  const auto result = Run();
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "SM5.2: Error: the job file " + job + " is a folder, not a file!\n");
  EXPECT_EQ(Snapshot(temp_.Path()), before);
}

// Each fault of the suite database is found before anything is written or deleted, also
// those that only the full load of a spectrum meets (the product table, a column).
TEST_F(RunFaults, ASuiteDatabaseThatIsNotOneStopsTheRunBeforeAnyFileIsTouched) {
  const std::string good = testing::ReadBytes(suite_);
  ASSERT_GT(good.size(), 8192u);
  const std::vector<std::pair<std::string, std::function<void()>>> faults = {
      {"not a database", [&] { WriteBytes(suite_, "\"Number glass\", 3\r\nnot SQLite\r\n"); }},
      {"malformed", [&] { WriteBytes(suite_, good.substr(0, 8192)); }},
      {"no such table: glass", [&] { ExecOn(suite_, "drop table glass"); }},
      {"no column reflection_energy_face2",
       [&] { ExecOn(suite_, "alter table spectral_energy drop reflection_energy_face2"); }},
      {"is empty",
       [&] {
         ExecOn(suite_,
                "update spectral_energy set lamda = null where lamda = 2500 and glass_id = 2");
       }},
  };
  WriteThreeLayerJob();
  LeaveStaleFiles();
  for (const auto& [named, spoil] : faults) {
    WriteBytes(suite_, good);
    spoil();
    const std::string database = testing::ReadBytes(suite_);
    const auto before = Snapshot(temp_.Path());
    const auto result = Run();
    EXPECT_EQ(result.status, 1) << named;
    EXPECT_TRUE(result.err.starts_with("SM5.2: Error: ")) << result.err;
    EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    EXPECT_EQ(Snapshot(temp_.Path()), before) << named;
    EXPECT_EQ(testing::ReadBytes(suite_), database) << named;
  }
}

// The assembly reads every layer file before it writes a data line: a layer file cut
// short stops the run, and the assembly files hold their header lines only.
TEST_F(RunFaults, ALayerFileCutShortBeforeTheAssemblyLeavesItsFilesWithTheirHeadersOnly) {
  LamivexRun run;
  run.ProfilePath = profile_;
  run.SpectralDb = std::make_unique<SpectralDatabase>();
  run.SpectralDb->Open(suite_, "", true);
  run.NumberGlass = 3;
  const int32_t ids[] = {0, 1, 3, 2};
  const int16_t kinds[] = {0, 1, 3, 1};
  for (int k = 1; k <= 3; ++k) {
    run.GlassId[k] = ids[k];
    run.GlassKind[k] = kinds[k];
    run.EnergySpectrumFile[k] = "Energy_" + std::to_string(k) + ".out";
    InterpolateGlass(run, run.EnergySpectrumFile[k], "Light_" + std::to_string(k) + ".out", ids[k],
                     kinds[k], 0);
  }
  const std::string layer2 = temp_folder_ + "/Energy_2.out";
  const std::string whole = testing::ReadBytes(layer2);
  const size_t hundredLines = [&] {
    size_t end = 0;
    for (int line = 0; line < 101; ++line) end = whole.find("\r\n", end) + 2;
    return end;
  }();
  for (const size_t cut : {hundredLines, whole.size() / 2 + 3}) {
    WriteBytes(layer2, whole.substr(0, cut));
    try {
      CalculateAssembly(run);
      ADD_FAILURE() << "the assembly read a layer file cut at byte " << cut;
    } catch (const RunError& e) {
      EXPECT_EQ(e.Status(), kExitFault);
      EXPECT_NE(std::string(e.what()).find(layer2), std::string::npos) << e.what();
    }
    EXPECT_EQ(testing::ReadBytes(temp_folder_ + "/" + kFinalEnergyFile),
              EnergySpectrumHeader(run) + "\r\n");
    EXPECT_EQ(testing::ReadBytes(temp_folder_ + "/" + kFinalLightFile),
              LightSpectrumHeader(run) + "\r\n");
  }
}

// A file system that takes no more bytes: the first spectrum file cannot be written
// whole. The run says so and stops; only that file differs from before.
TEST_F(RunFaults, AFullFileSystemStopsTheRunAtTheFileThatCannotBeWritten) {
  WriteThreeLayerJob();
  LeaveStaleFiles();
  auto expected = Snapshot(temp_.Path());
  const std::string energy1 = "appdata/Solmerac/v5.2/Profile/Temp/Energy_1.out";
  expected.erase(energy1);
  const auto result = Run(kSmallFileSizeLimit);
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.err,
            "SM5.2: Error: the file " + temp_folder_ + "/Energy_1.out cannot be written!\n");
  auto after = Snapshot(temp_.Path());
  ASSERT_EQ(after.count(energy1), 1u);
  EXPECT_LE(after[energy1].size(), 16u * 1024u);
  after.erase(energy1);
  EXPECT_EQ(after, expected);
}

}  // namespace
}  // namespace lamivex
