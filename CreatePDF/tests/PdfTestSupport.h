// Shared by the writer's tests and the report's: the writer's state, a temporary document,
// the checks every written file must pass.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>

#include "CreatePDF.h"

class CreatePDFTestAccess {
 public:
  static auto& PageContent(CreatePDF& pdf) { return pdf.PageContent; }
  static auto& CurrentX(CreatePDF& pdf) { return pdf.CurrentX; }
  static auto& CurrentY(CreatePDF& pdf) { return pdf.CurrentY; }
  static auto& FontName(CreatePDF& pdf) { return pdf.FontName; }
  static auto& DrawMode(CreatePDF& pdf) { return pdf.DrawMode; }
  static auto& LineDash(CreatePDF& pdf) { return pdf.LineDash; }
  static auto& BorderSpec(CreatePDF& pdf) { return pdf.BorderSpec; }
  static auto& PageLinks(CreatePDF& pdf) { return pdf.PageLinks; }
  static auto& PageLinkCount(CreatePDF& pdf) { return pdf.PageLinkCount; }
  static auto& ImageCount(CreatePDF& pdf) { return pdf.ImageCount; }
};

namespace pdftest {

// The text with every "|" turned into CR LF, the writer's line end.
inline std::string Lines(std::string text) {
  for (std::size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
  return text;
}

struct CapturedMessage {
  std::string text, title;
  PDFMessageIcon icon;
};

inline PDFMessageHandler CaptureInto(std::vector<CapturedMessage>& log) {
  return [&log](auto& text, auto& title, PDFMessageIcon icon) {
    log.push_back({text, title, icon});
  };
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

// A temporary file named after the running test and the process.
inline std::string TestFilePath(const std::string& suffix = "", const std::string& ext = ".pdf") {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "createpdf_" + std::string(test->name()) + suffix;
  std::replace(name.begin(), name.end(), '/', '_');  // parameterised tests' names
  return (std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()) + ext))
      .string();
}

struct CommandResult {
  int status = -1;
  std::string output;  // standard output and standard error
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// qpdf --check, pdfinfo and mutool info (which name an xref entry off by a byte) succeed
// without a warning or an error; a large document names the pages mutool reads ("1,N").
inline ::testing::AssertionResult IsValidPdfFile(const std::string& path,
                                                 const std::string& mutoolPages = "") {
  if (!std::filesystem::is_regular_file(path))
    return ::testing::AssertionFailure() << "no " << path;
  const std::string quoted = "'" + path + "'";
  for (const std::string& command : {"qpdf --check " + quoted, "pdfinfo " + quoted,
                                     "mutool info " + quoted + " " + mutoolPages}) {
    CommandResult run = RunCommand(command);
    for (char& c : run.output) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool diagnostic = false;
    for (const char* mark : {"error:", "error (", "warning:", "warning ("})
      diagnostic = diagnostic || run.output.find(mark) != std::string::npos;
    if (run.status != 0 || diagnostic)
      return ::testing::AssertionFailure() << command << " (exit " << run.status << "):\n"
                                           << run.output;
  }
  return ::testing::AssertionSuccess();
}

// A writer to a temporary file (removed if the test passed) that captures its messages.
class TestDocument {
 public:
  explicit TestDocument(const std::string& suffix = "") : path(TestFilePath(suffix)) {
    pdf.PDFSetMessageHandler(CaptureInto(messages));
    pdf.PDFFileName(path);
  }
  ~TestDocument() {
    if (!::testing::Test::HasFailure()) std::filesystem::remove(path);
  }
  std::string Finish() {
    pdf.PDFEndDoc();
    return ReadFileBytes(path);
  }
  std::string path;
  std::vector<CapturedMessage> messages;
  CreatePDF pdf;
};

// The whole process in a French locale (decimal comma) while it lives, if the system has one.
class FrenchLocale {
 public:
  FrenchLocale() : active_(std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr) {
    if (active_) previous_ = std::locale::global(std::locale("fr_FR.UTF-8"));
  }
  ~FrenchLocale() {
    if (active_) std::locale::global(previous_), std::setlocale(LC_ALL, "C");
  }
  bool active() const { return active_; }

 private:
  bool active_;
  std::locale previous_;
};

}  // namespace pdftest
