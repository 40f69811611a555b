// lamivex-report on the files of a run: the pages, the labels, the values, and the
// failures that must leave no PDF behind.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>

#include "MdlImpression.h"
#include "ReportFixture.h"
#include "ReportText.h"

namespace lamivex::report {
namespace {

using testing::PdfPages;
using testing::PdfText;
using testing::ReportFolder;
using testing::TestLayer;

ReportTexts Texts(const std::string& language) {
  LamivexRun run;
  run.ProgramFolder = LAMIVEX_PROGRAM_DIR;
  LoadReportLabels(run, language);
  return MakeReportTexts(run.Labels);
}

std::vector<std::string> PrintedLabels(const std::string& language) {
  return testing::PrintedLabels(Texts(language));
}

void ExpectAllIn(const std::string& text, const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    EXPECT_NE(text.find(word), std::string::npos) << "missing: \"" << word << "\"";
  }
}

bool NoPartialFiles(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".pdf") != std::string::npos) return false;
  }
  return true;
}

const TestLayer kClear{1, 1001, 84, 84, "Clear 4 mm", 86.5, 7.7, 7.9};
const TestLayer kInterlayer{3, 3002, 0, 0, "PVB 0.76 mm", 88.0, 6.5, 6.6};
const TestLayer kTinted{1, 1003, 84, 80, "Grey 6 mm", 46.0, 5.0, 5.5};

TEST(LamivexReport, OneLayerRun) {
  ReportFolder folder;
  folder.WriteJob({kClear}, "Anglais");
  folder.WriteRunFiles({kClear}, kClear, "86,8,6,84,8,6,84,87,8,5,8,5");
  const pdftest::CommandResult run = folder.RunReport();
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string pdf = folder.Temp("Lamivex.pdf");
  EXPECT_NE(run.output.find(pdf), std::string::npos) << "says where the report is";
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));
  EXPECT_EQ(PdfPages(pdf), 2);  // tables, then the assembly's chart alone
  const std::string text = PdfText(pdf);
  ExpectAllIn(text, PrintedLabels("Anglais"));
  ExpectAllIn(text, {"Clear 4 mm", "Test glazing", "Report test job", "Réf-2024-17",
                     "New glass 8.76", "8.76 mm", "2024-05-14", "10:30:00", "Page 1 / 2",
                     "86.5 7.7 5.8 7.9 5.6",  // Te Re1 Ae1 Re2 Ae2, one decimal
                     "86 8 6 84 8 6 84 87 8 5 8 5", "1 glass Clear 4 mm no 84 84"});
  EXPECT_EQ(text.find("Film"), std::string::npos);
}

TEST(LamivexReport, ThreeLayerRunWithATurnedLayer) {
  ReportFolder folder;
  const TestLayer assembly{0, 0, 0, 0, "", 40.3, 6.0, 7.0};
  folder.WriteJob({kClear, kInterlayer, kTinted}, "Français");
  folder.WriteRunFiles({kClear, kInterlayer, kTinted}, assembly, "40,6,54,84,7,53,80,40,6,54,7,53");
  const pdftest::CommandResult run = folder.RunReport();
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string pdf = folder.Temp("Lamivex.pdf");
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));
  EXPECT_EQ(PdfPages(pdf), 2);
  const std::string text = PdfText(pdf);
  ExpectAllIn(text, PrintedLabels("Français"));
  // The second layer is turned (inversion list 0,1,0,...).
  ExpectAllIn(text, {"1 verre Clear 4 mm non 84 84", "2 PVB PVB 0.76 mm oui 0 0",
                     "3 verre Grey 6 mm non 84 80", "Test glazing 40.3 6.0 53.7 7.0 52.7",
                     "2 PVB PVB 0.76 mm 88.0 6.5 5.5 6.6 5.4",
                     "3 verre Grey 6 mm 46.0 5.0 49.0 5.5 48.5", "40 6 54 84 7 53 80 40 6 54 7 53",
                     "Page 2 / 2", "Caractéristiques énergétiques", "Calcul intégré"});
  EXPECT_EQ(testing::PdfInfo(pdf, "Creator"), "Lamivex");
  EXPECT_EQ(testing::PdfInfo(pdf, "Subject"), "Test glazing");
  EXPECT_EQ(testing::PdfInfo(pdf, "Title"), Texts("Français").ReportTitle);
}

