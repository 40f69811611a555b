// lamivex-batch over the demo catalogue: every good stack gives what a single lamivex
// run of its job gives, every bad row a clear line, and the table does not depend on
// the number of threads.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RunLamivex.h"
#include "TempFolder.h"

namespace lamivex::batch {
namespace {

using lamivex::testing::ReadBytes;
using lamivex::testing::ShellQuoted;
using lamivex::testing::TempFolder;
using lamivex::testing::WriteBytes;

// Laminated and layer by layer, turned layers, named products, an unknown product
// (3999), three rows that cannot be understood and one padded with empty fields.
const char* const kStacks =
    "name,layers,emn1,emn2\r\n"
    "Clear 44.2,glass:1001 pvb:3002 glass:1001,,\r\n"
    "Clear 66.2,glass:1002 pvb:3002 glass:1002,,\r\n"
    "Measured 66.2,glass:1102 pvb:3002 glass:1102,,\r\n"
    "Low-e outside,glass:1103 pvb:3002 glass:1102,12,\r\n"
    "Low-e inside turned,glass:1102 pvb:3002 glass:1103~,,12\r\n"
    "Low-e both,glass:1103@12/84 pvb:3001 glass:1103~@84/16,,20\r\n"
    "Green 66.1,glass:1003 pvb:3001 glass:1002,,\r\n"
    "Bronze film laminate,glass:1104 pvb:3001 glass:1101,,\r\n"
    "Two panes bonded,glass:1101 glass:1102,,\r\n"
    "Five layers,glass:1001 pvb:3001 glass:1001 pvb:3001 glass:1001,,\r\n"
    "Film on glass,glass:1002 film:2001,,\r\n"
    "Film turned,film:2001~ glass:1002,,\r\n"
    "Loose sheet,glass:1001 4:3001 glass:1001,,\r\n"
    "Three panes,glass:1001 glass:1002~ glass:1003,,\r\n"
    "\"Hazy, filmed\",glass:1106 film:2001,,\r\n"
    "SGP laminate,glass:1105,,\r\n"
    "Single low-e turned,glass:1103~,,\r\n"
    "Named,[SAMPLE Clear 6 mm] [SAMPLE PVB 0.76 mm] [SAMPLE Clear 4 mm]~,,\r\n"
    "Unknown product,glass:1001 pvb:3999 glass:1001,,\r\n"
    "No id,glass:1001 pvb glass:1001,,\r\n"
    "Bad emissivity,glass:1001,eighty,\r\n"
    "Film stack,film:2001 film:2001~ glass:1101,,\r\n"
    "Padded by a spreadsheet,glass:1002 pvb:3001 glass:1003,,,,\r\n"
    "Two of that name,[Generic Clear Glass] pvb:3001 glass:1001,,\r\n";

constexpr int kStackCount = 24;

struct CommandResult {
  int status = -1;
  std::string out, err;
};

class Batch : public ::testing::Test {
 protected:
  Batch() {
    std::filesystem::create_directories(profile_ + "/Temp");
    WriteBytes(input_, kStacks);
  }

  CommandResult Run(const std::string& program, const std::string& arguments) const {
    const std::string command = "AppData=" + ShellQuoted(appData_) +
                                " LAMIVEX_PROGRAM_DIR=" + ShellQuoted(LAMIVEX_PROGRAM_DIR) + " " +
                                ShellQuoted(program) + " " + arguments + " >" +
                                ShellQuoted(temp_ / "out") + " 2>" + ShellQuoted(temp_ / "err");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(temp_ / "out"),
            ReadBytes(temp_ / "err")};
  }
  CommandResult Batch_(const std::string& arguments) const {
    return Run(LAMIVEX_BATCH_EXECUTABLE, arguments);
  }

