#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <regex>
#include <set>

#include "ConfigurationFolder.h"
#include "ReportFixture.h"
#include "ReportLayout.h"

namespace lamivex::report {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Parts(const std::string& text) {  // separated by "|"
  const std::regex bar("\\|");
  return {std::sregex_token_iterator(text.begin(), text.end(), bar, -1), {}};
}

// The outline as mutool shows it: each item's depth, title, page, and the height it opens
// at (points from the page's top).
struct OutlineItem {
  size_t depth;
  std::string title;
  size_t page;
  double top;
};

std::vector<OutlineItem> Outline(const std::string& pdf) {
  const std::regex item("[|+-](\\t+)\"(.*)\"\t#page=(\\d+)&zoom=[^,]*,[^,]*,([0-9.]+)");
  std::istringstream lines(pdftest::RunCommand("mutool show '" + pdf + "' outline").output);
  std::vector<OutlineItem> items;
  std::smatch m;
  for (std::string line; std::getline(lines, line);) {
    if (std::regex_match(line, m, item))
      items.push_back({m[1].str().size(), m[2], std::stoul(m[3]), std::stod(m[4])});
  }
  return items;
}

// The project, then the sections 1, 2, ... in order, the captions of a section one level
// below it; each opens just above its printed title (in a language with labels; a chart of
// layers is named by their range).
void CheckOutline(const std::string& pdf, const std::vector<testing::PdfPage>& pages,
                  bool labelled) {
  const std::vector<OutlineItem> outline = Outline(pdf);
  ASSERT_GE(outline.size(), 9u);
  int section = 0;
  for (size_t i = 0; i < outline.size(); ++i) {
    const OutlineItem& item = outline[i];
    SCOPED_TRACE(item.title);
    const bool numbered = i > 0 && item.depth == 1;
    EXPECT_EQ(item.depth, i == 0 || numbered ? 1u : 2u);
    const std::string word = item.title.substr(0, item.title.find(' '));
    EXPECT_EQ(word, numbered ? std::to_string(++section) : word);
    ASSERT_LE(item.page, pages.size());
    std::vector<testing::PdfWord> below;  // the words printed just below the height
    std::copy_if(pages[item.page - 1].words.begin(), pages[item.page - 1].words.end(),
                 std::back_inserter(below),
                 [&item](const auto& word) { return std::abs(word.y0 - item.top - 6) < 4; });
    const auto first = std::min_element(below.begin(), below.end(), [](auto& a, auto& b) {
      return std::pair(std::round(a.y0), a.x0) < std::pair(std::round(b.y0), b.x0);
    });
    ASSERT_NE(first, below.end());
    if ((labelled && word != "T") || numbered) {
      EXPECT_EQ(first->text.substr(0, word.size()), word);  // a label's colon may follow
    }
  }
  EXPECT_GE(section, 4);
}

// Every label and layer name printed, nothing off its page or overlapping, the values in place.
void CheckReport(const std::string& pdf, const ReportData& data, std::vector<std::string> expected,
                 const std::string& texts) {
  const ReportTexts& t = data.texts;
  for (const LayerReport& layer : data.layers) {
    expected.insert(expected.end(), {layer.name, std::to_string(layer.id), layer.sourceFile});
    if (!layer.sourceFile.empty()) expected.push_back(t.ImportedFrom);
  }
  EXPECT_TRUE(pdftest::IsValidPdfFile(pdf));
  const std::vector<testing::PdfPage> pages = testing::PdfWords(pdf);
  const std::vector<std::string> findings = testing::LayoutFindings(pages);
  EXPECT_TRUE(findings.empty()) << findings.size() << " findings, first: " << findings.front();
  CheckOutline(pdf, pages, !t.Glazings.empty());
  // Rules, frames and grid lines (two colours of their own) run straight across or down.
  const std::string bytes = lamivex::testing::ReadBytes(pdf);
  for (const std::string colour : {"\r\n0.286 0.314 0.341 RG", "\r\n0.808 0.831 0.855 RG"}) {
    for (size_t at = bytes.find(colour); at != std::string::npos; at = bytes.find(colour, at + 1)) {
      const size_t start = bytes.rfind('\n', bytes.rfind(" m\r\n", at)) + 1;
      std::istringstream line(bytes.substr(start, at - start));
      double x1 = 0, y1 = 0, x2 = 1, y2 = 1;
      std::string m, l;
      line >> x1 >> y1 >> m >> x2 >> y2 >> l;
      EXPECT_TRUE(m + l == "ml" && (x1 == x2 || y1 == y2)) << line.str();
    }
  }
  std::set<std::string> printed;
  for (const testing::PdfPage& page : pages) {
    for (const testing::PdfWord& word : page.words) {
      printed.insert(word.text);  // every text within the text column
      EXPECT_TRUE(word.x0 > kLeft * 72 / 25.4 - 0.5 && word.x1 < kRight * 72 / 25.4 + 0.5)
          << word.text;
    }
  }
  expected.insert(expected.end(), {t.SuiteTitle,
                                   t.ReportTitle,
                                   t.DateVersion,
                                   t.Date,
                                   t.Time,
                                   t.Page,
                                   t.ReportOf,
                                   t.Pages,
                                   t.ProjectDescription,
                                   t.ProjectReference,
                                   t.Glazings,
                                   t.NewGlassName,
                                   t.NewThickness,
                                   t.EnergyCharacteristics,
                                   t.LightCharacteristics,
                                   t.NewCharacteristics,
                                   t.IntegratedCalculation,
                                   t.SpectralCalculation,
                                   t.ResultColumns,
                                   t.DeclaredValues,
                                   t.SolarFactor,
                                   t.SecondaryHeatTransfer,
                                   t.ShadingCoefficient,
                                   t.Selectivity,
                                   t.UvTransmittance,
                                   t.ColourRendering,
                                   t.ColourCaption,
                                   t.Transmitted,
                                   t.ReflectedFace1,
                                   t.ReflectedFace2,
                                   t.Swatch});
  for (const std::string& text : expected) {
    for (const std::string& word : SplitColumnTitles(text)) {
      EXPECT_TRUE(printed.contains(word)) << "missing: \"" << word << "\" of \"" << text << "\"";
    }
  }
  // A result-columns label without twelve titles stands whole; the values keep short titles.
  std::string line;
  const std::vector<std::string> titles = SplitColumnTitles(t.ResultColumns);
  for (const std::string& title : titles) line += title + " ";
  if (titles.size() != 12) line += "Te Re1 Ae1 Emn1 Re2 Ae2 Emn2 Tl Rl1 Al1 Rl2 Al2 ";
  const std::string text = std::regex_replace(  // a table row on one line, blanks as one
      pdftest::RunCommand("pdftotext -layout -enc UTF-8 '" + pdf + "' -").output,
      std::regex("\\s+"), " ");
  for (const std::string& value : data.summary) line += value + " ";
  for (const std::string& part : Parts(line + "|" + texts)) {
    EXPECT_NE(text.find(part), std::string::npos) << "missing: \"" << part << "\"";
  }
  const std::string info = pdftest::RunCommand("pdfinfo -enc UTF-8 '" + pdf + "'").output;
  EXPECT_NE(info.find(" " + t.ReportTitle + "\nSubject:"), std::string::npos) << info;
  EXPECT_NE(info.find(" " + data.info.Glazing + "\nKeywords:"), std::string::npos) << info;
  EXPECT_NE(info.find(" Lamivex\nProducer:"), std::string::npos) << info;
}

struct ReportCase {
  const char* name;
  int layers;
  const char* language;
  const char* labels;  // the shipped ones, or "60%" longer, or "11" or "13" result titles
  size_t nameLength;   // 0: short product names
  const char* texts;   // exact texts the report holds, separated by "|"
  friend void PrintTo(const ReportCase& c, std::ostream* out) { *out << c.name; }
};

// Layer k: kinds glass, PVB, glass, film, ...; T 90 - 0.8 k, R1 5 + k % 7, R2 6 + k % 5.
std::vector<testing::TestLayer> Layers(int count, size_t nameLength) {
  std::vector<testing::TestLayer> layers;
  for (int k = 1; k <= count; ++k) {
    std::string name = "Layer " + std::to_string(k) + " clear float";
    while (name.size() < nameLength) name += " laminated tinted coated " + std::to_string(k);
    const int kind = k % 4 == 2 ? 3 : (k % 4 == 0 ? 2 : 1);
    layers.push_back({kind, 1000 + k, 84, 80.0 + k % 5,
                      nameLength == 0 ? name : name.substr(0, nameLength), 90.0 - 0.8 * (k % 100),
                      5.0 + k % 7, 6.0 + k % 5});
  }
  return layers;
}

class ReportLayout : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportLayout, HoldsEveryTextOnThePageAndApart) {
  const ReportCase& c = GetParam();
  testing::ReportFolder folder;
  const std::vector<testing::TestLayer> layers = Layers(c.layers, c.nameLength);
  if (*c.labels != 0) folder.ChangeLabels(c.language, c.labels);
  folder.WriteJob(layers, c.language);
  folder.WriteRunFiles(layers, "40,6,54,84,7,53,80,41,5,54,7,52");
  ASSERT_EQ(folder.Run(LAMIVEX_REPORT_EXECUTABLE).status, 0);
  const ReportData data = folder.Load();
  EXPECT_EQ(data.texts.ReportTitle.empty(), c.language == std::string("francais"));
  CheckReport(folder.Temp("Lamivex.pdf"), data, {}, c.texts);
  const std::string pdf = lamivex::testing::ReadBytes(folder.Temp("Lamivex.pdf"));
  for (const char* swatch :
       {"1.000 1.000 1.000 rg", "1.000 0.000 0.000 rg", "0.467 0.467 0.467 rg"})
    EXPECT_NE(pdf.find(swatch), std::string::npos) << swatch;
}