TEST(LamivexReport, UnknownLanguageGivesTheNumbersWithoutLabels) {
  ReportFolder folder;
  folder.WriteJob({kClear, kTinted}, "francais");
  folder.WriteRunFiles({kClear, kTinted}, kTinted, "46,5,49,84,6,48,80,50,5,45,6,44");
  const pdftest::CommandResult run = folder.RunReport("--output '" + folder.Temp("out.pdf") + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("warning: the report language \"francais\" (key \"Langue\" of the job "
                            "file) is none of \"Français\", \"Anglais\", \"Allemand\", "
                            "\"Espagnol\""),
            std::string::npos)
      << run.output;
  const std::string pdf = folder.Temp("out.pdf");
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));
  const std::string text = PdfText(pdf);
  ExpectAllIn(text, {"86.5 7.7 5.8 7.9 5.6", "46 5 49 84 6 48 80 50 5 45 6 44", "Clear 4 mm",
                     "Te Re1 Ae1 Re2 Ae2", "2024-05-14 10:30:00"});
  EXPECT_EQ(PdfPages(pdf), 2);
  for (const std::string& label : PrintedLabels("Français")) {
    if (label.size() > 3) {
      EXPECT_EQ(text.find(label), std::string::npos) << label;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Temp("Lamivex.pdf")));
}

TEST(LamivexReport, MissingAssemblySpectrumIsNamedAndNoPdfIsLeft) {
  ReportFolder folder;
  folder.WriteJob({kClear, kTinted}, "Anglais");
  folder.WriteRunFiles({kClear, kTinted}, kTinted, "46,5,49,84,6,48,80,50,5,45,6,44");
  std::filesystem::remove(folder.Temp("Final_Energy_Lamivex.out"));
  const pdftest::CommandResult run = folder.RunReport();
  EXPECT_EQ(run.status, 5) << run.output;
  EXPECT_NE(run.output.find(folder.Temp("Final_Energy_Lamivex.out")), std::string::npos)
      << run.output;
  EXPECT_TRUE(NoPartialFiles(folder.Path()));

  // A missing layer spectrum or summary is reported the same way.
  folder.WriteSpectrum("Final_Energy_Lamivex.out", 40, 6, 7);
  std::filesystem::remove(folder.Temp("Energy_2.out"));
  EXPECT_NE(folder.RunReport().output.find(folder.Temp("Energy_2.out")), std::string::npos);
  folder.WriteSpectrum("Energy_2.out", 40, 6, 7);
  std::filesystem::remove(folder.Temp("Lamivex.out"));
  EXPECT_NE(folder.RunReport().output.find(folder.Temp("Lamivex.out")), std::string::npos);
  EXPECT_TRUE(NoPartialFiles(folder.Path()));
}

// Results written before the job belong to an earlier job: a run stopped by a missing
// product leaves them, and the report refuses them. Written at the same instant is fine.
TEST(LamivexReport, ResultsOlderThanTheJobAreRefused) {
  ReportFolder folder;
  folder.WriteJob({kClear}, "Anglais");
  ASSERT_EQ(folder.RunLamivex().status, 0);
  ASSERT_EQ(folder.RunReport().status, 0);
  const std::string job = folder.Temp("input_Lamivex.in");
  for (const char* name : {"Lamivex.out", "Final_Energy_Lamivex.out", "Energy_1.out"}) {
    SCOPED_TRACE(name);
    const auto jobTime = std::filesystem::last_write_time(job);
    std::filesystem::last_write_time(folder.Temp(name), jobTime - std::chrono::nanoseconds(1));
    const pdftest::CommandResult refused = folder.RunReport();
    EXPECT_EQ(refused.status, 5) << refused.output;
    EXPECT_NE(refused.output.find("the results are older than the job: " + folder.Temp(name)),
              std::string::npos)
        << refused.output;
    EXPECT_NE(refused.output.find("lamivex must be run on this job first"), std::string::npos);
    std::filesystem::last_write_time(folder.Temp(name), jobTime);
    EXPECT_EQ(folder.RunReport().status, 0);
  }

  // The job is changed to a product that does not exist; the run stops and the files of
  // the earlier job stay. The job's time is set past theirs, as a later edit has it on a
  // file system whose clock is coarser than the two writes.
  folder.WriteJob({kClear, {1, 404, 84, 84, "Missing", 0, 0, 0}}, "Anglais");
  std::filesystem::last_write_time(
      job,
      std::filesystem::last_write_time(folder.Temp("Lamivex.out")) + std::chrono::milliseconds(10));
  EXPECT_EQ(folder.RunLamivex().status, 3);
  const pdftest::CommandResult refused =
      folder.RunReport("--output '" + folder.Temp("new.pdf") + "'");
  EXPECT_EQ(refused.status, 5) << refused.output;
  EXPECT_NE(refused.output.find("older than the job"), std::string::npos) << refused.output;
  EXPECT_FALSE(std::filesystem::exists(folder.Temp("new.pdf")));
}

