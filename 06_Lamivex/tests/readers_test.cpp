#include <clocale>

#include <gtest/gtest.h>

#include "Main_modul6.h"
#include "MdlImpression.h"
#include "RunLamivex.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
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

// The accented key matches in a job file in UTF-8, in Windows-1252, and in a Windows-1252
// job a UTF-8 editor changed (each line read in its own encoding); UTF-8 is warned of.
TEST(KeyedReaders, RunInformationInUtf8AndWindows1252) {
  TempFolder temp;
  LamivexRun run;
  run.ProfilePath = temp.Path().string();
  std::vector<std::string> warnings;
  const MessageSink previous = SetMessageSink(
      [&](const std::string&, const std::string& text) { warnings.push_back(text); });
  // clang-format off
  for (const char* line : {"\"Projet/R\xC3\xA9" "f\xC3\xA9rence\", \"Caf\xC3\xA9 N\xC2\xB0" "1\"\n\"Vitrage\", \"Double\", \"Feuillet\xC3\xA9\"",
                           "\"Projet/R\xE9" "f\xE9rence\", \"Caf\xE9 N\xB0" "1\"\n\"Vitrage\", \"Double\", \"Feuillet\xE9\"",
                           "\"Projet/R\xE9" "f\xE9rence\", \"Caf\xE9 N\xB0" "1\"\n\"Vitrage\", \"Double\", \"Feuillet\xC3\xA9\""}) {
    // clang-format on
    const KeyedFile job = ReadJobFile(WriteLines(temp, line, "Temp/ref.in"));
    ReadRunInformation(run, job);
    EXPECT_EQ(std::vector({run.Info.ProjectReference, run.Info.Glazing, run.Info.Description}),
              std::vector<std::string>({"Café N°1", "Double, Feuilleté", ""}));
  }
  SetMessageSink(previous);
  const auto warning = [&](const char* line) {
    return "Warning: line " + std::string(line) + " of the job file " + temp / "Temp/ref.in" +
           " is UTF-8 text; it is read as UTF-8.";
  };
  EXPECT_EQ(warnings, std::vector({warning("1"), warning("2")}));
}

TEST(LayerTable, SkipsTwoLinesThenReadsFourFieldsPerLayerAndTenFlags) {
  TempFolder temp;
  LamivexRun run;
  run.NumberGlass = 3;
  // clang-format off
  WriteCrLfLines(temp / "job.in", {"1, 9, 9, 9", "\"Number glass\", 3", "1, 1234, 89, 89", "  2 ,999999,  0.5,84.25  ",
                                   "3.5,1000000.5,1e1,-0", "4, 5, 6, 7", "\"Inverse the face glasses\", \"1, 0,2.5,0,0,0,0,0,0, -1 ,1,1\""});
  std::vector<std::string> messages;
  const MessageSink previous = SetMessageSink([&](const std::string& title, const std::string& text) { messages.push_back(title + ": " + text); });
  ReadLayerTable(run, temp / "job.in");
  SetMessageSink(previous);
  EXPECT_EQ(messages, std::vector<std::string>({"SM5.2: Warning: the Emn1 of layer 2 (line 4 of the job file) is 0.5; "
                                                "emissivities are in percent (84 for 0.84), the run goes on with 0.5 %."}));
  ReadInversionList(run, temp / "job.in");
  // Halves to even; nothing beyond NumberGlass; flags of layers 11 and 12 are never read.
  EXPECT_EQ(std::vector<double>({1.0 * run.GlassKind[1], 1.0 * run.GlassKind[2], 1.0 * run.GlassKind[3], 1.0 * run.GlassKind[4],
                                 1.0 * run.GlassId[1], 1.0 * run.GlassId[2], 1.0 * run.GlassId[3], run.GlassEmn1[1], run.GlassEmn1[2],
                                 run.GlassEmn2[2], run.GlassEmn1[3]}),
            std::vector<double>({1, 2, 4, 0, 1234, 999999, 1000000, 89, 0.5, 84.25, 10}));
  // clang-format on
  EXPECT_EQ(std::vector<int>(run.InverseFace.begin(), run.InverseFace.begin() + 12),
            std::vector<int>({1, 0, 2, 0, 0, 0, 0, 0, 0, -1, 0, 0}));
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
  EXPECT_EQ(ErrorOf([&] { WriteTextLines(temp / "no/folder/out.txt", {"x"}); }),
            "1 Error: the file " + temp / "no/folder/out.txt" + " cannot be written: the folder " +
                temp / "no/folder" + " does not exist (No such file or directory)!");
}

TEST(Folders, TheProgramFolderOfABuildOrAnInstalledTree) {
  // The named folder, else bin when it holds the suite database, else share/lamivex.
  const struct {
    const char *chosen, *expected;  // relative to the prefix, or absolute
    bool inBin, inShare;
  } cases[] = {{"/opt/solmerac/", "/opt/solmerac", true, true},
               {"", "bin", true, true},
               {"", "share/lamivex", false, true},
               {"", "bin", false, false},
               {"//", "/", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected + std::string(c.inBin ? " in bin" : ""));
    TempFolder prefix;
    for (const auto& [folder, holds] : {std::pair{"bin", c.inBin}, {"share/lamivex", c.inShare}}) {
      if (holds)
        WriteBytes((prefix.Path() / folder / kSuiteDatabaseInProgramFolder).string(), "db");
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
    suite.AddProduct("glass", 999999, TestDatabase::Flat(300, 310, 11, 0, 0))
        .AddProduct("glass", 0, {});
    user.AddProduct("glass", 1000000, TestDatabase::Flat(300, 310, 44, 0, 0));
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
  // Ids from 1000000 up are the user's, read from the user's glass table whatever the kind.
  EXPECT_EQ(std::vector({GlassExists(run, 999999, 1), GlassExists(run, 1000000, 2),
                         GlassExists(run, 1000001, 2), GlassExists(run, 0, 1)}),
            std::vector({true, true, false, false}));
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
  const std::string tooMany = ErrorOf([&] { LoadSpectrum(run, 4242, 1, 0); });
  EXPECT_NE(tooMany.find("product 4242"), std::string::npos) << tooMany;
}

}  // namespace
}  // namespace lamivex