// Each language and size once, changed labels on large stacks, the header row repeated on page 2.
INSTANTIATE_TEST_SUITE_P(
    LayersLabelsAndNames, ReportLayout,
    ::testing::Values(
        ReportCase{"OneLayerFrench", 1, "Français", "", 0,
                   "Solmerac 5.2 Date : 2024-05-14 Heure : 10:30:00 Caractéristiques optiques "
                   "d'un assemblage de vitrage Page 1 / 2|Projet/Référence : Réf-2024-17|"
                   "Épaisseur de l'assemblage : 8.76 mm 1 Vitrages # Id Fichier importé 1 2 "
                   "Emn1 (%) Emn2 (%) 1 verre 1001 Layer 1 clear float sample_clear_4_mm.csv non "
                   "84 81|Test glazing 46.0 5.0 49.0 5.5 48.5 1 verre Layer 1 clear float 89.2 "
                   "6.0 4.8 7.0 3.8|3 Valeurs déclarées (EN 410) Facteur solaire g 61.23 % Facteur "
                   "de réémission thermique vers l'intérieur qi 2.13 % Coefficient d'ombrage SC "
                   "0.704 Sélectivité S 1.437 Transmission des ultraviolets Tuv 0.46 % Indice "
                   "général de rendu des couleurs Ra 97.65 Couleur (CIE L*a*b*, D65, 2°) D65 2° "
                   "380 - 780 nm L* a* b* Teinte Lumière transmise 100.00 0.00 0.00 Lumière "
                   "réfléchie par la face 1 53.24 80.09 67.20 Lumière réfléchie par la face 2 "
                   "50.00 0.00 0.00|% 380 - 780 nm 100 T R1 90 R2 80 70 60 50 40 30 20 10 0 300 "
                   "500 700 900 1100 1300 1500 1700 1900 2100 2300 2500 nm"},
        ReportCase{"ThreeLayersGermanLongNames", 3, "de", "", 120,
                   "Solmerac 5.2|Optische Kennwerte eines Verglasungsaufbaus"},
        ReportCase{"TwelveLayersSpanish", 12, "Spanish", "", 0,
                   "Solmerac 5.2|Características ópticas de una composición de acristalamiento"},
        ReportCase{
            "HundredOneLayersEnglish", 101, "EN", "", 0,
            "Optical characteristics of a glazing stack|# Id Imported from 1 2 Emn1 (%) Emn2 "
            "(%) 37 glass 1037|Glazings 85 - 96 T (%)|"
            "Glazings 97 - 101 T (%)"},
        ReportCase{"TwelveLayersFourfoldLabelsLongNames", 12, "Anglais", "4x", 120, ""},
        ReportCase{"HundredOneLayersLongerLabels", 101, "Français", "60%", 120, ""},
        ReportCase{"ElevenResultTitles", 3, "Anglais", "11", 0,
                   "Page 3 / 3|2 PVB 1002 Layer 2 clear float yes 84 82|"  // the second is turned
                   "3 glass Layer 3 clear float 87.6 8.0 4.4 9.0 3.4 Light characteristics 380 "
                   "- 780 nm (%) # Tl Rl1 Al1 Rl2 Al2"},
        ReportCase{"ThirteenResultTitles", 1, "Espagnol", "13", 0, ""},
        ReportCase{"MetricsBesideTheProgram", 3, "Anglais", "no metrics", 0, ""},
        ReportCase{"UnknownLanguage", 2, "francais", "", 0,  // numbers, no labels
                   "2024-05-14 10:30:00 1/2 Report test job Réf-2024-17 Test glazing New glass "
                   "8.76 8.76 mm 1 # Id 1 2|2 1002 Layer 2 clear float 84 82|3 EN 410 g 61.23 % "
                   "qi 2.13 %|T 100.00 0.00 0.00 R1 53.24 80.09 67.20 R2 50.00 0.00 0.00|2 Layer "
                   "2 clear float 88.4 7.0 4.6 8.0 3.6 380 - 780 nm"}),
    [](const auto& info) { return std::string(info.param.name); });

