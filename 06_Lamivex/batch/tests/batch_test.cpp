#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>
#include <sstream>

#include "DeclaredValues.h"
#include "Main_modul6.h"
#include "Progress.h"
#include "ReportData.h"
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
    "Film turned,film:2001~@30/16 glass:1002,,\r\n"
    "Loose sheet,glass:1001 4:3001 glass:1001,12,\r\n"
    "\"Hazy, filmed\",glass:1106 film:2001,,\r\n"
    "Single low-e turned,glass:1103~,,\r\n"
    "Named,[SAMPLE Clear 6 mm]@12/84 pvb:[SAMPLE PVB 0.76 mm] [SAMPLE Clear 4 mm]~,,\r\n"
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
    "User double,glass:1000001#6@89/89 gap:16 glass:1000001@89/89,,\r\n"
    "Triple argon,glass:1001 gap:12:argon:90 glass:1103~ gap:12:argon glass:1001,,\r\n"
    "Gap at the end,glass:1001 gap:16,,\r\n"
    "Unclosed name,glass:1001 [SAMPLE Clear 4 mm,,\r\n"
    "Argon share,glass:1001 gap:16:argon:150 glass:1001\r\n"
    "Hot face,glass:1001@150/20\r\n"
    "Thick user glass,glass:1000002#5 gap:16 glass:1001\r\n"
    "Turned eleventh," +
    Glasses(10) + " glass:1001~\r\n";
constexpr int kStackCount = 25;

