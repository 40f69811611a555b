// A profile folder with a job and a run's files, the programs run on it, what pdftotext reads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "JobWriter.h"
#include "PdfTestSupport.h"
#include "ReportData.h"
#include "TempFolder.h"

namespace lamivex::report::testing {

struct TestLayer {
  int kind, id;
  double emn1, emn2;
  std::string name;
  double t, r1, r2;  // flat spectrum, percent
};

class ReportFolder {
 public:
  ReportFolder() : temp_(folder_ / "Solmerac/v5.2/Profile/Temp") {
    std::filesystem::create_directories(temp_);
  }
  std::string Temp(const std::string& name = "") const { return (temp_ / name).string(); }

  // The job file: layers (layer 2 turned), language, and a new glass's run information.
  void WriteJob(const std::vector<TestLayer>& layers, const std::string& language) const {
    JobDescription job;
    for (size_t k = 0; k < layers.size(); ++k) {
      const TestLayer& l = layers[k];
      job.layers.push_back({static_cast<int16_t>(l.kind), l.id, l.emn1, l.emn2, k == 1, l.name});
    }
    job.info.Language = language;
    job.info.NewGlassThickness = 8.76;
    job.info.LaunchDate = "2024-05-14";
    job.info.LaunchTime = "10:30:00";
    job.info.ProjectReference = "Réf-2024-17";
    job.info.Glazing = "Test glazing";
    job.info.Description = "Report test job";
    job.info.NewGlassName = "New glass 8.76";
    WriteJobFile(Temp("input_Lamivex.in"), job);
  }

  // A finished run's files, CR LF and Windows-1252: flat spectra 300 to 2500 nm for the
  // layers and the assembly (T 46 %, R1 5 %, R2 5.5 %), and the summary.
  void WriteRunFiles(const std::vector<TestLayer>& layers, const std::string& summary) const {
    for (size_t k = 0; k <= layers.size(); ++k) {
      const TestLayer l = k < layers.size() ? layers[k] : TestLayer{0, 0, 0, 0, "", 46, 5, 5.5};
      std::ostringstream text;
      text << "SLamda        Weight        T             R1            R2\r\n";
      for (int lambda = 300; lambda <= 2500; lambda += 5) {
        text << lambda << " 0.002 " << l.t << " " << l.r1 << " " << l.r2 << "\r\n";
      }
      lamivex::testing::WriteBytes(
          Temp(k < layers.size() ? "Energy_" + std::to_string(k + 1) + ".out"
                                 : "Final_Energy_Lamivex.out"),
          text.str());
    }
    lamivex::testing::WriteBytes(
        Temp("Lamivex.out"),
        "\"Caract\xE9ristiques de l'\xE9l\xE9ment sortant\"," + summary + "\r\n");
    WriteDeclaredValues();
  }

  // Declared values whose colours are white in transmission, sRGB red (53.2408, 80.0925,
  // 67.2032) by face 1 and the grey of L* 50 (sRGB 119) by face 2.
  void WriteDeclaredValues(const std::string& leftOut = "") const {
    std::string text;
    for (const char* line :
         {"\"g\", 61.2345", "\"qi\", 2.1251", "\"SC\", 0.70385", "\"S\", 1.43749",
          "\"Tuv\", 0.4567", "\"Ra\", 97.6549", "\"T_L\", 100", "\"T_a\", -0.001", "\"T_b\", 0",
          "\"R1_L\", 53.2408", "\"R1_a\", 80.0925", "\"R1_b\", 67.2032", "\"R2_L\", 50",
          "\"R2_a\", 0", "\"R2_b\", 0"}) {
      if (leftOut.empty() || !std::string(line).starts_with("\"" + leftOut + "\"")) {
        text += line + std::string("\r\n");
      }
    }
    lamivex::testing::WriteBytes(Temp("Lamivex_EN410.out"), text);
  }