TEST(LamivexReport, PdfThatCannotBeCreatedIsReportedInTheJobsLanguage) {
  ReportFolder folder;
  folder.WriteJob({kClear}, "Espagnol");
  folder.WriteRunFiles({kClear}, kClear, "86,8,6,84,8,6,84,87,8,5,8,5");
  const std::string target = folder.Temp("no such folder/report.pdf");
  const pdftest::CommandResult run = folder.RunReport("--output '" + target + "'");
  EXPECT_EQ(run.status, 6) << run.output;
  EXPECT_NE(run.output.find("¡Cierre el archivo PDF antes de realizar el cálculo!"),
            std::string::npos)
      << run.output;
  EXPECT_NE(
      run.output.find("\nThe file " + target + " cannot be created: No such file or directory."),
      std::string::npos)
      << run.output;

  // An existing report is replaced whole, and a folder in the way is refused.
  std::filesystem::create_directories(folder.Temp("Lamivex.pdf"));
  const pdftest::CommandResult refused = folder.RunReport();
  EXPECT_EQ(refused.status, 6);
  EXPECT_NE(refused.output.find(folder.Temp("Lamivex.pdf") + " cannot be created: Is a directory."),
            std::string::npos)
      << refused.output;
  EXPECT_TRUE(std::filesystem::is_directory(folder.Temp("Lamivex.pdf")));
}

// How a case's language file differs from the shipped one.
enum class Labels { Shipped, LongerBy60Percent, ElevenTitles, ThirteenTitles };

struct LayoutCase {
  const char* name;
  int layers;
  const char* language;
  Labels labels;
  size_t nameLength;  // 0: short product names
};

const char* LanguageFile(const std::string& language) {
  if (language == "Français") return "Langages/Français/Impression_FR_Lamivex.txt";
  if (language == "Allemand") return "Langages/Allemand/Impression_DE_Lamivex.txt";
  if (language == "Espagnol") return "Langages/Espagnol/Impression_ES_Lamivex.txt";
  return "Langages/Anglais/Impression_EN_Lamivex.txt";
}

// The shipped language file with every value changed as the case asks: 60 % longer (the
// value followed by its own first characters), or a result-columns label of 11 titles or
// of 13 (a prefix word).
std::string ChangedLanguageFile(const std::string& shipped, Labels labels) {
  std::istringstream lines(shipped);
  std::string changed;
  for (std::string line; std::getline(lines, line, '\n');) {
    const size_t value = line.find("\", \"") + 4;
    const size_t end = line.rfind('"');
    if (value < 4 || end < value) continue;
    std::string text = line.substr(value, end - value);
    const bool columns = line.rfind("\"Te(%)", 0) == 0;
    if (labels == Labels::LongerBy60Percent) {
      text += (text + text).substr(0, (text.size() * 6 + 9) / 10);
    } else if (columns && labels == Labels::ElevenTitles) {
      text.erase(text.rfind(' '));
    } else if (columns && labels == Labels::ThirteenTitles) {
      text = "Summary " + text;
    }
    changed += line.substr(0, value) + text + "\"\r\n";
  }
  return changed;
}

// A product name of the given length from words, "Layer k" first.
std::string ProductName(int k, size_t length) {
  std::string name = "Layer " + std::to_string(k) + " clear float";
  while (name.size() < length) name += " laminated tinted coated " + std::to_string(k);
  return length == 0 ? name : name.substr(0, length);
}

void PrintTo(const LayoutCase& c, std::ostream* out) {
  *out << c.name;
}

class ReportLayout : public ::testing::TestWithParam<LayoutCase> {};

