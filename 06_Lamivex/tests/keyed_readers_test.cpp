// The keyed-line readers, the number rules and the run information.
#include <clocale>
#include <string>

#include <gtest/gtest.h>

#include "Main_modul6.h"
#include "TempFolder.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// Writes lines ended by CR LF, bytes as given.
std::string WriteJob(const TempFolder& temp, const std::string& lines,
                     const std::string& name = "input_Lamivex.in") {
  std::string bytes;
  size_t start = 0;
  for (size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
    bytes += lines.substr(start, end - start) + "\r\n";
  }
  WriteBytes(temp / name, bytes + lines.substr(start));
  return temp / name;
}

KeyValue Text(const std::string& value) {
  return value;
}
KeyValue Number(double value) {
  return value;
}

TEST(KeyedReaders, TheFirstLineHoldingTheQuotedKeyWins) {
  TempFolder temp;
  const std::string job = WriteJob(temp,
                                   "   \"Number glass\", 3   \n"
                                   "\"glass10\", \"ten\"\n"
                                   "\"glass1\", \"one\"\n"
                                   "\"glass1\", \"second one\"\n"
                                   "x \"Langue\",\"Anglais\"  \n"
                                   "\"SM4.0\",\tv4\t\n"
                                   "\"number glass\", 7\n");
  EXPECT_EQ(ReadKeyNumber(job, "Number glass"), Number(3));
  EXPECT_EQ(ReadKeyText(job, "glass1"), Text("\"one\""));  // glass1 never matches glass10
  EXPECT_EQ(ReadKeyText(job, "Langue"), Text("\"Anglais\""));
  EXPECT_EQ(ReadKeyText(job, "SM4.0"), Text("\tv4\t"));   // only spaces are blanks
  EXPECT_EQ(ReadKeyText(job, "NUMBER GLASS"), Text(""));  // keys are case-sensitive
  EXPECT_EQ(ReadKeyNumber(job, "Emn1"), Number(999999));
  EXPECT_EQ(ReadKeyText(job, "Emn1"), Text(""));
  EXPECT_EQ(ReadKeyText(job, "Number glass", "default is not used"), Text("3"));
}

TEST(KeyedReaders, AMissingFileGivesTheEmptyTextAndAnEmptyFileGivesZero) {
  TempFolder temp;
  EXPECT_EQ(ReadKeyText(temp / "missing.in", "Langue"), Text(""));
  EXPECT_EQ(ReadKeyNumber(temp / "missing.in", "Number glass"), Text(""));
  EXPECT_EQ(ReadKeyText("", "Langue"), Text(""));
  WriteBytes(temp / "empty.in", "");
  EXPECT_EQ(ReadKeyText(temp / "empty.in", "Langue"), Text(""));
  EXPECT_EQ(ReadKeyNumber(temp / "empty.in", "Number glass"), Number(0));
}

TEST(KeyedReaders, ANumberIsTheLeadingNumberOfTheValueWithADecimalPoint) {
  EXPECT_EQ(LeadingNumber("12.5 mm"), 12.5);
  EXPECT_EQ(LeadingNumber("  -2.5e1x"), -25);
  EXPECT_EQ(LeadingNumber("1D3"), 1000);
  EXPECT_EQ(LeadingNumber("1 2 . 5"), 12.5);  // blanks are passed over
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("7E"), 7);
  EXPECT_EQ(LeadingNumber("3,5"), 3);    // a comma ends the number
  EXPECT_EQ(LeadingNumber("\"3\""), 0);  // a quoted value is no number
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("abc"), 0);
  double value = -1;
  EXPECT_TRUE(ParseNumber("-1.5E+2", value));
  EXPECT_EQ(value, -150);
  for (const char* text : {"", "1 2", "1x", "x", "1e", "-", ".", "\"1\""}) {
    EXPECT_FALSE(ParseNumber(text, value)) << text;
  }
}

TEST(KeyedReaders, NumbersIgnoreADecimalCommaLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) GTEST_SKIP() << "no fr_FR.UTF-8 locale";
  TempFolder temp;
  const std::string job = WriteJob(temp, "\"Ep_Nouveau_verre\", 8.76\n");
  const KeyValue value = ReadKeyNumber(job, "Ep_Nouveau_verre");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(value, Number(8.76));
}

TEST(KeyedReaders, RoundingToWholeNumbersTakesHalvesToEven) {
  EXPECT_EQ(ToInt16(2.5, "x"), 2);
  EXPECT_EQ(ToInt16(3.5, "x"), 4);
  EXPECT_EQ(ToInt16(-2.5, "x"), -2);
  EXPECT_EQ(ToInt16(2.6, "x"), 3);
  EXPECT_EQ(ToInt16(32767.4, "x"), 32767);
  EXPECT_EQ(ToInt16(-32768, "x"), -32768);
  EXPECT_EQ(ToInt32(999999.5, "x"), 1000000);
  for (double outside : {32767.5, -32769.0, 999999.0, 1.0 / 0.0, 0.0 / 0.0}) {
    try {
      ToInt16(outside, "\"Number glass\"");
      ADD_FAILURE() << outside << " fits?";
    } catch (const RunError& e) {
      EXPECT_EQ(e.Status(), kExitBadJob);
      EXPECT_NE(std::string(e.what()).find("\"Number glass\""), std::string::npos);
    }
  }
  EXPECT_THROW(ToInt32(2147483647.5, "id"), RunError);
}