// The demo job run by lamivex: the values integrated from its spectra round to its summary's.
TEST(LamivexReport, DemoRun) {
  testing::ReportFolder folder;
  const std::regex language("\"Langue\", *\"[^\"]*\"");
  lamivex::testing::WriteBytes(folder.Temp("input_Lamivex.in"),
                               std::regex_replace(lamivex::testing::ReadBytes(LAMIVEX_DEMO_JOB),
                                                  language, "\"Langue\", \"German\""));
  ASSERT_EQ(folder.Run(LAMIVEX_EXECUTABLE).status, 0);
  // A lamivex that does not yet write the declared values: the fixture's stand in for them.
  if (!std::filesystem::exists(folder.Temp("Lamivex_EN410.out"))) folder.WriteDeclaredValues();
  ASSERT_EQ(folder.Run(LAMIVEX_REPORT_EXECUTABLE).status, 0);
  const ReportData loaded = folder.Load();
  const ReportTexts& t = loaded.texts;  // the demo's layers are glass / PVB / glass, none turned
  // The stack's name on one line with its values, however narrow its own column.
  CheckReport(folder.Temp("Lamivex.pdf"), loaded, {t.Glass, t.PVB, t.No},
              loaded.info.Glazing + " " + OneDecimal(loaded.assemblyEnergy.T) + " " +
                  OneDecimal(loaded.assemblyEnergy.R1));
  EXPECT_EQ(std::to_string(std::lround(loaded.assemblyEnergy.T)), loaded.summary[0]);
  EXPECT_EQ(std::to_string(std::lround(loaded.assemblyEnergy.R1)), loaded.summary[1]);
  EXPECT_EQ(std::to_string(std::lround(loaded.assemblyLight.T)), loaded.summary[7]);
  EXPECT_EQ(std::to_string(std::lround(loaded.assemblyLight.R1)), loaded.summary[8]);
}

