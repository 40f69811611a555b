// A profile folder for the report's tests: a job, the files a run leaves in Temp, and
// lamivex-report (and lamivex) run on it as separate processes; then what pdftotext reads.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "JobWriter.h"
#include "PdfTestSupport.h"
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

  // The job file: layers (layer 2 turned), language, and a laminated glass's run information.
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

  // Every file of a finished run: flat spectra from 300 to 2500 nm every 5 nm for the layers
  // and the assembly, and the summary, in Windows-1252 with CR LF as the run writes them.
  void WriteRunFiles(const std::vector<TestLayer>& layers, const TestLayer& assembly,
                     const std::string& summary) const {
    for (size_t k = 0; k <= layers.size(); ++k) {
      const TestLayer& l = k < layers.size() ? layers[k] : assembly;
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

  // The programs run under a French locale: nothing they print may depend on it.
  std::string Environment() const {
    return "LC_ALL=fr_FR.UTF-8 AppData='" + folder_.Path().string() + "' LAMIVEX_PROGRAM_DIR='" +
           program_.string() + "' ";
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
  lamivex::testing::TempFolder folder_;
  std::filesystem::path temp_;
  std::filesystem::path program_ = LAMIVEX_PROGRAM_DIR;
};

// The text of a PDF file as pdftotext reads it in its layout (a table row on one line),
// every run of blanks and line ends made one blank.
inline std::string PdfText(const std::string& path) {
  std::string text;
  for (char c : pdftest::RunCommand("pdftotext -layout -enc UTF-8 '" + path + "' -").output) {
    if (std::string(" \n\r\t\f").find(c) == std::string::npos) {
      text += c;
    } else if (!text.empty() && text.back() != ' ') {
      text += ' ';
    }
  }
  return text;
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

// The words of a PDF file as pdftotext reads them, each with its box (points) and page.
struct PdfWord {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::string text;
};
struct PdfPage {
  double width = 0, height = 0;
  std::vector<PdfWord> words;
};

inline std::vector<PdfPage> PdfWords(const std::string& path) {
  const std::string xml = pdftest::RunCommand("pdftotext -bbox -enc UTF-8 '" + path + "' -").output;
  const auto number = [](const std::string& tag, const std::string& name) {
    return std::stod(tag.substr(tag.find(" " + name + "=\"") + name.size() + 3));
  };
  std::vector<PdfPage> pages;
  for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
    const std::string tag = xml.substr(at, xml.find('>', at) - at);
    if (tag.starts_with("<page ")) {
      pages.push_back({number(tag, "width"), number(tag, "height"), {}});
    } else if (tag.starts_with("<word ") && !pages.empty()) {
      const size_t start = at + tag.size() + 1;
      std::string text = xml.substr(start, xml.find('<', start) - start);
      for (const std::string entity :
           {"&lt;<", "&gt;>", "&quot;\"", "&apos;'", "&#39;'", "&amp;&"}) {
        const size_t end = entity.find(';') + 1;
        for (size_t e = text.find(entity.substr(0, end)); e != std::string::npos;
             e = text.find(entity.substr(0, end), e + 1)) {
          text.replace(e, end, entity.substr(end));
        }
      }
      pages.back().words.push_back({number(tag, "xMin"), number(tag, "yMin"), number(tag, "xMax"),
                                    number(tag, "yMax"), text});
    }
  }
  return pages;
}

// Every word that lies partly outside its page (by more than half a point), and every pair
// of words whose boxes share more than a quarter of the smaller box.
inline std::vector<std::string> LayoutFindings(const std::vector<PdfPage>& pages) {
  std::vector<std::string> findings;
  for (size_t p = 0; p < pages.size(); ++p) {
    const std::vector<PdfWord>& words = pages[p].words;
    const std::string where = "page " + std::to_string(p + 1) + ": '";
    for (size_t i = 0; i < words.size(); ++i) {
      const PdfWord& a = words[i];
      if (a.x0 < -0.5 || a.y0 < -0.5 || a.x1 > pages[p].width + 0.5 ||
          a.y1 > pages[p].height + 0.5) {
        findings.push_back(where + a.text + "' outside");
      }
      for (size_t j = i + 1; j < words.size(); ++j) {
        const PdfWord& b = words[j];
        const double w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
        const double h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
        const double smaller =
            std::min((a.x1 - a.x0) * (a.y1 - a.y0), (b.x1 - b.x0) * (b.y1 - b.y0));
        if (w > 0 && h > 0 && smaller > 0 && w * h > 0.25 * smaller) {
          findings.push_back(where + a.text + "' over '" + b.text + "'");
        }
      }
    }
  }
  return findings;
}

}  // namespace lamivex::report::testing
