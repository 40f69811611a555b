#include <clocale>
#include <cstdlib>
#include <map>
#include <optional>

#include <gtest/gtest.h>

#include "Main_modul6.h"
#include "MdlImpression.h"
#include "RunLamivex.h"
#include "platform/Folders.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

using namespace testing;

std::string WriteLines(const TempFolder& temp, const std::string& lines,
                       const std::string& name = "input_Lamivex.in") {
  std::string bytes;
  for (char c : lines) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  WriteBytes(temp / name, bytes);
  return temp / name;
}

TEST(KeyedReaders, TheFirstLineHoldingTheQuotedKeyWins) {
  TempFolder temp;
  // clang-format off
  const std::string job = WriteLines(temp, "   \"Number glass\", 3   \n\"glass10\", \"ten\"\n\"glass1\", \"one\"\n"
      "\"glass1\", \"second one\"\nx \"Langue\",\"Anglais\"  \n\"SM4.0\",\tv4\t\n\"number glass\", 7\n");
  EXPECT_EQ(std::vector({ReadKeyNumber(job, "Number glass"), ReadKeyText(job, "glass1"), ReadKeyText(job, "Langue"),
                         ReadKeyText(job, "SM4.0"), ReadKeyText(job, "NUMBER GLASS"), ReadKeyNumber(job, "Emn1"),
                         ReadKeyNumber(temp / "missing.in", "Number glass"), ReadKeyNumber(WriteLines(temp, "", "e.in"), "x")}),
            std::vector<KeyValue>({3.0, "\"one\"", "\"Anglais\"", "\tv4\t", "", 999999.0, "", 0.0}));
  // clang-format on
  for (const auto& [count, layers] : {std::pair{"2.5", 2}, {"3.5", 4}, {"-3", -3}, {"101", 101}}) {
    EXPECT_EQ(ReadNumberGlass(WriteLines(temp, std::string("\"Number glass\", ") + count)), layers);
  }
}

TEST(KeyedReaders, ANumberIsTheLeadingNumberWithADecimalPointWhateverTheLocale) {
  // clang-format off
  const std::pair<const char*, double> cases[] = {{"12.5 mm", 12.5}, {"  -2.5e1x", -25}, {"+1.5E+2", 150}, {"1D3", 1000},
      {"1 2 . 5", 12.5}, {".5", 0.5}, {"7E", 7}, {"2e-1", 0.2}, {"3,5", 3}, {"\"3\"", 0}, {"", 0}, {"abc", 0}};
  const std::pair<double, int> rounded[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.6, 3}, {32767.4, 32767}, {-32768, -32768}};
  // clang-format on
  for (const auto& [text, number] : cases) EXPECT_EQ(LeadingNumber(text), number) << text;
  double value = -1;
  EXPECT_TRUE(ParseNumber("-1.5E+2", value));
  EXPECT_EQ(value, -150);
  for (const char* text : {"", "1 2", "1x", "x", "1e", "-", ".", "\"1\""})
    EXPECT_FALSE(ParseNumber(text, value)) << text;
  for (const auto& [number, whole] : rounded) EXPECT_EQ(ToInt16(number, "x"), whole) << number;
  for (double outside : {32767.5, -32769.0, 1.0 / 0.0, 0.0 / 0.0})
    EXPECT_THROW(ToInt16(outside, "x"), RunError) << outside;
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "no fr_FR.UTF-8 locale";
  TempFolder temp;
  const KeyValue thickness =
      ReadKeyNumber(WriteLines(temp, "\"Ep_Nouveau_verre\", 8.76\n"), "Ep_Nouveau_verre");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(thickness, KeyValue(8.76));
}

// The accented key matches in a job file in UTF-8 and in one in Windows-1252.
TEST(KeyedReaders, RunInformationInUtf8AndWindows1252) {
  TempFolder temp;
  LamivexRun run;
  run.ProfilePath = temp.Path().string();
  // clang-format off
  for (const char* line : {"\"Projet/R\xC3\xA9" "f\xC3\xA9rence\", \"Caf\xC3\xA9 N\xC2\xB0" "1\"\n\"Vitrage\", \"Double\", \"Feuillet\xC3\xA9\"",
                           "\"Projet/R\xE9" "f\xE9rence\", \"Caf\xE9 N\xB0" "1\"\n\"Vitrage\", \"Double\", \"Feuillet\xE9\""}) {
    // clang-format on
    WriteLines(temp, line, "Temp/ref.in");
    ReadRunInformation(run, "ref.in");
    EXPECT_EQ(std::vector({run.Info.ProjectReference, run.Info.Glazing, run.Info.Description}),
              std::vector<std::string>({"Café N°1", "Double, Feuilleté", ""}));
  }
}