  TempFolder temp_;
  std::string appData_ = temp_ / "appdata";
  std::string profile_ = appData_ + "/Solmerac/v5.2/Profile";
  std::string input_ = temp_ / "stacks.csv";
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The fields of an output row: quoted fields may hold commas and doubled quotes.
std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < row.size(); ++i) {
    if (row[i] == '"' && quoted && i + 1 < row.size() && row[i + 1] == '"') {
      fields.back() += row[++i];
    } else if (row[i] == '"') {
      quoted = !quoted;
    } else if (row[i] == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += row[i];
    }
  }
  return fields;
}

// The twelve numbers of a Lamivex.out line: Te Re1 Ab1 Emn1 Re2 Ab2 Emn2 Tl Rl1 Abl1 Rl2 Abl2.
std::vector<double> SummaryNumbers(const std::string& summary) {
  std::vector<std::string> fields = Fields(summary.substr(0, summary.find('\r')));
  std::vector<double> numbers;
  for (size_t i = 1; i < fields.size(); ++i) numbers.push_back(std::stod(fields[i]));
  return numbers;
}

// The folder --keep gave the n-th stack: its number on four digits, "_" and its name.
std::string KeptFolder(const std::string& kept, int n) {
  std::string prefix = std::to_string(n);
  prefix.insert(0, 4 - prefix.size(), '0');
  for (const auto& entry : std::filesystem::directory_iterator(kept)) {
    if (entry.path().filename().string().starts_with(prefix + "_")) return entry.path().string();
  }
  return kept + "/" + prefix + " not kept";
}

TEST_F(Batch, EveryGoodStackGivesTheValuesOfItsOwnLamivexRun) {
  const std::string kept = temp_ / "kept";
  const CommandResult batch =
      Batch_("-j 2 --keep " + ShellQuoted(kept) + " " + ShellQuoted(input_));
  EXPECT_EQ(batch.status, 1) << batch.err;
  const std::vector<std::string> rows = Lines(batch.out);
  ASSERT_EQ(rows.size(), kStackCount + 1u) << batch.out;
  EXPECT_EQ(rows[0], "name,layers,model,Te,Re1,Ae1,Re2,Ae2,Tl,Rl1,Al1,Rl2,Al2,status,message");

  // Summary columns of Te, Re1, Re2, Tl, Rl1, Rl2 and the batch's columns of the same.
  const std::vector<std::pair<int, int>> sameValue = {{0, 3}, {1, 4}, {4, 6},
                                                      {7, 8}, {8, 9}, {10, 11}};
  int calculated = 0;
  for (int n = 1; n <= kStackCount; ++n) {
    const std::vector<std::string> f = Fields(rows[n]);
    SCOPED_TRACE(rows[n]);
    ASSERT_EQ(f.size(), 15u);
    if (f[13] != "0") continue;
    ++calculated;
    // The same stack as a job of its own, run by lamivex in the user's profile.
    ASSERT_EQ(Batch_("--write-job " + ShellQuoted(f[0]) + " " + ShellQuoted(input_)).status, 0);
    const CommandResult single = Run(LAMIVEX_EXECUTABLE, "");
    ASSERT_EQ(single.status, 0) << single.err;
    const std::string folder = KeptFolder(kept, n);
    for (const char* file : {"Lamivex.out", "Final_Energy_Lamivex.out", "Energy_1.out"}) {
      EXPECT_EQ(ReadBytes(folder + "/Temp/" + file), ReadBytes(profile_ + "/Temp/" + file)) << file;
    }
    // Two decimals of the value the summary rounds to whole percent.
    const std::vector<double> whole = SummaryNumbers(ReadBytes(profile_ + "/Temp/Lamivex.out"));
    // Emn1 and Emn2 of the summary: 84 by default, else from @e1/e2, else from the columns.
    const std::map<int, std::pair<double, double>> kOuterFaces = {
        {1, {84, 84}}, {4, {12, 84}}, {5, {84, 12}}, {6, {12, 20}}};
    if (kOuterFaces.count(n)) {
      EXPECT_EQ(whole[3], kOuterFaces.at(n).first);
      EXPECT_EQ(whole[6], kOuterFaces.at(n).second);
    }
    for (const auto& [summary, column] : sameValue) {
      EXPECT_LE(std::abs(std::stod(f[column]) - whole[summary]), 0.505) << column;
      EXPECT_EQ(f[column].size() - f[column].find('.'), 3u);
    }
    EXPECT_NEAR(std::stod(f[3]) + std::stod(f[4]) + std::stod(f[5]), 100.0, 0.015);
  }
  EXPECT_EQ(calculated, kStackCount - 4);

  struct Expected {
    int row;
    const char* model;
    const char* status;
    const char* message;
  };
  const Expected kExpected[] = {
      {1, "laminated", "0", ""},
      {9, "laminated", "0", ""},
      {11, "layer by layer", "0", ""},
      {13, "layer by layer", "0", ""},
      {16, "one layer", "0", ""},
      {19, "laminated", "3", "SM5.2: Please, select the glass! Layer 2: product 3999 (kind 3"},
      {20, "", "4", "line 21: layer 2 \"pvb\": write kind:id (glass:1102) or [product name]"},
      {21, "", "4", "line 22: emn1 \"eighty\" is not a number from 0 to 100 (percent)"},
      {24, "", "4",
       "line 25: layer 1 \"[Generic Clear Glass]\": several products are named \"Generic Clear "
       "Glass\" (ids 1101, 1102)"},
  };
  for (const Expected& e : kExpected) {
    const std::vector<std::string> f = Fields(rows[e.row]);
    SCOPED_TRACE(rows[e.row]);
    EXPECT_EQ(f[2], e.model);
    EXPECT_EQ(f[13], e.status);
    EXPECT_EQ(f[14].substr(0, std::string(e.message).size()), e.message);
  }
  EXPECT_NE(batch.err.find(input_ + ":21: layer 2 \"pvb\""), std::string::npos) << batch.err;
  EXPECT_NE(batch.err.find("stack \"Unknown product\" (line 20) failed with status 3"),
            std::string::npos)
      << batch.err;
}

