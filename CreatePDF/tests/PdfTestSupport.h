// Shared by the writer's tests and the report's: the writer's state, a temporary document,
// the checks every written file must pass.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name) c = c == '/' ? '_' : c;
  const auto folder = std::filesystem::temp_directory_path() / "createpdf_tests";
  std::filesystem::create_directories(folder);
  return (folder / (name + suffix + "." + std::to_string(::getpid()) + ext)).string();
}

// Every cross-reference entry k must be the byte position of the line "k 0 obj",
// startxref that of "xref", and the file must end with "%%EOF" and CR LF.
inline ::testing::AssertionResult CrossReferenceIsExact(const std::string& bytes) {
  const std::size_t keyword = bytes.rfind("startxref\r\n");
  std::size_t at = keyword == std::string::npos ? 0 : std::stoull(bytes.substr(keyword + 11));
  if (keyword == std::string::npos || bytes.compare(at, 8, "xref\r\n0 ") != 0)
    return ::testing::AssertionFailure() << "startxref does not point at xref";
  const int size = std::stoi(bytes.substr(at + 8));
  at = bytes.find("\r\n", at + 8) + 2;
  for (int k = 0; k < size; ++k, at += 20) {
    const std::string entry = bytes.substr(at, 20), header = std::to_string(k) + " 0 obj\r\n";
    const std::size_t object = k ? std::stoull(entry) : 0;
    const bool exact = k ? entry.ends_with(" 00000 n\r\n") && object > 0 && object < bytes.size() &&
                               bytes[object - 1] == '\n' &&
                               bytes.compare(object, header.size(), header) == 0
                         : entry == "0000000000 65535 f\r\n";
    if (!exact) return ::testing::AssertionFailure() << "xref entry " << k << ": " << entry;
  }
  if (bytes.ends_with("\r\n%%EOF\r\n")) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the file does not end with %%EOF CR LF";
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

// The cross-reference is exact, and qpdf --check, pdfinfo and mutool info succeed without a
// warning or an error; a large document names the pages mutool looks at ("1,N").
inline ::testing::AssertionResult IsValidPdfFile(const std::string& path,
                                                 const std::string& mutoolPages = "") {
  if (!std::filesystem::is_regular_file(path))
    return ::testing::AssertionFailure() << "no " << path;
  if (auto exact = CrossReferenceIsExact(ReadFileBytes(path)); !exact) return exact;
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
  FrenchLocale() {
    for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR"})
      if (!active_ && std::setlocale(LC_ALL, name))
        previous_ = std::locale::global(std::locale(name)), active_ = true;
  }
  ~FrenchLocale() {
    if (active_) std::locale::global(previous_), std::setlocale(LC_ALL, "C");
  }
  bool active() const { return active_; }

 private:
  bool active_ = false;
  std::locale previous_;
};

}  // namespace pdftest