TEST(LayerTable, SkipsTwoLinesThenReadsFourFieldsPerLayerAndTenFlags) {
  TempFolder temp;
  LamivexRun run;
  WriteCrLfLines(temp / "job.in",
                 {"1, 9, 9, 9", "\"Number glass\", 3", "1, 1234, 89, 89",
                  "  2 ,999999,  0.5,84.25  ", "3.5,1000000.5,1e1,-0", "4, 5, 6, 7"});
  run.NumberGlass = 3;
  ReadLayerTable(run, temp / "job.in");
  EXPECT_EQ(
      std::vector<int>({run.GlassKind[1], run.GlassKind[2], run.GlassKind[3], run.GlassKind[4]}),
      std::vector<int>({1, 2, 4, 0}));  // halves to even; nothing beyond NumberGlass
  EXPECT_EQ(std::vector<int>({run.GlassId[1], run.GlassId[2], run.GlassId[3]}),
            std::vector<int>({1234, 999999, 1000000}));
  EXPECT_EQ(std::vector({run.GlassEmn1[1], run.GlassEmn1[2], run.GlassEmn2[2], run.GlassEmn1[3]}),
            std::vector({89.0, 0.5, 84.25, 10.0}));
  WriteCrLfLines(temp / "job.in",
                 {"\"Inverse the face glasses\", \"1, 0,2.5,0,0,0,0,0,0, -1 ,1,1\""});
  ReadInversionList(run, temp / "job.in");
  EXPECT_EQ(std::vector<int>(run.InverseFace.begin(), run.InverseFace.begin() + 12),
            std::vector<int>({1, 0, 2, 0, 0, 0, 0, 0, 0, -1, 0, 0}));  // layers 11, 12 never
  WriteCrLfLines(temp / "job.in", {"\"Inverse the face glasses\", 0,0,0,1,0,0,0,0,0,0,junk"});
  ReadInversionList(run, temp / "job.in");  // the quotes are optional
  EXPECT_EQ(std::vector<int>(run.InverseFace.begin(), run.InverseFace.begin() + 4),
            std::vector<int>({0, 0, 0, 1}));
}

TEST(TextFiles, LineEndsCodePagesAndFailures) {
  TempFolder temp;
  WriteBytes(temp / "a.txt", "\xEF\xBB\xBFone\r\ntwo\nthree\rfour\r\n\r\nlast");
  EXPECT_EQ(ReadTextLines(temp / "a.txt"),
            (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
  // clang-format off
  const std::pair<const char*, const char*> toUtf8[] = {{"R\xC3\xA9" "f \xE2\x82\xAC \xF0\x9F\x98\x80", "Réf € 😀"},
      {"R\xE9" "f", "Réf"}, {"\x80 \x9C \x81", "€ œ \xC2\x81"}, {"\xC0\xAF", "À¯"}, {"a\xA9", "a©"},
      {"\xE2\x82", "â‚"}, {"\xED\xA0\x80", "í\xC2\xA0€"}};
  // clang-format on
  for (const auto& [bytes, text] : toUtf8) EXPECT_EQ(ToUtf8(bytes), text) << text;
  const std::string path = temp / "out.txt";
  WriteTextLines(path, {"Caractéristiques de l'élément sortant", "€ 日"});
  EXPECT_EQ(ReadBytes(path), "Caract\xE9ristiques de l'\xE9l\xE9ment sortant\r\n\x80 ?\r\n");
  try {
    WriteTextLines(temp / "no/folder/out.txt", {"x"});
    ADD_FAILURE() << "no error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.Status(), kExitFault);
    EXPECT_NE(std::string(e.what()).find(temp / "no/folder/out.txt"), std::string::npos);
  }
  EXPECT_THROW(ReadTextLines(temp / "missing.txt"), RunError);
}

struct Environment {
  std::map<std::string, std::optional<std::string>> saved;
  ~Environment() {
    for (const auto& [name, old] : saved)
      old ? setenv(name.c_str(), old->c_str(), 1) : unsetenv(name.c_str());
  }
  void Set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    if (!saved.count(name)) saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str());
  }
};

TEST(Folders, TheProfileAndTheProgramFolder) {
  Environment env;
  env.Set("AppData", "/data/roaming/");
  env.Set("XDG_DATA_HOME", "/xdg");
  env.Set("HOME", "/home/u");
  EXPECT_EQ(ProfileFolder(), "/data/roaming/Solmerac/v5.2/Profile");
  env.Set("AppData", nullptr);
  EXPECT_EQ(ProfileFolder(), "/xdg/Solmerac/v5.2/Profile");
  env.Set("XDG_DATA_HOME", "");
  EXPECT_EQ(ApplicationDataFolder(), "/home/u/.local/share");
  EXPECT_NE(ProfileFolderLookup().find(
                "from $HOME/.local/share (neither AppData nor XDG_DATA_HOME is set)."),
            std::string::npos);
  env.Set("LAMIVEX_PROGRAM_DIR", "/opt/solmerac//");
  EXPECT_EQ(ProgramFolder(), "/opt/solmerac");
  const struct {
    const char* chosen;
    bool inBin, inShare;
    const char* expected;  // relative to the prefix, or absolute
  } cases[] = {{"/opt/solmerac/", true, true, "/opt/solmerac"},
               {"", true, true, "bin"},
               {"", false, true, "share/lamivex"},
               {"", false, false, "bin"},
               {"//", false, false, "/"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected + std::string(c.inBin ? " in bin" : ""));
    TempFolder prefix;
    for (const auto& [folder, holds] : {std::pair{"bin", c.inBin}, {"share/lamivex", c.inShare}}) {
      const auto database = prefix.Path() / folder / kSuiteDatabaseInProgramFolder;
      std::filesystem::create_directories(database.parent_path());
      if (holds) WriteBytes(database, "db");
    }
    const std::filesystem::path expected = c.expected;
    EXPECT_EQ(ProgramFolderFor(c.chosen, prefix.Path() / "bin"),
              expected.is_absolute() ? expected : prefix.Path() / expected);
  }
}

