#include <unistd.h>

#include <cmath>
#include <functional>
#include <optional>
#include <set>

#include <gtest/gtest.h>

#include "RunLamivex.h"

namespace lamivex {
namespace {

using namespace testing;

const std::string kTitle = "\"Caract\xE9ristiques de l'\xE9l\xE9ment sortant\",";

// Files limited to 16 blocks (of 512 or 1024 bytes), far below a spectrum file of some
// 30 KB, with SIGXFSZ ignored so that a write past the limit fails instead of killing.
const std::string kSmallFileSizeLimit = "sh -c 'trap \"\" XFSZ; ulimit -f 16 && exec \"$@\"' sh";

// A prefix under which this process's own permission bits hold: root (as in CI) writes
// into any folder, a root process without capabilities does not. nullopt when none works.
std::optional<std::string> WithoutWriteOverride(const std::string& folder) {
  const std::string prefix = geteuid() == 0 ? "setpriv --inh-caps=-all --bounding-set=-all" : "";
  const std::string probe = folder + "/probe";
  const int status =
      std::system((prefix + " touch " + ShellQuoted(probe) + " 2>/dev/null").c_str());
  const bool denied = status != 0 && !std::filesystem::exists(probe);
  std::filesystem::remove(probe);
  return denied ? std::optional(prefix) : std::nullopt;
}

class Lamivex : public ::testing::Test, protected RunFolders {
 protected:
  void SetUp() override {
    TestDatabase(suite_)
        .AddProduct("glass", 1, TestDatabase::Flat(300, 2500, 80, 8, 8))
        .AddProduct("glass", 2, TestDatabase::Flat(300, 2500, 80, 8, 8))
        .AddProduct("film", 2, TestDatabase::Flat(300, 2500, 95, 4, 4))
        .AddProduct("PVB", 3, TestDatabase::Flat(300, 2500, 88, 5, 5))
        .AddProduct("film", 4, TestDatabase::Flat(300, 2500, 90, 3, 9))
        .AddProduct("PVB", 13, TestDatabase::Flat(300, 2500, 99, 0, 0));
  }
  RunResult Run(const std::string& prefix = "") {
    return RunLamivex(temp_, appData_, program_, {}, prefix);
  }
  void LeaveStaleFiles(const std::vector<std::string>& names) {
    for (const std::string& name : names) WriteBytes(Temp(name), "stale " + name);
  }
  std::set<std::string> TempFiles() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp_folder_)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  std::string Summary() const { return ReadBytes(Temp("Lamivex.out")); }
};

void ExecOn(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const int status = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (status != SQLITE_OK) throw std::runtime_error(sql + " failed on " + path);
}

TEST_F(Lamivex, EveryStopHasItsStatusAndMessageAndChangesNoOtherFile) {
  const std::string good = ReadBytes(suite_), job = Temp("input_Lamivex.in");
  const std::string l1 = "1, 1, 84, 84", l2 = "3, 3, 0, 0", n1 = "\"Number glass\", 1";
  const std::string n2 = "\"Number glass\", 2", flags = "\"Inverse the face glasses\", ";
  const auto error = [](const std::string& text) { return "SM5.2: Error: " + text + "\n"; };
  const std::string fit = " does not fit a 16-bit integer!", db = "the spectral database " + suite_;
  const std::string line3 = " of layer 1 (line 3 of the job file) is not a number: ";
  const std::string four =
      " of the job file) needs four fields (kind, product id, Emn1, Emn2), found ";
  const std::string glass = "SM5.2: Please, select the glass!\nLayer 2: product ";
  const std::string none = " has no spectrum in the table spectral_energy";
  const std::string rules =
      " of the suite database " + suite_ +
      " (kind 1 reads the glass tables, kind 2 the film tables, any other kind the PVB tables).\n";
  const std::string query = " in \"select * from spectral_energy where glass_id=1\"";
  const std::string notWritable =
      ": the folder " + temp_folder_ + " cannot be written to (Permission denied)!";
  std::string prefix;
  const auto readOnlyTemp = [&] {
    std::filesystem::permissions(temp_folder_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    prefix = WithoutWriteOverride(temp_folder_).value_or("none");
  };
  const auto sql = [&](const char* text) { return [&, text] { ExecOn(suite_, text); }; };
  const auto noEarlierRun = [&] {
    for (const auto& entry : std::filesystem::directory_iterator(temp_folder_)) {
      if (entry.path() != job) std::filesystem::remove(entry.path());
    }
    readOnlyTemp();
  };
  struct Case {
    std::string name;
    std::vector<std::string> job;  // empty: a good three-layer job
    std::function<void()> spoil;
    int status;
    std::string err, changed = "";  // the one file that may change
  };
  // Bad jobs (status 4) are found before any database is opened (there is none for them).
  // clang-format off
  const std::vector<Case> cases = {
      {"no job", {}, [&] { std::filesystem::remove(job); }, 4, error("the job file " + job + " is not found!")},
      {"job is a folder", {}, [&] { std::filesystem::remove(job), std::filesystem::create_directories(job + "/x"); }, 4, error("the job file " + job + " is a folder, not a file!")},
      {"empty job", {""}, {}, 4, error("the key \"Number glass\" is missing in " + job + "!")},
      {"quoted count", {"\"Number glass\", \"2\""}, {}, 4, error("\"Number glass\" is not a number: \"2\"")},
      {"16 bits", {"\"Number glass\", 40000"}, {}, 4, error("\"Number glass\" = 40000" + fit)},
      {"102 layers", {"\"Number glass\", 102"}, {}, 4, error("\"Number glass\" = 102, a job holds at most 101 layers!")},
      {"three fields", {n2, "", l1, "1, 2, 84"}, {}, 4, error("layer 2 (line 4" + four + "3!")},
      {"five fields", {n1, "", "1, 2, 3, 4, 5"}, {}, 4, error("layer 1 (line 3" + four + "5!")},
      {"no line", {n2, "", l1}, {}, 4, error("the job file has no line for layer 2 (line 4)!")},
      {"id", {n2, "", l1, "1, two, 84, 84"}, {}, 4, error("the product id of layer 2 (line 4 of the job file) is not a number: \"two\"")},
      {"empty emn1", {n1, "", "1, 2, , 4"}, {}, 4, error("the Emn1" + line3 + "\"\"")},
      {"emn1 150", {n1, "", "1, 1000000, 150, -3"}, {}, 4, error("the Emn1 of layer 1 (line 3 of the job file) is 150; an emissivity is in percent, from 0 to 100!")},
      {"emn2 -3", {n2, "", l1, "1, 1000000, 84, -3"}, {}, 4, error("the Emn2 of layer 2 (line 4 of the job file) is -3; an emissivity is in percent, from 0 to 100!")},
      {"big id", {n1, "", "1, 3000000000, 3, 4"}, {}, 4, error("the product id of layer 1 = 3e+09 does not fit a 32-bit integer!")},
      {"no flags", {n2, "", l1, l2}, {}, 4, error("the key \"Inverse the face glasses\" is missing in the job file!")},
      {"two flags", {n2, "", l1, l2, flags + "\"0,0\""}, {}, 4, error("\"Inverse the face glasses\" lists 2 flag(s); ten are needed!")},
      {"flag x", {n2, "", l1, l2, flags + "\"0,0,0,0,x,0,0,0,0,0\""}, {}, 4, error("entry 5 of \"Inverse the face glasses\" is not a number: \"x\"")},
      {"big flag", {n2, "", l1, l2, flags + "\"0,0,0,0,0,0,0,0,0,99999\""}, {}, 4, error("entry 10 of \"Inverse the face glasses\" = 99999" + fit)},
      {"no profile", {}, [&] { std::filesystem::remove_all(profile_); }, 2, error("PATHTEMP=" + profile_ + " is not found!\nThe profile folder is <appdata>/Solmerac/v5.2/Profile, where <appdata> is $AppData, else $XDG_DATA_HOME, else $HOME/.local/share; here it comes from $AppData. The folder must exist, with the job file in its Temp folder.")},
      {"glass 404", {"\"Number glass\", 3", "", l1, "1, 404, 84, 84", "1, 405, 84, 84", kNoInversion}, {}, 3, glass + "404 (kind 1, glass)" + none + rules},
      {"film 1", {n2, "", l1, "2, 1, 84, 84", kNoInversion}, {}, 3, glass + "1 (kind 2, film)" + none + "_film" + rules},
      {"kind 7", {n2, "", l1, "7, 1, 84, 84", kNoInversion}, {}, 3, glass + "1 (kind 7, PVB interlayer)" + none + "_PVB" + rules},
      {"id 0", {n2, "", l1, "1, 0, 84, 84", kNoInversion}, {}, 3, glass + "0 (kind 1, glass): product ids start at 1.\n"},
      {"no user database", {n2, "", l1, "2, 1000001, 84, 84", kNoInversion}, {}, 3, glass + "1000001 (kind 2, film) is a user product (ids from 1000000 up), but the user database " + user_ + " does not exist; lamivex-db create makes it, lamivex-db import adds products to it and lamivex-db list shows them.\n"},
      {"empty user database", {n2, "", l1, "3, 1000002, 84, 84", kNoInversion}, [&] { TestDatabase empty(user_); }, 3, glass + "1000002 (kind 3, PVB interlayer)" + none + " of the user database " + user_ + "; lamivex-db list '" + user_ + "' shows its products.\n"},
      {"no suite database", {}, [&] { std::filesystem::remove(suite_); }, 1, error(db + " is not found!")},
      {"not a database", {}, [&] { WriteBytes(suite_, "\"Number glass\", 3\r\nnot SQLite\r\n"); }, 1, error(db + " cannot be opened: file is not a database")},
      {"truncated", {}, [&] { WriteBytes(suite_, good.substr(0, 8192)); }, 1, error(db + " cannot be opened: database disk image is malformed")},
      {"no product table", {}, sql("drop table glass"), 1, error("the query \"select * from glass where id=1\" failed in " + suite_ + ": no such table: glass")},
      {"no column", {}, sql("alter table spectral_energy drop reflection_energy_face2"), 1, error("no column reflection_energy_face2" + query)},
      {"null wavelength", {}, sql("update spectral_energy set lamda = null where lamda = 2500"), 1, error("the column lamda is empty in a row of" + query.substr(3))},
      {"temp not writable", {}, readOnlyTemp, 1, error("the file " + Temp("Energy_1.out") + " cannot be deleted" + notWritable)},
      {"temp not writable, no earlier run", {}, noEarlierRun, 1, error("the file " + Temp("Energy_1.out") + " cannot be written" + notWritable)},
      {"full file system", {}, [&] { prefix = kSmallFileSizeLimit; }, 1, error("the file " + Temp("Energy_1.out") + " cannot be written: File too large!"), "appdata/Solmerac/v5.2/Profile/Temp/Energy_1.out"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code ignored;
    std::filesystem::permissions(temp_folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(temp_folder_);
    std::filesystem::remove(user_);
    WriteBytes(suite_, good);
    WriteJob(c.job.empty()
                 ? std::vector<std::string>{"\"Number glass\", 3", "", l1, l2, l1, kNoInversion}
                 : c.job);
    LeaveStaleFiles({"Energy_1.out", "Light_1.out", "Final_Light_Lamivex.out", "Lamivex.out",
                     "Final_Energy_Lamivex.out", "Result_Energy_1_Lamivex.out"});
    prefix = "";
    if (c.spoil) c.spoil();
    if (prefix == "none") continue;  // no way to take write access away here
    auto before = Snapshot(temp_.Path());
    const RunResult result =
        RunLamivex(temp_, appData_, c.status == 4 ? temp_ / "none" : program_, {}, prefix);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err, c.err);
    auto after = Snapshot(temp_.Path());
    if (!c.changed.empty()) {
      EXPECT_LE(after[c.changed].size(), 16u * 1024u);
      after.erase(c.changed);
      before.erase(c.changed);
    }
    EXPECT_EQ(after, before);
  }
}

TEST_F(Lamivex, TheDemoJobLeavesItsFilesAndItsSummaryAndBothDatabasesAsTheyWere) {
  std::filesystem::copy_file(std::string(LAMIVEX_SOURCE_DIR) + "/data/demo/input_Lamivex.in",
                             Temp("input_Lamivex.in"));
  LeaveStaleFiles({"Light_1.out", "Light_2.out", "Result_Energy_1_Lamivex.out", "Energy_2.out",
                   "Result_Light_2_Lamivex.out", "Lamivex_Energy_Result.out",
                   "Lamivex_Light_Result.out", "Final_Light_Lamivex.out", "Light_4.out",
                   "Energy_101.out", "Energy_04.out", "Energy_5.txt"});
  TestDatabase(user_).AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
  const std::string suiteFolder = std::string(LAMIVEX_PROGRAM_DIR) + "/Base SM_Vitrages";
  const auto userFolder = std::filesystem::path(user_).parent_path();
  const auto suiteBefore = Snapshot(suiteFolder), userBefore = Snapshot(userFolder);
  ASSERT_EQ(suiteBefore.count("SpectralDB/SM_Spectral.db"), 1u);
  const auto result = RunLamivex(temp_, appData_, "");
  EXPECT_EQ(std::pair(result.status, result.err), std::pair(0, std::string()));
  // The layer files of an earlier job of more layers go; files of other names stay.
  EXPECT_EQ(TempFiles(),
            (std::set<std::string>{"input_Lamivex.in", "Energy_1.out", "Energy_2.out",
                                   "Energy_3.out", "Final_Energy_Lamivex.out", "Lamivex.out",
                                   "Lamivex_EN410.out", "Energy_04.out", "Energy_5.txt"}));
  EXPECT_NE(ReadBytes(Temp("Energy_2.out")), "stale Energy_2.out");
  // Clear 4 mm / PVB 0.76 mm / clear 4 mm: Te 78 and Tl 88, as the README shows.
  EXPECT_EQ(Summary(), kTitle + "78,8,14,84,8,14,84,88,8,4,8,4\r\n");
  // Its declared values: fifteen keyed lines, g = Te + qi, both faces of the laminate alike.
  const auto declared = CrLfLines(ReadBytes(Temp("Lamivex_EN410.out")));
  std::string keys;
  for (const std::string& line : declared) keys += line.substr(0, line.find(", ") + 2);
  EXPECT_EQ(keys,
            "\"g\", \"qi\", \"SC\", \"S\", \"Tuv\", \"Ra\", \"T_L\", \"T_a\", \"T_b\", \"R1_L\", "
            "\"R1_a\", \"R1_b\", \"R2_L\", \"R2_a\", \"R2_b\", ");
  EXPECT_EQ(std::round(std::stod(declared[0].substr(5)) - std::stod(declared[1].substr(6))), 78);
  for (size_t i = 9; i < 12; ++i) EXPECT_EQ(declared[i].substr(8), declared[i + 3].substr(8));
  // Same files, same bytes, no journal.
  EXPECT_EQ(std::pair(Snapshot(suiteFolder), Snapshot(userFolder)),
            std::pair(suiteBefore, userBefore));
}

TEST_F(Lamivex, SmallJobsGiveTheirHandWorkedSummaries) {
  const struct {
    std::vector<std::string> layers;
    std::string flags, summary;
  } cases[] = {
      // T = 0.8 * 0.88; R1 = rho + T1^2 R1(PVB); R2 = R2(PVB) + (T1 T2)^2 rho, rho = 0.08 / 1.64.
      {{"1, 1, 84, 12", "3, 3, 0, 0"}, "0", "70,8,22,84,7,23,0,70,8,22,7,23"},
      // One glass: its own T and face 1's reflectance on both faces.
      {{"1, 2, 84, 12"}, "0", "80,8,12,84,8,12,12,80,8,12,8,12"},
      // One film turned: its faces swap.
      {{"2, 4, 30, 40"}, "1", "90,9,1,30,3,7,40,90,9,1,3,7"},
      // The film twice, the second turned: T = 0.81, R1 = R2 = 3 + 0.81 * 9.
      {{"2, 4, 84, 84", "2, 4, 84, 84"}, "0,1", "81,10,9,84,10,9,84,81,10,9,10,9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.summary);
    std::vector<std::string> job = {"\"Number glass\", " + std::to_string(c.layers.size()), ""};
    job.insert(job.end(), c.layers.begin(), c.layers.end());
    job.push_back("\"Inverse the face glasses\", \"" + c.flags + ",0,0,0,0,0,0,0,0,0\"");
    WriteJob(job);
    const auto result = Run();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Summary(), kTitle + c.summary + "\r\n");
  }
}

// Measuring noise: T + R1 above 100 % by up to 0.9 point must not create energy.
TEST_F(Lamivex, MeasuringNoiseAbove100PercentStaysWithinTheLaminatedCap) {
  std::vector<TestRow> noisy = TestDatabase::Flat(300, 2500, 90, 10.5, 9.6);
  for (size_t i = 0; i < noisy.size(); i += 3) noisy[i].r1 = 10.9;
  TestDatabase(user_).AddProduct("glass", 1000000, noisy);
  WriteJob({"\"Number glass\", 3", "", "1, 1000000, 84, 84", "3, 13, 0, 0", "1, 1000000, 84, 84",
            "\"Inverse the face glasses\", \"0,0,1,0,0,0,0,0,0,0\""});
  const auto result = Run();
  ASSERT_EQ(std::pair(result.status, result.err), std::pair(0, std::string()));
  const std::vector<std::string> lines = CrLfLines(ReadBytes(Temp("Final_Energy_Lamivex.out")));
  ASSERT_EQ(lines.size(), 442u);
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i] + " x x x x");
    EXPECT_TRUE(std::stod(f[2]) > 0 &&
                std::stod(f[2]) + std::max(std::stod(f[3]), std::stod(f[4])) <= 100 + 1e-9)
        << lines[i];
  }
  for (double value : SummaryNumbers(Summary())) EXPECT_TRUE(value >= 0 && value <= 100);
}

