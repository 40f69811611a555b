// Shared by the writer's tests (and the report's): access to the writer's state, a
// document written to a temporary file, and the checks every written file must pass
// (exact cross-reference offsets, then qpdf, pdfinfo and mutool).
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CreatePDF.h"

// Reads and changes the writer's private state in tests: each accessor returns a
// reference to the field of the same name.
class CreatePDFTestAccess {
 public:
#define CREATEPDF_TEST_FIELD(name)    \
  static auto& name(CreatePDF& pdf) { \
    return pdf.name;                  \
  }
  CREATEPDF_TEST_FIELD(PageContent)
  CREATEPDF_TEST_FIELD(CurrentX)
  CREATEPDF_TEST_FIELD(CurrentY)
  CREATEPDF_TEST_FIELD(FilePath)
  CREATEPDF_TEST_FIELD(FontName)
  CREATEPDF_TEST_FIELD(DrawMode)
  CREATEPDF_TEST_FIELD(LineDash)
  CREATEPDF_TEST_FIELD(TextColorOp)
  CREATEPDF_TEST_FIELD(LineColorOp)
  CREATEPDF_TEST_FIELD(DrawColorOp)
  CREATEPDF_TEST_FIELD(BorderSpec)
  CREATEPDF_TEST_FIELD(PageLinks)
  CREATEPDF_TEST_FIELD(PageLinkCount)
  CREATEPDF_TEST_FIELD(ImageCount)
#undef CREATEPDF_TEST_FIELD
};

namespace pdftest {

// The text with every "|" turned into CR LF, the writer's line end.
inline std::string Lines(std::string text) {
  for (std::size_t at; (at = text.find('|')) != std::string::npos;) text.replace(at, 1, "\r\n");
  return text;
}

struct CapturedMessage {
  std::string text;
  std::string title;
  PDFMessageIcon icon;
};

// A handler that appends every message to `log` instead of printing it.
inline PDFMessageHandler CaptureInto(std::vector<CapturedMessage>& log) {
  return [&log](const std::string& text, const std::string& title, PDFMessageIcon icon) {
    log.push_back({text, title, icon});
  };
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A file in the system's temporary folder named after the running test and the process,
// so that two builds running the same test at once do not meet.
inline std::string TestFilePath(const std::string& suffix = "", const std::string& ext = ".pdf") {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name) c = c == '/' ? '_' : c;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "createpdf_tests";
  std::filesystem::create_directories(folder);
  return (folder / (name + suffix + "." + std::to_string(::getpid()) + ext)).string();
}

// The offsets of the cross-reference table, entry k for object k (entry 0 unused).
// Throws unless startxref points at "xref" and every entry is well formed.
inline std::vector<int64_t> ReadCrossReference(const std::string& bytes) {
  const std::size_t keyword = bytes.rfind("startxref\r\n");
  if (keyword == std::string::npos) throw std::runtime_error("no startxref");
  std::size_t pos = std::stoull(bytes.substr(keyword + 11));
  if (pos >= bytes.size() || bytes.compare(pos, 8, "xref\r\n0 ") != 0) {
    throw std::runtime_error("startxref does not point at xref");
  }
  const int size = std::stoi(bytes.substr(pos + 8));
  pos = bytes.find("\r\n", pos + 8) + 2;
  if (bytes.compare(pos, 20, "0000000000 65535 f\r\n") != 0) throw std::runtime_error("entry 0");
  std::vector<int64_t> offsets(1, 0);
  for (int k = 1; k < size; ++k) {
    pos += 20;
    if (bytes.size() < pos + 20 || bytes.compare(pos + 10, 10, " 00000 n\r\n") != 0) {
      throw std::runtime_error("entry " + std::to_string(k) + " is malformed");
    }
    offsets.push_back(std::stoll(bytes.substr(pos, 10)));
  }
  return offsets;
}

// Every cross-reference entry k must be the byte position of the line "k 0 obj", and the
// file must end with "%%EOF" and CR LF.
inline ::testing::AssertionResult CrossReferenceIsExact(const std::string& bytes) {
  std::vector<int64_t> offsets;
  try {
    offsets = ReadCrossReference(bytes);
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "cross-reference table: " << e.what();
  }
  for (std::size_t k = 1; k < offsets.size(); ++k) {
    const auto at = static_cast<std::size_t>(offsets[k]);
    const std::string header = std::to_string(k) + " 0 obj\r\n";
    if (at >= bytes.size() || (at > 0 && bytes[at - 1] != '\n') ||
        bytes.compare(at, header.size(), header) != 0) {
      return ::testing::AssertionFailure() << "object " << k << ": xref offset " << at;
    }
  }
  if (!bytes.ends_with("\r\n%%EOF\r\n")) {
    return ::testing::AssertionFailure() << "the file does not end with %%EOF CR LF";
  }
  return ::testing::AssertionSuccess();
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
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, n);
  }
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A diagnostic line of the tools: "WARNING: ...", "Syntax Error (12): ...", "error: ...".
inline bool HasDiagnostic(std::string output) {
  for (char& c : output) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* mark : {"error:", "error (", "warning:", "warning ("}) {
    if (output.find(mark) != std::string::npos) return true;
  }
  return false;
}