TEST(Spectra, TablesFacesAndRows) {
  TempFolder temp;
  {
    TestDatabase suite(temp / "suite.db"), user(temp / "user.db");
    for (int id : {999999, 1000000, 0}) {  // the same ids in every table, told apart by T
      for (const auto& [table, t] : {std::pair{"glass", 11}, {"film", 22}, {"PVB", 33}})
        suite.AddProduct(table, id, TestDatabase::Flat(300, 310, t, 0, 0));
    }
    user.AddProduct("glass", 1000000, TestDatabase::Flat(300, 310, 44, 0, 0))
        .AddProduct("film", 1000001, TestDatabase::Flat(300, 310, 55, 0, 0));
    suite.AddProduct("film", 7, TestDatabase::Flat(250, 2500, 60, 30, 10));
    std::vector<TestRow> rows = TestDatabase::Flat(300, 2500, 0, 0, 0);
    for (TestRow& row : rows) row.t = row.lambda / 100;
    std::reverse(rows.begin(), rows.end());
    std::swap(rows[10], rows[300]);
    suite.AddProduct("PVB", 3, rows);
    suite.AddProduct("glass", 2, {{299, 1, 1, 1}, {299.5, 2, 2, 2}, {300, 3, 3, 3}});
    rows.push_back({2502.5, 1, 1, 1});
    suite.AddProduct("glass", 4242, rows);
  }
  LamivexRun run;
  run.SpectralDb = std::make_unique<SpectralDatabase>();
  run.SpectralDb->Open(temp / "suite.db");
  run.UserSpectralDb = std::make_unique<SpectralDatabase>();
  run.UserSpectralDb->Open(temp / "user.db");
  const auto loadedT = [&](int32_t id, int16_t kind) {  // T at 300 nm
    LoadSpectrum(run, id, kind, 0);
    return run.SpectrumT[1];
  };
  EXPECT_EQ(
      std::vector({loadedT(999999, 1), loadedT(999999, 2), loadedT(999999, 3), loadedT(999999, 4),
                   loadedT(999999, 0), loadedT(1000000, 2), loadedT(1000000, 3)}),
      std::vector<double>({11, 22, 33, 33, 33, 44, 44}));
  EXPECT_EQ(std::vector({GlassExists(run, 1000000, 2), GlassExists(run, 1000001, 2),
                         GlassExists(run, 999998, 1), GlassExists(run, 0, 1)}),
            std::vector({true, false, false, false}));
  LoadSpectrum(run, 7, 2, 0);
  EXPECT_EQ(std::vector({run.SpectrumLambda[1], run.SpectrumR1[441], run.SpectrumR2[441]}),
            std::vector<double>({300, 30, 10}));
  EXPECT_EQ(run.SpectrumCount, 441);
  LoadSpectrum(run, 7, 2, -1);  // any non-zero flag turns the layer
  EXPECT_EQ(std::vector({run.SpectrumT[1], run.SpectrumR1[1], run.SpectrumR2[1]}),
            std::vector<double>({60, 10, 30}));
  LoadSpectrum(run, 3, 3, 0);  // rows in any order come sorted
  EXPECT_EQ(std::vector({run.SpectrumLambda[1], run.SpectrumLambda[11], run.SpectrumLambda[291],
                         run.SpectrumLambda[441], run.SpectrumT[291], run.SpectrumT[441],
                         1.0 * run.SpectrumCount}),
            std::vector({300.0, 350.0, 1750.0, 2500.0, 17.5, 25.0, 441.0}));
  LoadSpectrum(run, 2, 1, 0);  // the arrays are not cleared past the count
  EXPECT_EQ(std::vector({1.0 * run.SpectrumCount, run.SpectrumLambda[1], run.SpectrumLambda[3]}),
            std::vector({2.0, 299.5, 310.0}));
  EXPECT_TRUE(GlassExists(run, 4242, 1));
  try {
    LoadSpectrum(run, 4242, 1, 0);
    ADD_FAILURE() << "442 rows loaded";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find("product 4242"), std::string::npos) << e.what();
  }
  run.UserSpectralDb = std::make_unique<SpectralDatabase>();  // no user database
  EXPECT_FALSE(GlassExists(run, 1000000, 1));
  EXPECT_THROW(LoadSpectrum(run, 1000000, 1, 0), RunError);
}

}  // namespace
}  // namespace lamivex
