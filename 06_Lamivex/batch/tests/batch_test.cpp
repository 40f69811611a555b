#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "DeclaredValues.h"
#include "Main_modul6.h"
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
    "User glass turned,glass:1000001~,,\r\n"
    "Unknown user product,glass:1000009,,\r\n"
    "Unknown product,glass:1001 pvb:3999 glass:1001,,\r\n"
    "No id,glass:1001 pvb glass:1001,,\r\n"
    "Bad emissivity,glass:1001,eighty,\r\n"
    "Padded by a spreadsheet,glass:1002 pvb:3001 glass:1003,,,,\r\n"
    "Two of that name,[Generic Clear Glass] pvb:3001 glass:1001,,\r\n"
    "Too many," +
    Glasses(102) + ",,\r\n" + "Hundred and one," + Glasses(101) + ",,\r\n" +
    "User double,glass:1000001@89/89 gap:16 glass:1000001@89/89,,\r\n"
    "Triple argon,glass:1001 gap:12:argon:90 glass:1103~ gap:12:argon glass:1001,,\r\n"
    "Gap at the end,glass:1001 gap:16,,\r\n";
constexpr int kStackCount = 20;

class Batch : public ::testing::Test, protected RunFolders {
 protected:
  Batch() {
    WriteBytes(input_, kStacks);
    TestDatabase user(user_);
    user.AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
    user.Exec(
        "update glass set name = 'Clair\u2122 \u00e9' where id = 1000001;"
        "create table product_emissivity (family text, id integer, front real, back real);"
        "insert into product_emissivity values ('glass', 1000001, 0.2, null)");
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
  const RunResult batch =
      RunBatch("-j 2 --language de --keep=" + ShellQuoted(kept) + " " + ShellQuoted(input_));
  EXPECT_EQ(batch.status, 1) << batch.err;
  std::vector<std::string> rows;
  std::istringstream lines(batch.out);
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), kStackCount + 1u) << batch.out;
  EXPECT_EQ(
      rows[0],
      "name,layers,model,Te,Re1,Ae1,Re2,Ae2,Tl,Rl1,Al1,Rl2,Al2,g,SC,S,Tuv,Ra,T_L,T_a,T_b,R1_L,"
      "R1_a,R1_b,R2_L,R2_a,R2_b,U,status,message");
  // The outer faces' normal emissivities in percent, or below 1 the hemispherical value
  // they stand for (EN 12898's polynomial): the sample clear glass's 0.837, the user
  // glass's 0.2 on its face 1 (turned with its layer), 89 for a face without data.
  const std::map<int, std::pair<double, double>> outerFaces = {
      {1, {0.837, 0.837}}, {2, {12, 20}},     {4, {12, 0.837}},
      {7, {12, 0.837}},    {8, {0.2, 0.837}}, {9, {89, 0.2}}};
  const auto checkFace = [](const std::string& field, double expected) {
    const double e = std::stod(field) / 100;
    const double corrected = 1.1887 * e - 0.4967 * e * e + 0.2452 * e * e * e;
    EXPECT_NEAR(expected >= 1 ? e * 100 : corrected, expected, 6e-5);
  };
  int calculated = 0;
  for (int n = 1; n <= kStackCount; ++n) {
    const std::vector<std::string> f = CsvFields(rows[n]);
    SCOPED_TRACE(rows[n]);
    ASSERT_EQ(f.size(), 30u);
    if (f[28] != "0" || f[2].starts_with("unit")) continue;
    ++calculated;
    ASSERT_EQ(RunBatch("--language=de --write-job " + ShellQuoted(f[0]) + " " + ShellQuoted(input_))
                  .status,
              0);
    ASSERT_EQ(Run(LAMIVEX_EXECUTABLE, "").status, 0);
    std::string folder = std::to_string(n);
    folder = kept + "/" + std::string(4 - folder.size(), '0') + folder + "_";
    for (const auto& entry : std::filesystem::directory_iterator(kept)) {
      if (entry.path().string().starts_with(folder)) folder = entry.path().string();
    }
    for (const char* file : {"Lamivex.out", "Final_Energy_Lamivex.out", "Energy_1.out",
                             "Lamivex_EN410.out", "input_Lamivex.in"}) {
      const std::string bytes = ReadBytes(folder + "/Temp/" + file);
      // The jobs differ in their launch time only.
      EXPECT_EQ(bytes.substr(0, bytes.find("\"Date")),
                ReadBytes(profile_ + "/Temp/" + file).substr(0, bytes.find("\"Date")))
          << file;
    }
    const KeyedFile job = ReadKeyedFile(profile_ + "/Temp/input_Lamivex.in");
    EXPECT_EQ(ReadKeyText(job, "Langue"), KeyValue("\"Allemand\""));
    if (outerFaces.count(n)) {
      const std::vector<std::string> faces =
          CsvFields(job.lines[2] + "," + job.lines[ReadNumberGlass(job) + 1]);
      checkFace(faces[2], outerFaces.at(n).first);
      checkFace(faces[7], outerFaces.at(n).second);
    }
    const std::vector<double> whole = SummaryNumbers(ReadBytes(profile_ + "/Temp/Lamivex.out"));
    ASSERT_EQ(whole.size(), 12u);
    const auto declared = ReadDeclaredValues(profile_ + "/Temp/Lamivex_EN410.out");
    for (size_t v = 0; v < kDeclaredCount; ++v) {
      EXPECT_NEAR(std::stod(f[13 + v]), declared[v], v == 1 || v == 2 ? 5e-4 : 5e-3) << v;
    }
    for (const auto& [inSummary, column] :
         std::vector<std::pair<int, int>>{{0, 3}, {1, 4}, {4, 6}, {7, 8}, {8, 9}, {10, 11}}) {
      EXPECT_LE(std::abs(std::stod(f[column]) - whole[inSummary]), 0.505) << column;
      EXPECT_EQ(f[column].size() - f[column].find('.'), 3u);
    }
  }
  EXPECT_EQ(calculated, kStackCount - 9);
  const struct {
    int row;
    std::string model, status, message;
  } expected[] = {
      // clang-format off
      {1, "laminated", "0", ""}, {3, "layer by layer", "0", ""}, {4, "layer by layer", "0", ""},
      {6, "one layer", "0", ""}, {14, "laminated", "0", ""},
      {10, "one layer", "3", "SM5.2: Please, select the glass! Layer 1: product 1000009 (kind 1, glass) has no spectrum in the table spectral_energy of the user database " + user_ + "; lamivex-db list '" + user_ + "' shows its products."},
      {11, "laminated", "3", "SM5.2: Please, select the glass! Layer 2: product 3999 (kind 3"},
      {12, "", "4", "line 13: layer 2 \"pvb\": write kind:id (glass:1102) or [product name]"},
      {13, "", "4", "line 14: emn1 \"eighty\" is not a number from 0 to 100 (percent)"},
      {15, "", "4", "line 16: layer 1 \"[Generic Clear Glass]\": several products are named \"Generic Clear Glass\" (ids 1101, 1102)"},
      {16, "", "4", "line 17: 102 layers; at most 101"},
      {19, "unit of 3 panes", "0", ""},
      {18, "unit of 2 panes", "0", "thicknesses assumed: pane 1 layer 1 \"glass:1000001@89/89\" 4 mm, pane 2 layer 1 \"glass:1000001@89/89\" 4 mm"},
      {20, "", "4", "line 21: layer 2 \"gap:16\": a gap at either end of the layers"},
      // clang-format on
  };
  for (const auto& e : expected) {
    const std::vector<std::string> f = CsvFields(rows[e.row]);
    SCOPED_TRACE(rows[e.row]);
    EXPECT_EQ(f[2], e.model);
    EXPECT_EQ(f[28], e.status);
    EXPECT_EQ(f[29].substr(0, e.message.size()), e.message);
    EXPECT_EQ(f[27].empty(), !f[2].starts_with("unit")) << "U";
  }
  // Two flat panes of T 70 %, R 9 %: T = 0.7² / (1 - 0.09²), R1 = 0.09 + 0.7² 0.09 / (1 - 0.09²);
  // 4 / 16 air / 4 uncoated.
  const std::vector<std::string> unit = CsvFields(rows[18]);
  EXPECT_EQ(unit[3] + " " + unit[4] + " " + unit[8], "49.40 13.45 49.40");
  EXPECT_NEAR(std::stod(unit[27]), 2.7, 0.05);
}