class Batch : public ::testing::Test, protected RunFolders {
 protected:
  Batch() {
    WriteBytes(input_, kStacks);
    TestDatabase user(user_);
    user.AddProduct("glass", 1000001, TestDatabase::Flat(300, 2500, 70, 9, 9));
    user.Exec(
        "update glass set name = 'Clair\u2122 \u00e9' where id = 1000001;"
        "alter table glass add thickness real;"
        "insert into glass values (1000002, 'Thick user glass', 6);"
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
  // Every face's normal emissivity in the job, in percent, or below 1 the hemispherical
  // value it stands for (EN 12898's polynomial): the row's @e1/e2 and emn1/emn2, else the
  // product's (the sample clear glass's 0.837, the user glass's 0.2 on its face 1, turned
  // with its layer), else 89.
  const std::map<int, std::vector<double>> faces = {{1, {0.837, 0.837, 89, 89, 0.837, 0.837}},
                                                    {2, {12, 84, 89, 89, 84, 20}},
                                                    {3, {30, 16, 0.837, 0.837}},
                                                    {4, {12, 0.837, 89, 89, 0.837, 0.837}},
                                                    {7, {12, 84, 89, 89, 0.837, 0.837}},
                                                    {8, {0.2, 89, 89, 89, 0.837, 0.837}},
                                                    {9, {89, 0.2}}};
  const auto corrected = [](double e) { return 1.1887 * e - 0.4967 * e * e + 0.2452 * e * e * e; };
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
    if (n == 8) {  // the user glass's name, in Windows-1252 as every job file
      EXPECT_NE(ReadBytes(profile_ + "/Temp/input_Lamivex.in").find("\"Clair\x99 \xE9\""),
                std::string::npos);
    }
    EXPECT_EQ(ReadKeyText(job, "Langue"), KeyValue("\"Allemand\""));
    for (const auto& [key, name] :  // each layer's product name, as the row names them
         {std::pair("glass1", "SAMPLE Clear 6 mm"),
          {"glass2", "SAMPLE PVB 0.76 mm"},
          {"glass3", "SAMPLE Clear 4 mm"}}) {
      EXPECT_TRUE(n != 7 || ReadKeyText(job, key) == KeyValue("\"" + std::string(name) + "\""));
    }
    std::vector<double> emn;
    for (int k = 1; k <= ReadNumberGlass(job); ++k) {
      const std::vector<std::string> layer = CsvFields(job.lines[k + 1]);
      emn.insert(emn.end(), {std::stod(layer[2]) / 100, std::stod(layer[3]) / 100});
    }
    for (size_t i = 0; faces.count(n) && i < emn.size(); ++i) {
      const double expected = faces.at(n).at(i);
      EXPECT_NEAR(expected >= 1 ? emn[i] * 100 : corrected(emn[i]), expected, 6e-5) << i;
    }
    // g = Te + qi, the heat that face 2 gives the room of what the stack absorbs.
    const double hi = 3.6 + 4.4 * corrected(emn.back()) / 0.837;
    EXPECT_NEAR(std::stod(f[13]) - std::stod(f[3]), std::stod(f[5]) * hi / (hi + 23), 0.015);
    const std::vector<double> whole = SummaryNumbers(ReadBytes(profile_ + "/Temp/Lamivex.out"));
    ASSERT_EQ(whole.size(), 12u);
    const report::DeclaredValues d =
        report::ReadDeclaredValues(profile_ + "/Temp/Lamivex_EN410.out");
    const double declared[kDeclaredCount] = {d.g,
                                             d.SC,
                                             d.S,
                                             d.Tuv,
                                             d.Ra,
                                             d.transmitted.L,
                                             d.transmitted.a,
                                             d.transmitted.b,
                                             d.reflected1.L,
                                             d.reflected1.a,
                                             d.reflected1.b,
                                             d.reflected2.L,
                                             d.reflected2.a,
                                             d.reflected2.b};
    const KeyedFile en410 = ReadKeyedFile(profile_ + "/Temp/Lamivex_EN410.out");
    EXPECT_NEAR(std::stod(f[3]) + std::get<double>(ReadKeyNumber(en410, "qi")), declared[0], 6e-3);
    for (size_t v = 0; v < kDeclaredCount; ++v) {
      EXPECT_NEAR(std::stod(f[13 + v]), declared[v], v == 1 || v == 2 ? 5e-4 : 5e-3) << v;
    }
    for (const auto& [inSummary, column] :
         std::vector<std::pair<int, int>>{{0, 3}, {1, 4}, {4, 6}, {7, 8}, {8, 9}, {10, 11}}) {
      EXPECT_LE(std::abs(std::stod(f[column]) - whole[inSummary]), 0.505) << column;
      EXPECT_EQ(f[column].size() - f[column].find('.'), 3u);
    }
  }
  EXPECT_EQ(calculated, kStackCount - 14);
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
      {18, "unit of 2 panes", "0", "thicknesses assumed: pane 2 layer 1 \"glass:1000001@89/89\" 4 mm"},
      {20, "", "4", "line 21: layer 2 \"gap:16\": a gap at either end of the layers"},
      {21, "", "4", "line 22: layer 2 \"[SAMPLE Clear 4 mm\": write kind:id (glass:1102) or [product name]"},
      {22, "", "4", "line 23: layer 2 \"gap:16:argon:150\": \"150\" is not a gas share from 0 to 100 (percent)"},
      {23, "", "4", "line 24: layer 1 \"glass:1001@150/20\": the emissivities \"150/20\" are not e1/e2, two numbers from 0 to 100 (percent)"},
      {24, "", "4", "line 25: pane 1 layer 1 \"glass:1000002#5\": the database gives product 1000002 a thickness of 6.00 mm, not the row's 5.00 mm"},
      {25, "", "4", "line 26: layer 11 is turned; only layers 1 to 10 can be turned"},
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
  // 6 / 16 air / 4 uncoated.
  const std::vector<std::string> unit = CsvFields(rows[18]);
  EXPECT_EQ(unit[3] + " " + unit[4] + " " + unit[8], "49.40 13.45 49.40");
  EXPECT_NEAR(std::stod(unit[27]), 2.7, 0.05);
}

// The values of a JSON object and of its panes in order ("null" kept as it stands).
std::vector<std::map<std::string, std::string>> JsonValues(const std::string& object) {
  std::vector<std::map<std::string, std::string>> values;
  const std::regex number("\"(\\w+)\": (-?[0-9.]+|null)");
  for (std::sregex_iterator m(object.begin(), object.end(), number), end; m != end; ++m) {
    if ((*m)[1] == "Te") values.emplace_back();
    if (!values.empty() && (*m)[1] != "status") values.back()[(*m)[1]] = (*m)[2];
  }
  return values;
}

// What holds for the values of any stack, unit or pane whatever its products: each face
// gives back all it gets (T + R + A = 100), SC and S follow from g and Tl, each colour's
// lightness is CIE's L* of its luminous value, and D65 itself renders colours best.
void CheckValuesAgree(const std::map<std::string, std::string>& text) {
  const auto v = [&text](const std::string& name) { return std::stod(text.at(name)); };
  for (const std::string range : {"e", "l"}) {
    for (const std::string face : {"1", "2"}) {
      EXPECT_NEAR(v("T" + range) + v("R" + range + face) + v("A" + range + face), 100, 0.0151)
          << range << face;
    }
  }
  EXPECT_NEAR(v("SC"), v("g") / 87, 6e-4);
  EXPECT_NEAR(v("S"), v("Tl") / v("g"), 8e-4);
  for (const auto& [lightness, luminous] :
       {std::pair("T_L", "Tl"), {"R1_L", "Rl1"}, {"R2_L", "Rl2"}}) {
    const double L = v(lightness);
    EXPECT_NEAR(100 * (L > 8 ? std::pow((L + 16) / 116, 3) : L * 27 / 24389), v(luminous), 0.02)
        << lightness;
  }
  EXPECT_LE(v("Ra"), 100);
}

// CSV and JSON with one or two threads: the same rows, the same values.
TEST_F(Batch, EveryFormAndThreadCountHoldsTheSameValuesWhichAgreeWithEachOther) {
  const RunResult csv = RunBatch("-j 1 " + ShellQuoted(input_));
  const RunResult json = RunBatch("--json -j 2 " + ShellQuoted(input_));
  EXPECT_EQ(std::pair(csv.status, json.status), std::pair(1, 1));
  EXPECT_EQ(RunBatch("-j2 <" + ShellQuoted(input_)).out, csv.out);
  EXPECT_EQ(RunBatch("--json -j1 <" + ShellQuoted(input_)).out, json.out);
  // Calculated in memory, or by the run in a kept profile folder: the same bytes.
  const std::string keep = "--keep " + ShellQuoted(temp_ / "kept") + " ";
  EXPECT_EQ(RunBatch(keep + ShellQuoted(input_)).out, csv.out);
  EXPECT_EQ(RunBatch("--json " + keep + ShellQuoted(input_)).out, json.out);
  std::vector<std::string> rows, objects;
  std::istringstream csvLines(csv.out), jsonLines(json.out);
  for (std::string line; std::getline(csvLines, line);) rows.push_back(line);
  for (std::string line; std::getline(jsonLines, line);)
    if (line.starts_with(" {")) objects.push_back(line);
  ASSERT_EQ(rows.size(), kStackCount + 1u);
  ASSERT_EQ(objects.size(), rows.size() - 1);
  const std::vector<std::string> header = CsvFields(rows[0]);
  for (size_t n = 1; n < rows.size(); ++n) {
    SCOPED_TRACE(rows[n]);
    const std::vector<std::string> f = CsvFields(rows[n]);
    const auto values = JsonValues(objects[n - 1]);
    ASSERT_FALSE(values.empty());
    std::map<std::string, std::string> row;
    for (size_t c = 3; c <= 27; ++c) {
      row[header[c]] = f[c];
      EXPECT_EQ(values[0].at(header[c]), f[c].empty() ? "null" : f[c]) << header[c];
    }
    EXPECT_NE(objects[n - 1].find("\"status\": " + f[28] + ", \"message\": "), std::string::npos);
    const size_t panes = f[2].starts_with("unit of ") ? std::stoul(f[2].substr(8)) : 0;
    EXPECT_EQ(values.size(), 1 + panes);
    if (f[28] == "0") CheckValuesAgree(row);
    for (size_t p = 1; p < values.size(); ++p) CheckValuesAgree(values[p]);
  }
  // "User double": two panes of T 70 %, R 9 %.
  const auto unit = JsonValues(objects[17]);
  for (const auto& [name, value] : {std::pair("Te", "70.00"),
                                    {"Tl", "70.00"},
                                    {"Re1", "9.00"},
                                    {"Rl2", "9.00"},
                                    {"Ae2", "21.00"},
                                    {"Al1", "21.00"}}) {
    EXPECT_EQ(unit.at(1).at(name) + " " + unit.at(2).at(name), value + (" " + std::string(value)));
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
  // The unit's solar and light rows: the row's Te … Al2, to the one decimal printed.
  std::smatch row;
  std::string rest = unit;
  const std::regex numbers("Isolierverglasung ([0-9.]+) ([0-9.]+) ([0-9.]+) ([0-9.]+) ([0-9.]+)");
  for (int first : {3, 8}) {
    ASSERT_TRUE(std::regex_search(rest, row, numbers)) << unit;
    for (int v = 0; v < 5; ++v)
      EXPECT_NEAR(std::stod(row[v + 1]), std::stod(values[2][first + v]), 0.051) << first + v;
    rest = row.suffix();
  }
  // --where compares U as printed, two decimals.
  EXPECT_NE(RunBatch("--where 'U=" + values[2][27] + "' " + ShellQuoted(temp_ / "units.csv"))
                .out.find("Triple,"),
            std::string::npos);
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
  WriteBytes(temp_ / "name_twice.csv", "name,layers,name\r\nA,glass:1001,B\r\n");
  WriteBytes(temp_ / "hot_column.csv", "name,layers,emn1\r\nA,glass:1001,150\r\n");
  WriteBytes(temp_ / "neon.csv", "name,layers\r\nA,glass:1001 gap:16:neon glass:1001\r\n");
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
      {ShellQuoted(temp_ / "name_twice.csv"), 2, "line 1: column \"name\" given twice in the header"},
      {ShellQuoted(temp_ / "hot_column.csv"), 1, "emn1 \"150\" is not a number from 0 to 100 (percent)"},
      {ShellQuoted(temp_ / "neon.csv"), 1, "unknown gas \"neon\" (air, argon, krypton or xenon)"},
      {"- < " + ShellQuoted(temp_ / "neon.csv"), 1, "lamivex-batch: <stdin>:2: layer 2 \"gap:16:neon\""},
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

// Each program's help and version on standard output with status 0; an argument it does
// not take named on standard error, with the way to the help, status 64 (which its help lists).
TEST(CommandLines, HelpVersionAndArgumentsNotTakenOfEveryProgram) {
  TempFolder temp;
  const auto folder = std::filesystem::path(LAMIVEX_BATCH_EXECUTABLE).parent_path();
  for (const std::string program : {"lamivex", "lamivex-db", "lamivex-report", "lamivex-batch"}) {
    SCOPED_TRACE(program);
    const std::string path = ShellQuoted(folder / program);
    const RunResult help = RunCommand(temp, path + " --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("usage: " + program) ||
                help.out.starts_with("Usage: " + program))
        << help.out;
    EXPECT_NE(help.out.find("\n  64  "), std::string::npos);
    const RunResult version = RunCommand(temp, path + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with(program + " 5.2.") && version.err.empty()) << version.out;
    const RunResult bad = RunCommand(temp, path + " --bogus");
    EXPECT_EQ(bad.status, 64);
    EXPECT_TRUE(bad.out.empty() && bad.err.starts_with(program + ": ")) << bad.err;
    EXPECT_NE(bad.err.find("'--bogus'"), std::string::npos);
    EXPECT_NE(bad.err.find("--help"), std::string::npos);
  }
}

// The progress line on a terminal: a bar of 30, done/total, the rate and the time left.
TEST(Progress, BarCountRateAndTimeLeft) {
  EXPECT_EQ(ProgressText(3, 24, 0, "stacks"), "[###" + std::string(27, '.') + "] 3/24  starting");
  EXPECT_EQ(ProgressText(12, 24, 6.0, "stacks"),
            "[" + std::string(15, '#') + std::string(15, '.') + "] 12/24  2.0 stacks/s  0:06 left");
  EXPECT_EQ(ProgressText(1, 3000, 0.5, "combinations"),
            "[" + std::string(30, '.') + "] 1/3000  2.0 combinations/s  25:00 left");
}

}  // namespace
}  // namespace lamivex::batch
