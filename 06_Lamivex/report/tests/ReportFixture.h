// A profile folder for the report's tests: a job, the files a run leaves in Temp, and
// lamivex-report (and lamivex) run on it as separate processes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "JobWriter.h"
#include "PdfTestSupport.h"
#include "ReportText.h"
#include "TempFolder.h"

namespace lamivex::report::testing {

struct TestLayer {
  int kind = 1;
  int id = 1001;
  double emn1 = 84.0, emn2 = 84.0;
  std::string name;
  double t = 80.0, r1 = 8.0, r2 = 9.0;  // flat spectrum, percent
};

class ReportFolder {
 public:
  ReportFolder() : temp_(folder_ / "Solmerac/v5.2/Profile/Temp") {
    std::filesystem::create_directories(temp_);
  }
  std::string Temp(const std::string& name = "") const { return (temp_ / name).string(); }

  // The job file: layers (layer 2 turned), language, and the run information of a
  // laminated glass.
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
    job.info.ProjectReference =
        "R\xC3\xA9"
        "f-2024-17";
    job.info.Glazing = "Test glazing";
    job.info.Description = "Report test job";
    job.info.NewGlassName = "New glass 8.76";
    WriteJobFile(Temp("input_Lamivex.in"), job);
  }

  // A flat spectrum file from 300 to 2500 nm every 5 nm, as the run writes them.
  void WriteSpectrum(const std::string& name, double t, double r1, double r2) const {
    std::string text = "SLamda        Weight        T             R1            R2\r\n";
    for (int lambda = 300; lambda <= 2500; lambda += 5) {
      text += std::to_string(lambda) + " 0.002 " + Number(t) + " " + Number(r1) + " " + Number(r2) +
              "\r\n";
    }
    lamivex::testing::WriteBytes(Temp(name), text);
  }

  // Every file of a finished run: the layers' spectra, the assembly's and the summary.
  void WriteRunFiles(const std::vector<TestLayer>& layers, const TestLayer& assembly,
                     const std::string& summary) const {
    for (size_t k = 0; k < layers.size(); ++k) {
      WriteSpectrum("Energy_" + std::to_string(k + 1) + ".out", layers[k].t, layers[k].r1,
                    layers[k].r2);
    }
    WriteSpectrum("Final_Energy_Lamivex.out", assembly.t, assembly.r1, assembly.r2);
    lamivex::testing::WriteBytes(
        Temp("Lamivex.out"),
        "\"Caract\xE9ristiques de l'\xE9l\xE9ment sortant\"," + summary + "\r\n");
  }

  // A program folder of this test's own, with the writer's metrics and one language file
  // (its path under the program folder) in place of the shipped ones.
  void UseLanguageFile(const std::string& relative, const std::string& bytes) {
    program_ = folder_ / "Program";
    std::filesystem::create_directories(program_);
    std::filesystem::copy_file(LAMIVEX_PROGRAM_DIR "/gPDFFonts.ini", program_ / "gPDFFonts.ini",
                               std::filesystem::copy_options::overwrite_existing);
    lamivex::testing::WriteBytes((program_ / relative).string(), bytes);
  }

  std::string Environment() const {
    return "AppData='" + folder_.Path().string() + "' LAMIVEX_PROGRAM_DIR='" + program_.string() +
           "' ";
  }
  pdftest::CommandResult RunReport(const std::string& arguments = "") const {
    return pdftest::RunCommand(Environment() + "'" LAMIVEX_REPORT_EXECUTABLE "' " + arguments);
  }
  pdftest::CommandResult RunLamivex() const {
    return pdftest::RunCommand(Environment() + "'" LAMIVEX_EXECUTABLE "'");
  }

  const std::filesystem::path& Path() const { return folder_.Path(); }
  std::string Program() const { return program_.string(); }

 private:
  static std::string Number(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
  }
  lamivex::testing::TempFolder folder_;
  std::filesystem::path temp_;
  std::filesystem::path program_ = LAMIVEX_PROGRAM_DIR;
};

// The text of a PDF file as pdftotext reads it in its layout (a table row on one line),
// every run of blanks and line ends made one blank.
inline std::string PdfText(const std::string& path) {
  const pdftest::CommandResult result =
      pdftest::RunCommand("pdftotext -layout -enc UTF-8 '" + path + "' -");
  std::string text;
  for (char c : result.output) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
    if (blank) {
      if (!text.empty() && text.back() != ' ') text += ' ';
    } else {
      text += c;
    }
  }
  return text;
}

