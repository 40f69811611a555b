// The demo job run by lamivex, then reported in each of the four languages.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "MdlImpression.h"
#include "ReportData.h"
#include "ReportFixture.h"
#include "platform/TextFiles.h"

namespace lamivex::report {
namespace {

using testing::PdfText;
using testing::ReportFolder;

std::string DemoJob(const std::string& language) {
  std::string job = lamivex::testing::ReadBytes(LAMIVEX_DEMO_JOB);
  const size_t line = job.find("\"Langue\"");
  const size_t end = job.find('\n', line);
  return job.replace(line, end - line, "\"Langue\", \"" + language + "\"\r");
}

// Every label the demo report prints: those of every report, and the kinds and "no"
// of its glass / PVB / glass layers.
std::vector<std::string> PrintedLabels(const ReportTexts& t) {
  std::vector<std::string> labels = testing::PrintedLabels(t);
  labels.insert(labels.end(), {t.Glass, t.PVB, t.No});
  return labels;
}

class DemoReport : public ::testing::TestWithParam<const char*> {};

TEST_P(DemoReport, HoldsEveryLabelAndTheSummary) {
  ReportFolder folder;
  lamivex::testing::WriteBytes(folder.Temp("input_Lamivex.in"), DemoJob(GetParam()));
  const pdftest::CommandResult run = folder.RunLamivex();
  ASSERT_EQ(run.status, 0) << run.output;
  const pdftest::CommandResult report = folder.RunReport();
  ASSERT_EQ(report.status, 0) << report.output;
  const std::string pdf = folder.Temp("Lamivex.pdf");
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));
  EXPECT_EQ(testing::PdfPages(pdf), 2);

  LamivexRun data;
  data.ProfilePath = (folder.Path() / "Solmerac/v5.2/Profile").string();
  data.ProgramFolder = LAMIVEX_PROGRAM_DIR;
  const ReportData loaded = LoadReportData(data);
  const std::string text = PdfText(pdf);
  for (const std::string& label : PrintedLabels(loaded.texts)) {
    EXPECT_FALSE(label.empty());
    EXPECT_NE(text.find(label), std::string::npos) << "missing: \"" << label << "\"";
  }
  std::string summary;
  for (const std::string& value : loaded.summary) summary += (summary.empty() ? "" : " ") + value;
  EXPECT_NE(text.find(summary), std::string::npos) << summary;

  // The characteristics the report integrates from the solar files round to the summary's,
  // which the run integrated from its own files (the visible ones included).
  const std::vector<double> rounded = {loaded.assemblyEnergy.T, loaded.assemblyEnergy.R1,
                                       loaded.assemblyLight.T, loaded.assemblyLight.R1};
  const std::vector<size_t> fields = {0, 1, 7, 8};
  for (size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(std::to_string(static_cast<int>(std::nearbyint(rounded[i]))),
              loaded.summary[fields[i]]);
  }
}

INSTANTIATE_TEST_SUITE_P(FourLanguages, DemoReport,
                         ::testing::Values("Français", "Anglais", "Allemand", "Espagnol"),
                         [](const auto& info) {
                           const std::string name = info.param;
                           return name == "Français" ? std::string("Francais") : name;
                         });

}  // namespace
}  // namespace lamivex::report
