// Shared by the writer's tests: access to the writer's state, a document written to a
// temporary file, and the checks every written file must pass (exact cross-reference
// offsets, then qpdf, pdfinfo and mutool).
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CreatePDF.h"

// Reads and changes the writer's private state in tests. Each accessor returns a
// reference to the field of the same name.
class CreatePDFTestAccess {
 public:
#define CREATEPDF_TEST_FIELD(name)    \
  static auto& name(CreatePDF& pdf) { \
    return pdf.name;                  \
  }
  // output, settings, pages
  CREATEPDF_TEST_FIELD(PathConfig)
  CREATEPDF_TEST_FIELD(FileName)
  CREATEPDF_TEST_FIELD(FilePath)
  CREATEPDF_TEST_FIELD(ConfirmEnd)
  CREATEPDF_TEST_FIELD(Title)
  CREATEPDF_TEST_FIELD(Author)
  CREATEPDF_TEST_FIELD(UseThumbs)
  CREATEPDF_TEST_FIELD(UseOutlines)
  CREATEPDF_TEST_FIELD(Scale)
  CREATEPDF_TEST_FIELD(CurrentPageIndex)
  CREATEPDF_TEST_FIELD(PageWidths)
  CREATEPDF_TEST_FIELD(PageHeights)
  CREATEPDF_TEST_FIELD(PageOrientations)
  CREATEPDF_TEST_FIELD(PageNumber)
  CREATEPDF_TEST_FIELD(LeftMargin)
  CREATEPDF_TEST_FIELD(TopMargin)
  CREATEPDF_TEST_FIELD(CellMargin)
  CREATEPDF_TEST_FIELD(CurrentX)
  CREATEPDF_TEST_FIELD(CurrentY)
  CREATEPDF_TEST_FIELD(LineWidth)
  CREATEPDF_TEST_FIELD(DrawMode)
  CREATEPDF_TEST_FIELD(LineDash)
  // serializer
  CREATEPDF_TEST_FIELD(ObjectNumber)
  CREATEPDF_TEST_FIELD(OutBuffer)
  CREATEPDF_TEST_FIELD(PageContent)
  CREATEPDF_TEST_FIELD(ByteCount)
  CREATEPDF_TEST_FIELD(ObjectOffsets)
  CREATEPDF_TEST_FIELD(PageObjectList)
  // fonts, colours, text
  CREATEPDF_TEST_FIELD(FontNames)
  CREATEPDF_TEST_FIELD(FontName)
  CREATEPDF_TEST_FIELD(FontSize)
  CREATEPDF_TEST_FIELD(FontBold)
  CREATEPDF_TEST_FIELD(FontItalic)
  CREATEPDF_TEST_FIELD(FontUnderline)
  CREATEPDF_TEST_FIELD(TextColorOp)
  CREATEPDF_TEST_FIELD(LineColorOp)
  CREATEPDF_TEST_FIELD(DrawColorOp)
  CREATEPDF_TEST_FIELD(Alignment)
  CREATEPDF_TEST_FIELD(BorderSpec)
  CREATEPDF_TEST_FIELD(FillCell)
  CREATEPDF_TEST_FIELD(Rotation)
  // links, images, bookmarks
  CREATEPDF_TEST_FIELD(PageLinkCount)
  CREATEPDF_TEST_FIELD(PageLinks)
  CREATEPDF_TEST_FIELD(PageHasLinks)
  CREATEPDF_TEST_FIELD(PageLinkTotals)
  CREATEPDF_TEST_FIELD(LinkObjectType)
  CREATEPDF_TEST_FIELD(LinkObjectText)
  CREATEPDF_TEST_FIELD(LinkObjectLength)
  CREATEPDF_TEST_FIELD(LinkObjectIsImage)
  CREATEPDF_TEST_FIELD(LinkObjectWidth)
  CREATEPDF_TEST_FIELD(LinkObjectHeight)
  CREATEPDF_TEST_FIELD(ImageCount)
  CREATEPDF_TEST_FIELD(Images)
  CREATEPDF_TEST_FIELD(Bookmarks)
#undef CREATEPDF_TEST_FIELD

  static void AddLine(CreatePDF& pdf, std::string& text, const std::string& line) {
    pdf.PDFAddLine(text, line);
  }
  static void LinkObject(CreatePDF& pdf, const std::string& target, const std::string& type,
                         double x, double y) {
    pdf.PDFLinkObject(target, type, x, y);
  }
};