// qpdf --check, pdfinfo and mutool info: each must succeed without a warning or an error.
// mutool info lists every page's resources, slow on thousands of pages: a large document
// names the pages to look at (such as "1,N").
inline ::testing::AssertionResult PassesPdfTools(const std::string& path,
                                                 const std::string& mutoolPages = "") {
  const std::string quoted = "'" + path + "'";
  for (const std::string& command : {"qpdf --check " + quoted, "pdfinfo " + quoted,
                                     "mutool info " + quoted + " " + mutoolPages}) {
    const CommandResult run = RunCommand(command);
    if (run.status != 0 || HasDiagnostic(run.output)) {
      return ::testing::AssertionFailure() << command << " (exit " << run.status << "):\n"
                                           << run.output;
    }
  }
  return ::testing::AssertionSuccess();
}

// Both checks on a written file: EXPECT_TRUE(pdftest::IsValidPdfFile(path)).
inline ::testing::AssertionResult IsValidPdfFile(const std::string& path) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << e.what();
  }
  ::testing::AssertionResult exact = CrossReferenceIsExact(bytes);
  return exact ? PassesPdfTools(path) : exact;
}

// The text of object n, from its "n 0 obj" line to its "endobj" line included.
inline std::string ObjectText(const std::string& bytes, int object) {
  const std::vector<int64_t> offsets = ReadCrossReference(bytes);
  const auto start = static_cast<std::size_t>(offsets.at(static_cast<std::size_t>(object)));
  return bytes.substr(start, bytes.find("\r\nendobj\r\n", start) + 10 - start);
}

// A writer that writes to a temporary file and captures its messages. The file is
// removed at the end of a test that passed.
class TestDocument {
 public:
  explicit TestDocument(const std::string& suffix = "") : path(TestFilePath(suffix)) {
    pdf.PDFSetMessageHandler(CaptureInto(messages));
    pdf.PDFFileName(path);
  }
  TestDocument(const TestDocument&) = delete;
  TestDocument& operator=(const TestDocument&) = delete;
  ~TestDocument() {
    if (!::testing::Test::HasFailure()) std::filesystem::remove(path);
  }
  // Ends the document and returns the file's bytes.
  std::string Finish() {
    pdf.PDFEndDoc();
    return ReadFileBytes(path);
  }

  std::string path;
  std::vector<CapturedMessage> messages;
  CreatePDF pdf;
};

// Switches the whole process to a French locale (decimal comma) for the life of the
// object; active() is false when the system has no such locale.
class FrenchLocale {
 public:
  FrenchLocale() {
    for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "fr_FR"}) {
      try {
        previous_ = std::locale::global(std::locale(name));
        std::setlocale(LC_ALL, name);
        active_ = true;
        return;
      } catch (const std::runtime_error&) {
      }
    }
  }
  FrenchLocale(const FrenchLocale&) = delete;
  FrenchLocale& operator=(const FrenchLocale&) = delete;
  ~FrenchLocale() {
    if (!active_) return;
    std::locale::global(previous_);
    std::setlocale(LC_ALL, "C");
  }
  bool active() const { return active_; }

 private:
  bool active_ = false;
  std::locale previous_;
};

}  // namespace pdftest