  // A program folder of the test's own, the language's labels 60 % longer (each followed by
  // its own first characters, "60%"), or its result titles less one ("11") or plus a word
  // ("13"), or as shipped without the font metrics beside them ("no metrics").
  void ChangeLabels(const std::string& language, const std::string& labels) {
    const std::filesystem::path shipped =
        std::filesystem::directory_iterator(LAMIVEX_PROGRAM_DIR "/Langages/" + language)->path();
    std::istringstream lines(lamivex::testing::ReadBytes(shipped));
    std::string changed;
    for (std::string line; std::getline(lines, line, '\n');) {
      const size_t value = line.find("\", \"") + 4, end = line.rfind('"');
      if (value < 4 || end < value) continue;
      std::string text = line.substr(value, end - value);
      const bool columns = line.starts_with("\"Te(%)");
      size_t cut = text.size() * 6 / 10 + 1;  // on a character's first byte
      while (cut < text.size() && (text[cut] & 0xC0) == 0x80) ++cut;
      if (labels == "60%") text += (text + text).substr(0, cut);
      for (const char* title : {"\"Calcul", "\"Caract", "\"Valeurs", "\"Couleur", "\"Vitrages"}) {
        if (labels == "4x" && line.starts_with(title))
          text = text + " " + text + " " + text + " " + text;
      }
      if (columns && labels == "11") text.erase(text.rfind(' '));
      if (columns && labels == "13") text = "Summary " + text;
      changed += line.substr(0, value) + text + "\"\r\n";
    }
    program_ = folder_ / "Program";
    lamivex::testing::WriteBytes((program_ / "Langages" / language / shipped.filename()).string(),
                                 changed);
    if (labels != "no metrics") {
      std::filesystem::copy_file(LAMIVEX_PROGRAM_DIR "/gPDFFonts.ini", program_ / "gPDFFonts.ini");
    }
  }
  void SetProgramFolder(const std::filesystem::path& folder) { program_ = folder; }

  // A program run on this folder under a French locale: nothing it prints may depend on it.
  pdftest::CommandResult Run(const std::string& program, const std::string& arguments = "") const {
    return pdftest::RunCommand("LC_ALL=fr_FR.UTF-8 AppData='" + Path().string() +
                               "' LAMIVEX_PROGRAM_DIR='" + program_.string() + "' '" + program +
                               "' " + arguments);
  }

  const std::filesystem::path& Path() const { return folder_.Path(); }
  ReportData Load() const {
    LamivexRun run;
    run.ProfilePath = (Path() / "Solmerac/v5.2/Profile").string();
    run.ProgramFolder = program_.string();
    return LoadReportData(run);
  }

 private:
  lamivex::testing::TempFolder folder_;
  std::filesystem::path temp_;
  std::filesystem::path program_ = LAMIVEX_PROGRAM_DIR;
};

// The words of a PDF file as pdftotext reads them, each with its box (points), by page.
struct PdfWord {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::string text;
};
struct PdfPage {
  double width = 0, height = 0;
  std::vector<PdfWord> words;
};

inline std::vector<PdfPage> PdfWords(const std::string& path) {
  std::istringstream tsv(pdftest::RunCommand("pdftotext -tsv -enc UTF-8 '" + path + "' -").output);
  std::vector<PdfPage> pages;
  tsv.ignore(1000, '\n');  // the column titles
  for (int level = 0; tsv >> level;) {
    double numbers[9];  // page, paragraph, block, line, word, left, top, width, height
    std::string confidence, text;
    for (double& number : numbers) tsv >> number;
    tsv >> confidence >> text;
    const double left = numbers[5], top = numbers[6], width = numbers[7], height = numbers[8];
    if (level == 1) pages.push_back({width, height, {}});
    if (level == 5) pages.back().words.push_back({left, top, left + width, top + height, text});
  }
  return pages;
}

// Words out of their page by over half a point, pairs sharing over a quarter of the smaller box.
inline std::vector<std::string> LayoutFindings(const std::vector<PdfPage>& pages) {
  std::vector<std::string> findings;
  for (const PdfPage& page : pages) {
    for (auto a = page.words.begin(); a != page.words.end(); ++a) {
      if (std::min(a->x0, a->y0) < -0.5 || a->x1 > page.width + 0.5 || a->y1 > page.height + 0.5) {
        findings.push_back("'" + a->text + "' outside its page");
      }
      for (auto b = a + 1; b != page.words.end(); ++b) {
        const double w = std::min(a->x1, b->x1) - std::max(a->x0, b->x0);
        const double h = std::min(a->y1, b->y1) - std::max(a->y0, b->y0);
        const double smaller =
            std::min((a->x1 - a->x0) * (a->y1 - a->y0), (b->x1 - b->x0) * (b->y1 - b->y0));
        if (w > 0 && h > 0 && smaller > 0 && w * h > 0.25 * smaller) {
          findings.push_back("'" + a->text + "' over '" + b->text + "'");
        }
      }
    }
  }
  return findings;
}

}  // namespace lamivex::report::testing