TEST_F(Batch, OneThreadAndTwoThreadsGiveTheSameBytes) {
  for (const char* format : {"", "--json "}) {
    SCOPED_TRACE(format);
    const RunResult one = RunBatch(std::string(format) + "-j 1 " + ShellQuoted(input_));
    const RunResult two = RunBatch(std::string(format) + "-j2 <" + ShellQuoted(input_));
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(two.status, 1);
    EXPECT_EQ(one.out, two.out);
    // Calculated in memory, or by the run in a kept profile folder: the same bytes.
    EXPECT_EQ(RunBatch(format + std::string("--keep ") + ShellQuoted(temp_ / "kept") + " " +
                       ShellQuoted(input_))
                  .out,
              one.out);
    EXPECT_GT(one.out.size(), 1500u);
    EXPECT_EQ(one.out.find("\"panes\": [{\"model\": \"one layer\"") == std::string::npos, !*format);
  }
}

// In the batch's language, a unit's report shows its gaps, its row's g ... Ra and U, and its
// clear outer panes with the values the same glass has as a row of its own; the panes keep
// their own reports.
TEST_F(Batch, ReportsOfPanesAndUnits) {
  WriteBytes(temp_ / "units.csv",
             "name,layers\r\nPane,glass:1001\r\n"
             "Triple,glass:1001 gap:12:argon:90 glass:1103~ gap:10:krypton glass:1001\r\n");
  const RunResult batch = RunBatch("--language de --reports " + ShellQuoted(temp_ / "r") + " " +
                                   ShellQuoted(temp_ / "units.csv"));
  ASSERT_EQ(batch.status, 0) << batch.err;
  std::istringstream rows(batch.out);
  std::vector<std::string> values[3];
  for (auto& row : values) {
    std::string line;
    std::getline(rows, line);
    row = CsvFields(line);
    row.resize(28);
  }
  const auto text = [this](const std::string& name) {
    return std::regex_replace(RunCommand(temp_, "pdftotext -layout -enc UTF-8 " +
                                                    ShellQuoted(temp_ / ("r/" + name)) + " -")
                                  .out,
                              std::regex("\\s+"), " ");
  };
  const auto declared = [&values](size_t row) {
    return values[row][13] + " " + values[row][14] + " " + values[row][15] + " " + values[row][16] +
           " " + values[row][17] + " " + values[row][27];
  };
  const std::string unit = text("0002_Triple.pdf");
  for (const std::string& part : std::vector<std::string>{
           "Optische und thermische Kennwerte einer Isolierverglasung",
           "Scheibenzwischenraum 1 Argon 90 %, Luft 10 % 12",
           "Scheibenzwischenraum 2 Krypton 100 % 10", "Isolierverglasung " + declared(2),
           "Scheibe 1 " + declared(1), "Scheibe 3 " + declared(1)}) {
    EXPECT_NE(unit.find(part), std::string::npos) << "missing: \"" << part << "\" in " << unit;
  }
  EXPECT_NE(text("0001_Pane.pdf").find("Optische Kennwerte eines Verglasungsaufbaus"),
            std::string::npos);
  EXPECT_NE(text("0002_Triple_pane2.pdf").find("Energy Advantage"), std::string::npos);
}

