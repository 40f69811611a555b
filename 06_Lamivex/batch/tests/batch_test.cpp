#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "RunLamivex.h"

namespace lamivex::batch {
namespace {

using namespace lamivex::testing;

std::string Glasses(int n) {
  return n == 0 ? "" : " glass:1001" + Glasses(n - 1);
}

const std::string kStacks =
    "name,layers,emn1,emn2\r\n"
    "Clear 44.2,glass:1001 pvb:3002 glass:1001,,\r\n"
    "Low-e both,glass:1103@12/84 pvb:3001 glass:1103~@84/16,,20\r\n"
    "Film turned,film:2001~ glass:1002,,\r\n"
    "Loose sheet,glass:1001 4:3001 glass:1001,12,\r\n"
    "\"Hazy, filmed\",glass:1106 film:2001,,\r\n"
    "Single low-e turned,glass:1103~,,\r\n"
    "Named,[SAMPLE Clear 6 mm]@12/84 [SAMPLE PVB 0.76 mm] [SAMPLE Clear 4 mm]~,,\r\n"
    "User glass,glass:1000001 pvb:3002 glass:1001,,\r\n"
    "Unknown product,glass:1001 pvb:3999 glass:1001,,\r\n"
    "No id,glass:1001 pvb glass:1001,,\r\n"
    "Bad emissivity,glass:1001,eighty,\r\n"
    "Padded by a spreadsheet,glass:1002 pvb:3001 glass:1003,,,,\r\n"
    "Two of that name,[Generic Clear Glass] pvb:3001 glass:1001,,\r\n"
    "Too many," +
    Glasses(102) + ",,\r\n" + "Hundred and one," + Glasses(101) + ",,\r\n";
constexpr int kStackCount = 15;

class Batch : public ::testing::Test, protected RunFolders {
 protected:
  Batch() {
    WriteBytes(input_, kStacks);
    TestDatabase(user_).AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
  }
  RunResult Run(const std::string& program, const std::string& arguments) const {
    return RunCommand(temp_, "AppData=" + ShellQuoted(appData_) +
                                 " LAMIVEX_PROGRAM_DIR=" + ShellQuoted(LAMIVEX_PROGRAM_DIR) + " " +
                                 ShellQuoted(program) + " " + arguments);
  }
  RunResult RunBatch(const std::string& arguments) const {
    return Run(LAMIVEX_BATCH_EXECUTABLE, arguments);
  }

  std::string input_ = temp_ / "stacks.csv";
};

std::vector<std::string> CsvFields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] == '"' && quoted && row[i + 1] == '"')
      fields.back() += row[i++];
    else if (row[i] == '"')
      quoted = !quoted;
    else if (row[i] == ',' && !quoted)
      fields.emplace_back();
    else
      fields.back() += row[i];
  }
  return fields;
}