// A change to a finished run, its file, the arguments, the status, the messages ("|" between
// them, {T} the Temp folder, {F} the test's folder); no PDF is left.
TEST(LamivexReport, Refusals) {
  const std::tuple<std::string_view, const char*, const char*, int, const char*> cases[] = {
      {"remove", "Final_Energy_Lamivex.out", "", 5, "{T}Final_Energy_Lamivex.out"},
      {"remove", "Lamivex_EN410.out", "", 5, "run's file {T}Lamivex_EN410.out is missing"},
      {"summary", "Lamivex.out", "", 5,
       "Error: the summary {T}Lamivex.out holds 3 values after its title instead of 12."},
      {"declared", "Tuv", "", 5,
       "Error: the declared values {T}Lamivex_EN410.out hold no number for \"Tuv\""},
      {"older", "Lamivex.out", "", 5,
       "the results are older than the job: {T}Lamivex.out was written before "
       "{T}input_Lamivex.in; lamivex must be run on this job first."},
      {"older", "Lamivex_EN410.out", "", 5, "older than the job: {T}Lamivex_EN410.out"},
      {"older", "Energy_2.out", "--output '{T}x.pdf'", 5, "older than the job: {T}Energy_2.out"},
      {"same time", "Lamivex.out", "", 0, "lamivex-report: report written to {T}Lamivex.pdf\n"},
      {"no layers", "", "", 4, "no layers"},
      {"no profile", "", "", 2, "is not found!"},
      {"program", "/nonexistent", "", 1,
       "Error: the language file /nonexistent/Langages/Espagnol/Impression_ES_Lamivex.txt of "
       "the report language \"Espagnol\" is not found!"},
      {"no metrics", "", "", 1,  // in the program folder nor beside the program nor installed
       "Error: no font metrics to measure the report's texts with; the folders searched for "
       "gPDFFonts.ini: {F}/Program (no gPDFFonts.ini); {F}/bin (no gPDFFonts.ini); "
       "{F}/share/CreatePDF (no gPDFFonts.ini); "},
      {"", "", "--output '{T}no such folder/r.pdf'", 6,
       "¡Cierre el archivo PDF antes de escribir el informe!\nThe file {T}no such folder/r.pdf "
       "cannot be created: No such file or directory."},
      {"folder", "Lamivex.pdf", "", 6, "{T}Lamivex.pdf cannot be created: Is a directory."},
      {"language", "", "--output={T}x.pdf", 0,
       "warning: the report language \"Castellano\" (key \"Langue\" of the job file) is none of "
       "Français, Anglais, Allemand, Espagnol (or French, English, German, Spanish, or fr, en, "
       "de, es)|report written to {T}x.pdf"},
      {"language", "", "--language=DE --output={T}x.pdf", 0, "report written to {T}x.pdf"},
      {"", "", "--language Castellano", 64, "unknown language 'Castellano'; the languages are"},
      {"", "", "--output", 64, "unknown or incomplete argument '--output'"},
  };
  for (const auto& [change, name, arguments, status, messages] : cases) {
    testing::ReportFolder folder;
    const auto withTemp = [&folder](const std::string& text) {
      const std::string temp = std::regex_replace(text, std::regex("\\{T\\}"), folder.Temp());
      return std::regex_replace(temp, std::regex("\\{F\\}"), folder.Path().string());
    };
    SCOPED_TRACE(withTemp(messages));
    const std::vector<testing::TestLayer> layers = Layers(2, 0);
    folder.WriteJob(layers, "Espagnol");
    folder.WriteRunFiles(layers, "46,5,49,84,6,48,80,50,5,45,6,44");
    const std::string job = folder.Temp("input_Lamivex.in"), file = folder.Temp(name);
    const auto jobTime = std::filesystem::last_write_time(job);
    std::string program = LAMIVEX_REPORT_EXECUTABLE;
    if (change == "remove") std::filesystem::remove(file);
    if (change == "summary") lamivex::testing::WriteBytes(file, "\"Title\",1,2,3\r\n");
    if (change == "declared") folder.WriteDeclaredValues(name);
    if (change == "older") std::filesystem::last_write_time(file, jobTime - 1ns);
    if (change == "same time") std::filesystem::last_write_time(file, jobTime);
    if (change == "no layers") folder.WriteJob({}, "Espagnol");
    if (change == "no profile") std::filesystem::remove_all(folder.Path() / "Solmerac");
    if (change == "program") folder.SetProgramFolder(name);
    if (change == "folder") std::filesystem::create_directory(file);
    if (change == "language") {
      folder.WriteJob(layers, "Castellano");
      std::filesystem::last_write_time(job, jobTime - 1s);  // dated before the results
    }
    if (change == "no metrics") {
      if (std::filesystem::exists(createpdf::DefaultConfigurationFolders().back() /
                                  "gPDFFonts.ini")) {
        continue;  // a writer installed on this machine would measure the report
      }
      folder.ChangeLabels("Espagnol", "no metrics");
      program = (folder.Path() / "bin/lamivex-report").string();
      std::filesystem::create_directories(folder.Path() / "bin");
      std::filesystem::copy_file(LAMIVEX_REPORT_EXECUTABLE, program);
    }
    const pdftest::CommandResult run = folder.Run(program, withTemp(arguments));
    EXPECT_EQ(run.status, status) << run.output;
    for (const std::string& message : Parts(messages)) {
      EXPECT_NE(run.output.find(withTemp(message)), std::string::npos) << run.output;
    }
    if (std::string_view(arguments).starts_with("--language=")) {
      EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
    }
    for (const char* pdf : {"Lamivex.pdf", "x.pdf"})
      EXPECT_TRUE(status == 0 || !std::filesystem::is_regular_file(folder.Temp(pdf))) << pdf;
  }
}

}  // namespace
}  // namespace lamivex::report