TEST_F(Batch, CombinationsAreRowsOfTheirOwnFilteredAndLimitedInInputOrder) {
  const std::string search = temp_ / "search.csv";
  WriteBytes(search,
             "name,layers\nL,glass:1001|glass:1103~|glass:1999 pvb:3001 | pvb:3002 glass:1001\n"
             "One,glass:1002\n");
  const RunResult one = RunBatch("-j 1 --combine " + ShellQuoted(search));
  EXPECT_EQ(one.status, 1);  // glass:1999 has no spectrum
  EXPECT_EQ(RunBatch("-j 2 --combine=" + ShellQuoted(search)).out, one.out);
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(one.out);
  for (std::string line; std::getline(lines, line);) rows.push_back(CsvFields(line));
  ASSERT_EQ(rows.size(), 8u) << one.out;
  EXPECT_EQ(rows[3][0] + "," + rows[3][1], "L 3,glass:1103~ pvb:3001 glass:1001");
  EXPECT_EQ(rows[7][0] + "," + rows[6][28], "One,3");
  // A combination is the row its layers make.
  WriteBytes(input_, "name,layers\nL 3,glass:1103~ pvb:3001 glass:1001\n");
  const std::string alone = RunBatch(ShellQuoted(input_)).out;
  EXPECT_EQ(CsvFields(alone.substr(alone.find('\n') + 1, alone.size() - alone.find('\n') - 2)),
            rows[3]);
  // L 2 and L 3 (Tl 82.56 as printed) meet the conditions; the first of them is printed.
  const RunResult kept =
      RunBatch("--combine " + ShellQuoted(search) + " --where 'Tl>=82.56, Te<79' --limit 1");
  EXPECT_EQ(kept.out,
            one.out.substr(0, one.out.find("L 1,")) +
                one.out.substr(one.out.find("L 2,"), one.out.find("L 3,") - one.out.find("L 2,")));
  EXPECT_EQ(kept.status, 0);
  std::string many = "name,layers\nX,";
  for (int p = 0; p < 8; ++p)
    many += "glass:1|glass:2|glass:3|glass:4|glass:5|glass:6|glass:7|glass:8 ";
  WriteBytes(input_, many);
  const RunResult refused = RunBatch("--combine " + ShellQuoted(input_));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("16777216 combinations; a batch calculates at most 10000000"),
            std::string::npos);
  EXPECT_EQ(RunBatch("--where 'Tvis>70' " + ShellQuoted(search)).status, 64);
}