// Jobs on the sample catalogue leave their Temp folders as the file-based run of an earlier
// version left them, byte for byte: each digest is sha256sum's digest of the listing
// "sha256sum *" gives in the Temp folder, made with that version.
TEST_F(Lamivex, TempFoldersOfCatalogueJobsAreThoseOfTheFileBasedRun) {
  const auto layers = [](int count, const std::function<std::string(int)>& layer) {
    std::vector<std::string> lines;
    for (int k = 1; k <= count; ++k) lines.push_back(layer(k));
    return lines;
  };
  // Layer by layer: glasses, films, PVB, a kind-4 layer and measured products, some turned.
  const char* const mixed[] = {"1, 1001, 84, 84", "2, 2001, 0, 0",   "1, 1101, 84, 84",
                               "4, 3001, 0, 0",   "1, 1103, 84, 3",  "3, 3002, 0, 0",
                               "1, 1102, 84, 84", "2, 2001, 0, 0",   "1, 1105, 84, 84",
                               "4, 3002, 0, 0",   "1, 1104, 84, 84", "1, 1003, 84, 84"};
  // Laminated: two turned measured glasses around 99 PVB interlayers.
  const auto laminated = [](int k) {
    return k == 1     ? "1, 1104, 84, 84"
           : k == 101 ? "1, 1105, 84, 84"
           : k % 2    ? "3, 3001, 0, 0"
                      : "3, 3002, 0, 0";
  };
  const struct {
    std::string name;
    std::vector<std::string> layers;
    std::string flags, digest;
  } cases[] = {
      {"demo", {}, "", "9fe4b014ee9fe11eca8ca15c45102f82609c118151e68cb4db4600075f0b9b34"},
      {"one turned low-e",
       {"1, 1103, 84, 3"},
       "1,0,0,0,0,0,0,0,0,0",
       "b7fdb5c2b0fb279ffe1bbf455a393e78032e2aa4132fdd1269133664f0013eee"},
      {"12 layers", layers(12, [&](int k) { return mixed[k - 1]; }), "1,0,1,0,1,0,0,1,0,1,1,1",
       "951769351df067ba6ba7f64601518c8d9d063ae22b49cf338af1340672f63eeb"},
      {"101 laminated", layers(101, laminated), "1,0,0,0,0,0,0,0,0,1",
       "cb3457ee0312b50a2d6a2790837ea2359a76d0003d0807b4e52b2992994e1e77"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(temp_folder_);
    std::filesystem::create_directories(temp_folder_);
    if (c.layers.empty()) {
      std::filesystem::copy_file(std::string(LAMIVEX_SOURCE_DIR) + "/data/demo/input_Lamivex.in",
                                 Temp("input_Lamivex.in"));
    } else {
      std::vector<std::string> job = {"\"Number glass\", " + std::to_string(c.layers.size()),
                                      "\"Langue\", \"Anglais\""};
      job.insert(job.end(), c.layers.begin(), c.layers.end());
      job.push_back("\"Inverse the face glasses\", \"" + c.flags + "\"");
      WriteJob(job);
    }
    const RunResult result = RunLamivex(temp_, appData_, "");
    ASSERT_EQ(std::pair(result.status, result.err), std::pair(0, std::string()));
    const RunResult listing = RunCommand(
        temp_, "cd " + ShellQuoted(temp_folder_) + " && sha256sum * | tee ../listing | sha256sum");
    EXPECT_EQ(listing.out.substr(0, 64), c.digest) << ReadBytes(profile_ + "/listing");
  }
}

}  // namespace
}  // namespace lamivex