TEST_F(Batch, EveryGoodStackGivesTheBytesOfItsOwnLamivexRun) {
  const std::string kept = temp_ / "kept";
  const RunResult batch = RunBatch("-j 2 --keep=" + ShellQuoted(kept) + " " + ShellQuoted(input_));
  EXPECT_EQ(batch.status, 1) << batch.err;
  std::vector<std::string> rows;
  std::istringstream lines(batch.out);
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), kStackCount + 1u) << batch.out;
  EXPECT_EQ(rows[0], "name,layers,model,Te,Re1,Ae1,Re2,Ae2,Tl,Rl1,Al1,Rl2,Al2,status,message");
  const std::map<int, std::pair<double, double>> outerFaces = {
      {1, {84, 84}}, {2, {12, 20}}, {4, {12, 84}}, {7, {12, 84}}};
  int calculated = 0;
  for (int n = 1; n <= kStackCount; ++n) {
    const std::vector<std::string> f = CsvFields(rows[n]);
    SCOPED_TRACE(rows[n]);
    ASSERT_EQ(f.size(), 15u);
    if (f[13] != "0") continue;
    ++calculated;
    ASSERT_EQ(RunBatch("--write-job " + ShellQuoted(f[0]) + " " + ShellQuoted(input_)).status, 0);
    ASSERT_EQ(Run(LAMIVEX_EXECUTABLE, "").status, 0);
    std::string folder = std::to_string(n);
    folder = kept + "/" + std::string(4 - folder.size(), '0') + folder + "_";
    for (const auto& entry : std::filesystem::directory_iterator(kept)) {
      if (entry.path().string().starts_with(folder)) folder = entry.path().string();
    }
    for (const char* file : {"Lamivex.out", "Final_Energy_Lamivex.out", "Energy_1.out"}) {
      EXPECT_EQ(ReadBytes(folder + "/Temp/" + file), ReadBytes(profile_ + "/Temp/" + file)) << file;
    }
    const std::vector<double> whole = SummaryNumbers(ReadBytes(profile_ + "/Temp/Lamivex.out"));
    ASSERT_EQ(whole.size(), 12u);
    if (outerFaces.count(n)) {
      EXPECT_EQ(std::pair(whole[3], whole[6]), outerFaces.at(n));
    }
    for (const auto& [inSummary, column] :
         std::vector<std::pair<int, int>>{{0, 3}, {1, 4}, {4, 6}, {7, 8}, {8, 9}, {10, 11}}) {
      EXPECT_LE(std::abs(std::stod(f[column]) - whole[inSummary]), 0.505) << column;
      EXPECT_EQ(f[column].size() - f[column].find('.'), 3u);
    }
  }
  EXPECT_EQ(calculated, kStackCount - 5);
  const struct {
    int row;
    const char *model, *status, *message;
  } expected[] = {
      // clang-format off
      {1, "laminated", "0", ""}, {3, "layer by layer", "0", ""}, {4, "layer by layer", "0", ""},
      {6, "one layer", "0", ""}, {12, "laminated", "0", ""},
      {9, "laminated", "3", "SM5.2: Please, select the glass! Layer 2: product 3999 (kind 3"},
      {10, "", "4", "line 11: layer 2 \"pvb\": write kind:id (glass:1102) or [product name]"},
      {11, "", "4", "line 12: emn1 \"eighty\" is not a number from 0 to 100 (percent)"},
      {13, "", "4", "line 14: layer 1 \"[Generic Clear Glass]\": several products are named \"Generic Clear Glass\" (ids 1101, 1102)"},
      {14, "", "4", "line 15: 102 layers; at most 101"},
      // clang-format on
  };
  for (const auto& e : expected) {
    const std::vector<std::string> f = CsvFields(rows[e.row]);
    SCOPED_TRACE(rows[e.row]);
    EXPECT_EQ(f[2], e.model);
    EXPECT_EQ(f[13], e.status);
    EXPECT_EQ(f[14].substr(0, std::string(e.message).size()), e.message);
  }
}

TEST_F(Batch, OneThreadAndTwoThreadsGiveTheSameBytes) {
  for (const char* format : {"", "--json "}) {
    SCOPED_TRACE(format);
    const RunResult one = RunBatch(std::string(format) + "-j 1 " + ShellQuoted(input_));
    const RunResult two = RunBatch(std::string(format) + "-j2 <" + ShellQuoted(input_));
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(one.out, two.out);
    EXPECT_GT(one.out.size(), 1500u);
  }
}

TEST_F(Batch, RefusedInputAndBadCommandLines) {
  WriteBytes(temp_ / "no_layers.csv", "name,products\r\nA,glass:1001\r\n");
  WriteBytes(temp_ / "empty.csv", "");
  WriteBytes(temp_ / "open_quote.csv", "name,layers\r\n\"A,glass:1001\r\n");
  const struct {
    std::string arguments;
    int status;
    const char* message;
  } cases[] = {
      // clang-format off
      {ShellQuoted(temp_ / "no_layers.csv"), 2, "unknown column \"products\""}, {ShellQuoted(temp_ / "empty.csv"), 2, "the input is empty"},
      {ShellQuoted(temp_ / "open_quote.csv"), 2, "line 2: a quoted field is not closed"}, {ShellQuoted(temp_ / "missing.csv"), 2, "cannot be read"},
      {"--write-job 'No id' " + ShellQuoted(input_), 2, "no stack named \"No id\""},
      {"-j 0 " + ShellQuoted(input_), 64, "-j needs a whole number from 1 to 1024, not '0'"},
      {"--keep", 64, "option --keep needs a value"}, {"--fast", 64, "unknown option '--fast'"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const RunResult result = RunBatch(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace lamivex::batch
