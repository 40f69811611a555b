// Report labels: the language chooses the file; every key is looked up on its own.
#include <gtest/gtest.h>

#include "JobFile.h"
#include "MdlImpression.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

using testing::TempFolder;

int FilledLabels(const ReportLabels& labels) {
  int filled = 0;
  for (const auto& [label, key] : ReportLabelKeys()) filled += !(labels.*label).empty();
  return filled;
}

// The language files installed in the program folder of the build tree.
TEST(ReportLabels, EveryInstalledLanguageFileHoldsAll37Labels) {
  for (const char* language : {"Français", "Anglais", "Allemand", "Espagnol"}) {
    LamivexRun run;
    run.ProgramFolder = LAMIVEX_PROGRAM_DIR;
    LoadReportLabels(run, language);
    EXPECT_EQ(FilledLabels(run.Labels), 37) << language;
  }
  LamivexRun run;
  run.ProgramFolder = LAMIVEX_PROGRAM_DIR;
  LoadReportLabels(run, "Anglais");
  EXPECT_EQ(run.Labels.LblYes, "\" yes\"");  // the value keeps its quotes
  EXPECT_EQ(run.Labels.LblSection2, "\"2 - Results\"");
  LoadReportLabels(run, "Allemand");
  EXPECT_EQ(run.Labels.LblPage, "\"Seite\"");
}

TEST(ReportLabels, ALanguageOutsideTheFourNamesLeavesAllLabelsEmpty) {
  LamivexRun run;
  run.ProgramFolder = LAMIVEX_PROGRAM_DIR;
  EXPECT_EQ(LanguageFile(run, "Français"),
            std::string(LAMIVEX_PROGRAM_DIR) + "/Langages/Français/Impression_FR_Lamivex.txt");
  LoadReportLabels(run, "Anglais");
  ASSERT_EQ(FilledLabels(run.Labels), 37);
  for (const char* language : {"francais", "anglais", "English", ""}) {
    EXPECT_EQ(LanguageFile(run, language), "") << language;
    LoadReportLabels(run, language);
    EXPECT_EQ(FilledLabels(run.Labels), 0) << language;
  }
}

TEST(ReportLabels, AMissingLineLeavesOneLabelEmpty) {
  TempFolder temp;
  LamivexRun run;
  run.ProgramFolder = temp.Path().string();
  std::vector<std::string> lines = ReadTextLines(std::string(LAMIVEX_PROGRAM_DIR) +
                                                 "/Langages/Anglais/Impression_EN_Lamivex.txt");
  std::erase_if(lines, [](const std::string& line) { return line.starts_with("\" non\","); });
  ASSERT_EQ(lines.size(), 36u);
  testing::WriteCrLfLines(temp / "Langages/Anglais/Impression_EN_Lamivex.txt", lines);
  LoadReportLabels(run, "Anglais");
  EXPECT_EQ(FilledLabels(run.Labels), 36);
  EXPECT_EQ(run.Labels.LblNo, "");
  EXPECT_EQ(run.Labels.LblYes, "\" yes\"");
}

// Keys with accents, blanks at either end and apostrophes match as written, also in a
// language file written in Windows-1252.
TEST(ReportLabels, KeysMatchExactlyInAWindows1252File) {
  TempFolder temp;
  LamivexRun run;
  run.ProgramFolder = temp.Path().string();
  std::string bytes;
  for (const auto& [label, key] : ReportLabelKeys()) {
    bytes += ToWindows1252("\"" + std::string(key) + "\", \"<" + key + ">\"") + "\r\n";
  }
  testing::WriteBytes(temp / "Langages/Français/Impression_FR_Lamivex.txt", bytes);
  LoadReportLabels(run, "Français");
  for (const auto& [label, key] : ReportLabelKeys()) {
    EXPECT_EQ(run.Labels.*label, "\"<" + std::string(key) + ">\"") << key;
  }
}

}  // namespace
}  // namespace lamivex