TEST_F(Batch, RefusedInputBadCommandLinesAndEncodings) {
  WriteBytes(temp_ / "no_layers.csv", "name,products\r\nA,glass:1001\r\n");
  WriteBytes(temp_ / "semicolons.csv", "name;layers;emn1;emn2\r\nA;glass:1001;;\r\n");
  WriteBytes(temp_ / "empty.csv", "");
  WriteBytes(temp_ / "open_quote.csv", "name,layers\r\n\"A,glass:1001\r\n");
  WriteBytes(temp_ / "cp1252.csv", "name,layers\r\nCaf\xE9,[Clair\x99 \xE9]\r\n");
  const struct {
    std::string arguments;
    int status;
    std::string message;  // in standard error, or standard output
  } cases[] = {
      // clang-format off
      {ShellQuoted(temp_ / "no_layers.csv"), 2, "unknown column \"products\" in the header (known: name, layers, emn1, emn2)\n"}, {ShellQuoted(temp_ / "empty.csv"), 2, "the input is empty"},
      {ShellQuoted(temp_ / "semicolons.csv"), 2, "unknown column \"name;layers;emn1;emn2\" in the header (known: name, layers, emn1, emn2); columns are separated by commas, not semicolons\n"},
      {ShellQuoted(temp_ / "open_quote.csv"), 2, "line 2: a quoted field is not closed"}, {ShellQuoted(temp_ / "missing.csv"), 2, "cannot be read"},
      {"--write-job 'No id' " + ShellQuoted(input_), 2, "no stack named \"No id\""},
      {"--write-job 'User double' " + ShellQuoted(input_), 2, "is a glazing unit of 2 panes"},
      {"-j 0 " + ShellQuoted(input_), 64, "-j needs a whole number from 1 to 1024, not '0'"},
      {"--keep", 64, "option --keep needs a value"}, {"--fast", 64, "unknown option '--fast'"},
      {"--keep " + ShellQuoted(input_) + " " + ShellQuoted(input_), 64, "lamivex-batch: --keep DIR: '" + input_ + "' is not a folder that can be made (it is a file); give the folder after the option, then the input FILE\nTry"},
      {"--language Klingon -", 64, "--language must be Français, Anglais, Allemand or Espagnol (or French, English, German, Spanish, fr, en, de, es), not 'Klingon'"},
      {"--json " + ShellQuoted(temp_ / "cp1252.csv"), 0, "{\"name\": \"Café\", \"layers\": \"[Clair™ é]\", \"model\": \"one layer\", \"Te\": 70.00,"},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const RunResult result = RunBatch(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE((result.err + result.out).find(c.message), std::string::npos) << result.err;
  }
}

// The run's declared values as it writes them (Windows-1252, CR LF), read back by key.
TEST(DeclaredValues, ReadByKeyWhateverTheOrderAndRefusedWhenMissing) {
  TempFolder temp;
  std::string bytes = "\"T_\xE9\", 1\r\n";  // a key of another name does not disturb
  for (size_t v = kDeclaredCount; v-- > 0;) {
    bytes += "\"" + std::string(kDeclaredKeys[v]) + "\", " + std::to_string(v) + ".5\r\n";
  }
  WriteBytes(temp / "Lamivex_EN410.out", bytes + "\"qi\", 7.25\r\n");
  const auto values = ReadDeclaredValues(temp / "Lamivex_EN410.out");
  for (size_t v = 0; v < kDeclaredCount; ++v) EXPECT_EQ(values[v], v + 0.5) << kDeclaredKeys[v];
  WriteBytes(temp / "no_S.out", "\"SC\", 0.7\r\n\"g\", 61\r\n");
  EXPECT_EQ(ErrorOf([&] { ReadDeclaredValues(temp / "no_S.out"); }),
            "1 Error: the value \"S\" of " + temp / "no_S.out" + " is missing or not a number!");
  EXPECT_EQ(ErrorOf([&] { ReadDeclaredValues(temp / "none.out"); }),
            "1 Error: the run's file " + temp / "none.out" + " is missing!");
}

}  // namespace
}  // namespace lamivex::batch