namespace pdftest {

// The lines given, each ended by CR LF, as the writer ends its lines.
inline std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// How often part occurs in text, overlaps included.
inline std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
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

// A file in a folder of the system's temporary folder, named after the running test and
// the process, so that two builds running the same test at once do not meet.
inline std::string TestFilePath(const std::string& suffix = "", const std::string& ext = ".pdf") {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "createpdf_tests";
  std::filesystem::create_directories(folder);
  const std::string file = name + suffix + "." + std::to_string(::getpid()) + ext;
  return (folder / file).string();
}

// The offsets listed in the cross-reference table, entry k for object k (entry 0 unused),
// and the startxref value. Throws when the table cannot be read.
struct CrossReference {
  std::vector<int64_t> offsets;
  int64_t startxref = -1;
};

inline CrossReference ReadCrossReference(const std::string& bytes) {
  const std::size_t keyword = bytes.rfind("startxref\r\n");
  if (keyword == std::string::npos) throw std::runtime_error("no startxref");
  CrossReference table;
  table.startxref = std::stoll(bytes.substr(keyword + 11));
  const auto xref = static_cast<std::size_t>(table.startxref);
  if (xref >= bytes.size() || bytes.compare(xref, 6, "xref\r\n") != 0) {
    throw std::runtime_error("startxref " + std::to_string(xref) + " does not point at xref");
  }
  std::size_t pos = xref + 6;
  if (bytes.compare(pos, 2, "0 ") != 0) throw std::runtime_error("no subsection 0");
  const std::size_t lineEnd = bytes.find("\r\n", pos);
  const int size = std::stoi(bytes.substr(pos + 2, lineEnd - pos - 2));
  pos = lineEnd + 2;
  if (bytes.compare(pos, 20, "0000000000 65535 f\r\n") != 0) {
    throw std::runtime_error("the free entry is not 20 bytes as expected");
  }
  table.offsets.assign(1, 0);
  for (int k = 1; k < size; ++k) {
    pos += 20;
    const std::string entry = bytes.substr(pos, 20);
    if (entry.size() != 20 || entry.compare(10, 10, " 00000 n\r\n") != 0) {
      throw std::runtime_error("entry " + std::to_string(k) + " is malformed: " + entry);
    }
    table.offsets.push_back(std::stoll(entry.substr(0, 10)));
  }
  return table;
}

// Every cross-reference entry k must be the byte position of the line "k 0 obj", and
// startxref the position of "xref"; the file must end with "%%EOF" and CR LF.
inline ::testing::AssertionResult CrossReferenceIsExact(const std::string& bytes) {
  CrossReference table;
  try {
    table = ReadCrossReference(bytes);
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "cross-reference table: " << e.what();
  }
  for (std::size_t k = 1; k < table.offsets.size(); ++k) {
    const auto offset = static_cast<std::size_t>(table.offsets[k]);
    const std::string header = std::to_string(k) + " 0 obj\r\n";
    const bool atLineStart = offset == 0 || (offset <= bytes.size() && bytes[offset - 1] == '\n');
    if (offset >= bytes.size() || !atLineStart || bytes.compare(offset, header.size(), header)) {
      return ::testing::AssertionFailure()
             << "object " << k << ": xref offset " << offset << " points at \""
             << bytes.substr(std::min(offset, bytes.size()), 20) << "\"";
    }
  }
  const std::string ending = "\r\n%%EOF\r\n";
  if (bytes.size() < ending.size() ||
      bytes.compare(bytes.size() - ending.size(), ending.size(), ending) != 0) {
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
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    result.output.append(buffer, read);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

inline bool ContainsNoCase(std::string text, std::string word) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text.find(word) != std::string::npos;
}

// A diagnostic line of the tools: "WARNING: ...", "Syntax Error (12): ...", "error: ...".
inline bool HasDiagnostic(const std::string& output) {
  for (const char* mark : {"error:", "error (", "warning:", "warning ("}) {
    if (ContainsNoCase(output, mark)) return true;
  }
  return false;
}

// qpdf --check, pdfinfo and mutool info: each must succeed without a warning or an error.
// mutool info lists every page's resources, which takes minutes on thousands of pages; a
// large document names the pages it should look at (such as "1,N").
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

// Both checks on a written file: use as EXPECT_TRUE(pdftest::IsValidPdfFile(path)).
inline ::testing::AssertionResult IsValidPdfFile(const std::string& path) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << e.what();
  }
  ::testing::AssertionResult exact = CrossReferenceIsExact(bytes);
  if (!exact) return exact;
  return PassesPdfTools(path);
}

// The text of object n, from its "n 0 obj" line to its "endobj" line included, found
// through the cross-reference table.
inline std::string ObjectText(const std::string& bytes, int object) {
  const CrossReference table = ReadCrossReference(bytes);
  if (object < 1 || static_cast<std::size_t>(object) >= table.offsets.size()) {
    throw std::out_of_range("no object " + std::to_string(object));
  }
  const auto start = static_cast<std::size_t>(table.offsets[object]);
  const std::size_t end = bytes.find("\r\nendobj\r\n", start);
  if (end == std::string::npos) throw std::runtime_error("object without endobj");
  return bytes.substr(start, end + 10 - start);
}

// The bytes between the "stream" line and the "endstream" line of object n.
inline std::string StreamData(const std::string& bytes, int object) {
  const std::string text = ObjectText(bytes, object);
  const std::size_t start = text.find("stream\r\n");
  const std::size_t end = text.rfind("endstream\r\n");
  if (start == std::string::npos || end == std::string::npos) {
    throw std::runtime_error("object " + std::to_string(object) + " has no stream");
  }
  return text.substr(start + 8, end - start - 8);
}

// The content stream of page k (object 2k).
inline std::string PageStream(const std::string& bytes, int page) {
  return StreamData(bytes, 2 * page);
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