// The words of a PDF file as pdftotext reads them, each with its box (points) and page.
struct PdfWord {
  int page = 0;
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::string text;
};
struct PdfPage {
  double width = 0, height = 0;
  std::vector<PdfWord> words;
};

inline std::string Attribute(const std::string& tag, const std::string& name) {
  const size_t start = tag.find(" " + name + "=\"");
  if (start == std::string::npos) return "0";
  const size_t value = start + name.size() + 3;
  return tag.substr(value, tag.find('"', value) - value);
}

inline std::string Unescaped(std::string text) {
  for (const auto& [entity, character] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                          {"&gt;", ">"},
                                          {"&quot;", "\""},
                                          {"&apos;", "'"},
                                          {"&#39;", "'"},
                                          {"&amp;", "&"}}) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
      text.replace(at, entity.size(), character);
    }
  }
  return text;
}

inline std::vector<PdfPage> PdfWords(const std::string& path) {
  const std::string xml = pdftest::RunCommand("pdftotext -bbox -enc UTF-8 '" + path + "' -").output;
  std::vector<PdfPage> pages;
  for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    const std::string tag = xml.substr(at, xml.find('>', at) - at);
    if (tag.rfind("<page ", 0) == 0) {
      pages.push_back(
          {std::stod(Attribute(tag, "width")), std::stod(Attribute(tag, "height")), {}});
    } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
      const size_t text = at + tag.size() + 1;
      pages.back().words.push_back(
          {static_cast<int>(pages.size()), std::stod(Attribute(tag, "xMin")),
           std::stod(Attribute(tag, "yMin")), std::stod(Attribute(tag, "xMax")),
           std::stod(Attribute(tag, "yMax")),
           Unescaped(xml.substr(text, xml.find('<', text) - text))});
    }
  }
  return pages;
}

// Every word that lies partly outside its page (by more than half a point), and every pair
// of words whose boxes share more than a quarter of the smaller box.
inline std::vector<std::string> LayoutFindings(const std::vector<PdfPage>& pages) {
  std::vector<std::string> findings;
  for (const PdfPage& page : pages) {
    const auto& words = page.words;
    for (size_t i = 0; i < words.size(); ++i) {
      const PdfWord& a = words[i];
      if (a.x0 < -0.5 || a.y0 < -0.5 || a.x1 > page.width + 0.5 || a.y1 > page.height + 0.5) {
        findings.push_back("page " + std::to_string(a.page) + ": '" + a.text + "' outside");
      }
      for (size_t j = i + 1; j < words.size(); ++j) {
        const PdfWord& b = words[j];
        const double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
        const double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
        const double smaller =
            std::min((a.x1 - a.x0) * (a.y1 - a.y0), (b.x1 - b.x0) * (b.y1 - b.y0));
        if (w > 0 && h > 0 && smaller > 0 && w * h > 0.25 * smaller) {
          findings.push_back("page " + std::to_string(a.page) + ": '" + a.text + "' over '" +
                             b.text + "'");
        }
      }
    }
  }
  return findings;
}

// A field of pdfinfo's output ("Title", "Pages", ...), without the blanks around it.
inline std::string PdfInfo(const std::string& path, const std::string& field) {
  std::istringstream info(pdftest::RunCommand("pdfinfo -enc UTF-8 '" + path + "'").output);
  for (std::string line; std::getline(info, line);) {
    if (line.rfind(field + ":", 0) != 0) continue;
    const size_t value = line.find_first_not_of(' ', field.size() + 1);
    return value == std::string::npos ? std::string() : line.substr(value);
  }
  return "?";
}

inline int PdfPages(const std::string& path) {
  const std::string pages = PdfInfo(path, "Pages");
  return pages.empty() || pages == "?" ? -1 : std::stoi(pages);
}

// The labels every report prints, made printable: titles, page texts, table headings
// and the result columns (the names of kinds and yes / no appear only as the layers
// have them, so they are not among them).
inline std::vector<std::string> PrintedLabels(const ReportTexts& t) {
  std::vector<std::string> labels = {t.SuiteTitle,
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
                                     t.SpectralCalculation};
  for (const std::string& title : SplitColumnTitles(t.ResultColumns)) labels.push_back(title);
  return labels;
}

}  // namespace lamivex::report::testing