// Whatever the number of layers, the labels and the names: no word off its page or over
// another, the readers accept the file, and every word of every label and name is printed
// with the summary's values in order.
TEST_P(ReportLayout, HoldsEveryTextOnThePageAndApart) {
  const LayoutCase& c = GetParam();
  ReportFolder folder;
  std::vector<TestLayer> layers;
  for (int k = 1; k <= c.layers; ++k) {
    layers.push_back({k % 4 == 2   ? 3
                      : k % 4 == 0 ? 2
                                   : 1,
                      1000 + k, 84, 80.0 + k % 5, ProductName(k, c.nameLength),
                      90.0 - 0.8 * (k % 100), 5.0 + k % 7, 6.0 + k % 5});
  }
  if (c.labels != Labels::Shipped) {
    const std::string file = LanguageFile(c.language);
    folder.UseLanguageFile(
        file,
        ChangedLanguageFile(
            lamivex::testing::ReadBytes(std::string(LAMIVEX_PROGRAM_DIR "/") + file), c.labels));
  }
  folder.WriteJob(layers, c.language);
  folder.WriteRunFiles(layers, kTinted, "40,6,54,84,7,53,80,41,5,54,7,52");
  const pdftest::CommandResult run = folder.RunReport();
  ASSERT_EQ(run.status, 0) << run.output;
  const std::string pdf = folder.Temp("Lamivex.pdf");
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));

  const std::vector<testing::PdfPage> pages = testing::PdfWords(pdf);
  const std::vector<std::string> findings = testing::LayoutFindings(pages);
  EXPECT_TRUE(findings.empty()) << findings.size() << " findings, first: " << findings.front();
  std::set<std::string> printed;
  for (const testing::PdfPage& page : pages) {
    for (const testing::PdfWord& word : page.words) printed.insert(word.text);
  }
  LamivexRun loaded;
  loaded.ProgramFolder = folder.Program();
  LoadReportLabels(loaded, c.language);
  const ReportTexts texts = MakeReportTexts(loaded.Labels);
  std::vector<std::string> expected = testing::PrintedLabels(texts);
  for (const TestLayer& layer : layers) expected.push_back(layer.name);
  for (const std::string& text : expected) {
    for (const std::string& word : SplitColumnTitles(text)) {
      EXPECT_TRUE(printed.contains(word)) << "missing: \"" << word << "\" of \"" << text << "\"";
    }
  }
  // A result-columns label that does not hold twelve titles stands whole above the values,
  // which keep their own titles.
  std::string summary = "40 6 54 84 7 53 80 41 5 54 7 52";
  const std::vector<std::string> titles = SplitColumnTitles(texts.ResultColumns);
  if (titles.size() != 12) {
    summary = "Te Re1 Ae1 Emn1 Re2 Ae2 Emn2 Tl Rl1 Al1 Rl2 Al2 " + summary;
    for (auto title = titles.rbegin(); title != titles.rend(); ++title) {
      summary = *title + " " + summary;
    }
  }
  EXPECT_NE(PdfText(pdf).find(summary), std::string::npos) << summary;
}

// Each language and each size once, the changed labels on the largest stacks; every case
// runs every reader (a report takes well under a second to write and check).
INSTANTIATE_TEST_SUITE_P(
    LayersLabelsAndNames, ReportLayout,
    ::testing::Values(LayoutCase{"OneLayerFrench", 1, "Français", Labels::Shipped, 0},
                      LayoutCase{"ThreeLayersGermanLongNames", 3, "Allemand", Labels::Shipped, 120},
                      LayoutCase{"TwelveLayersSpanish", 12, "Espagnol", Labels::Shipped, 0},
                      LayoutCase{"HundredOneLayersEnglish", 101, "Anglais", Labels::Shipped, 0},
                      LayoutCase{"TwelveLayersLongerLabelsLongNames", 12, "Anglais",
                                 Labels::LongerBy60Percent, 120},
                      LayoutCase{"HundredOneLayersLongerLabels", 101, "Français",
                                 Labels::LongerBy60Percent, 120},
                      LayoutCase{"ElevenResultTitles", 3, "Anglais", Labels::ElevenTitles, 0},
                      LayoutCase{"ThirteenResultTitles", 1, "Espagnol", Labels::ThirteenTitles, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LamivexReport, CommandLine) {
  ReportFolder folder;
  EXPECT_EQ(folder.RunReport("--help").status, 0);
  EXPECT_EQ(folder.RunReport("--version").status, 0);
  EXPECT_EQ(folder.RunReport("--output").status, 64);
  EXPECT_EQ(folder.RunReport("extra").status, 64);
  // No profile folder: the run's message and status.
  std::filesystem::remove_all(folder.Path() / "Solmerac");
  const pdftest::CommandResult run = folder.RunReport();
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("is not found!"), std::string::npos);
}

TEST(LamivexReport, JobOfNoLayersHasNothingToReport) {
  ReportFolder folder;
  folder.WriteJob({}, "Anglais");
  const pdftest::CommandResult run = folder.RunReport();
  EXPECT_EQ(run.status, 4) << run.output;
  EXPECT_NE(run.output.find("no layers"), std::string::npos) << run.output;
  EXPECT_TRUE(NoPartialFiles(folder.Path()));
}

}  // namespace
}  // namespace lamivex::report