TEST_F(Batch, OneThreadAndTwoThreadsGiveTheSameBytes) {
  for (const char* format : {"", "--json "}) {
    SCOPED_TRACE(format);
    const CommandResult one = Batch_(std::string(format) + "-j 1 " + ShellQuoted(input_));
    const CommandResult two = Batch_(std::string(format) + "-j2 <" + ShellQuoted(input_));
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(one.out, two.out);
    EXPECT_GT(one.out.size(), 2000u);
  }
}

TEST_F(Batch, RefusedInputAndBadCommandLines) {
  WriteBytes(temp_ / "no_layers.csv", "name,products\r\nA,glass:1001\r\n");
  WriteBytes(temp_ / "empty.csv", "");
  WriteBytes(temp_ / "open_quote.csv", "name,layers\r\n\"A,glass:1001\r\n");
  struct Case {
    std::string arguments;
    int status;
    const char* message;
  };
  const Case kCases[] = {
      {ShellQuoted(temp_ / "no_layers.csv"), 2, "unknown column \"products\""},
      {ShellQuoted(temp_ / "empty.csv"), 2, "the input is empty"},
      {ShellQuoted(temp_ / "open_quote.csv"), 2, "line 2: a quoted field is not closed"},
      {ShellQuoted(temp_ / "missing.csv"), 2, "cannot be read"},
      {"--write-job 'No id' " + ShellQuoted(input_), 2, "no stack named \"No id\""},
      {"-j 0 " + ShellQuoted(input_), 64, "-j needs a whole number from 1 to 1024, not '0'"},
      {"--keep", 64, "option --keep needs a value"},
      {"--fast", 64, "unknown option '--fast'"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.arguments);
    const CommandResult result = Batch_(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace lamivex::batch