TEST(KeyedReaders, NumberGlassOfTheJob) {
  TempFolder temp;
  const auto numberGlass = [&](const std::string& value) {
    return ReadNumberGlass(WriteJob(temp, "\"Number glass\", " + value + "\n"));
  };
  EXPECT_EQ(numberGlass("2.5"), 2);
  EXPECT_EQ(numberGlass("3.5"), 4);
  EXPECT_EQ(numberGlass("0"), 0);
  EXPECT_EQ(numberGlass("-3"), -3);
  EXPECT_EQ(numberGlass("101"), 101);
  const auto badJob = [&](const std::string& path, const std::string& named) {
    try {
      ReadNumberGlass(path);
      ADD_FAILURE() << "accepted: " << named;
    } catch (const RunError& e) {
      EXPECT_EQ(e.Status(), kExitBadJob);
      EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << e.what();
    }
  };
  badJob(temp / "missing.in", "is not found");
  badJob(WriteJob(temp, "\"Langue\", \"Anglais\"\n"), "is missing");
  badJob(WriteJob(temp, "\"Number glass\", \"3\"\n"), "not a number");
  badJob(WriteJob(temp, ""), "not a number");
  badJob(WriteJob(temp, "\"Number glass\", 102\n"), "at most 101");
  badJob(WriteJob(temp, "\"Number glass\", 999999\n"), "16-bit");
  badJob(WriteJob(temp, "\"Number glass\", 40000\n"), "16-bit");
}

// The accented key "Projet/Référence" matches in a UTF-8 job file and in a job file
// written in Windows-1252.
TEST(KeyedReaders, AccentedKeysMatchInUtf8AndWindows1252Files) {
  TempFolder temp;
  LamivexRun run;
  run.ProfilePath = temp.Path().string();
  WriteJob(temp,
           "\"Projet/R\xC3\xA9"
           "f\xC3\xA9rence\", \"Caf\xC3\xA9 N\xC2\xB0"
           "1\"\n",
           "Temp/utf8.in");
  ReadRunInformation(run, "utf8.in");
  EXPECT_EQ(run.Info.ProjectReference, "Café N°1");
  WriteJob(temp,
           "\"Projet/R\xE9"
           "f\xE9rence\", \"Caf\xE9 N\xB0"
           "1\"\n",
           "Temp/cp1252.in");
  ReadRunInformation(run, "cp1252.in");
  EXPECT_EQ(run.Info.ProjectReference, "Café N°1");
}

TEST(KeyedReaders, RunInformationDropsQuotesAndKeeps999999ForMissingNumbers) {
  TempFolder temp;
  LamivexRun run;
  run.ProfilePath = temp.Path().string();
  WriteJob(temp,
           "\"Ep_Nouveau_verre\", 8.76\n"
           "\"SM4.0\", \"4.0\"\n"
           "\"SM5.2\", \"5.2\"\n"
           "\"Date de lancement du calcul\", \"14/05/2024\"\n"
           "\"Heure de lancement du calcul\", \"10:30\"\n"
           "\"Langue\", \"Français\"\n"
           "\"Vitrage\", \"Double\", \"Feuilleté\"\n"
           "\"Description\", \"Un \"beau\" vitrage\"\n"
           "\"Nom du verre Ini\", \"Clair\"\n"
           "\"Nom Nouveau verre\", \"Clair 6\"\n"
           "\"Emn2\", 0.84\n",
           "Temp/input_Lamivex.in");
  ReadRunInformation(run, "input_Lamivex.in");
  const RunInformation& info = run.Info;
  EXPECT_EQ(info.NewGlassThickness, 8.76);
  EXPECT_EQ(info.SuiteVersion40, "4.0");
  EXPECT_EQ(info.SuiteVersion52, "5.2");
  EXPECT_EQ(info.LaunchDate, "14/05/2024");
  EXPECT_EQ(info.LaunchTime, "10:30");
  EXPECT_EQ(info.Language, "Français");
  EXPECT_EQ(info.Glazing, "Double, Feuilleté");  // value starts after the key's quote-comma
  EXPECT_EQ(info.Description, "Un beau vitrage");
  EXPECT_EQ(info.InitialGlassName, "Clair");
  EXPECT_EQ(info.NewGlassName, "Clair 6");
  EXPECT_EQ(info.ProjectReference, "");
  EXPECT_EQ(info.Emn1, 999999.0);
  EXPECT_EQ(info.Emn2, 0.84);
}

}  // namespace
}  // namespace lamivex
