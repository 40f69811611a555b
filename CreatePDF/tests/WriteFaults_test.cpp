// Write faults of the writer: an output folder that does not exist, a device that is
// full from the first byte, and a file that stops growing in the middle of a document.
// Each failure reaches the caller as an exception, and a writer whose file failed
// refuses every later call instead of finishing a corrupt file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;

// The text of the exception a call throws, prefixed with its kind; "no exception" when
// it throws none.
std::string Thrown(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::runtime_error& e) {
    return std::string("runtime_error: ") + e.what();
  } catch (const std::logic_error& e) {
    return std::string("logic_error: ") + e.what();
  }
  return "no exception";
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Runs `body` in a child process whose files may not grow beyond `limit` bytes (SIGXFSZ
// ignored, so that a write past the limit fails with EFBIG instead of killing the
// process) and returns what the body returned, through a pipe.
std::string WithFileSizeLimit(rlim_t limit, const std::function<std::string()>& body) {
  int channel[2];
  if (pipe(channel) != 0) return "pipe failed";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit fileSize{};
    getrlimit(RLIMIT_FSIZE, &fileSize);
    fileSize.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &fileSize);
    const std::string report = body();
    const ssize_t written = write(channel[1], report.data(), report.size());
    _exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
  }
  close(channel[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += "\nchild failed";
  return report;
}

// One page's worth of content operators, about 4 KB.
std::string PageOfOperators(int page) {
  std::string content;
  for (int line = 0; line < 100; ++line) {
    content += "BT /F1 10 Tf 56.69 " + std::to_string(800 - line * 7) + " Td (Page " +
               std::to_string(page) + ") Tj ET\r\n";
  }
  return content;
}

TEST(WriteFaults, AMissingOutputFolderCreatesNothingAndBeginDocNamesTheFile) {
  const std::filesystem::path folder =
      std::filesystem::path(pdftest::TestFilePath("", "")) / "missing";
  const std::string file = (folder / "report.pdf").string();
  CreatePDF pdf;
  pdf.PDFFileName(file);
  EXPECT_FALSE(pdf.PDFFileCreated());
  EXPECT_FALSE(std::filesystem::exists(folder));

  const std::string error = Thrown([&] { pdf.PDFBeginDoc(); });
  EXPECT_TRUE(error.starts_with("runtime_error: ")) << error;
  EXPECT_TRUE(Contains(error, file)) << error;
  EXPECT_TRUE(Thrown([&] { pdf.PDFEndDoc(); }) != "no exception");
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(WriteFaults, AFullDeviceFailsAtBeginDocAndTheWriterRefusesEveryLaterCall) {
  CreatePDF pdf;
  pdf.PDFFileName("/dev/full");
  ASSERT_TRUE(pdf.PDFFileCreated());

  const std::string error = Thrown([&] { pdf.PDFBeginDoc(); });
  EXPECT_TRUE(error.starts_with("runtime_error: ")) << error;
  EXPECT_TRUE(Contains(error, "/dev/full")) << error;

  // A second try, a page operation, the end of the document and a new file name: all
  // refused, all as a failed write, none as a success.
  for (const auto& [name, call] : std::vector<std::pair<std::string, std::function<void()>>>{
           {"PDFBeginDoc", [&] { pdf.PDFBeginDoc(); }},
           {"PDFSetBookmark", [&] { pdf.PDFSetBookmark("Chapter"); }},
           {"PDFNewPage", [&] { pdf.PDFNewPage(); }},
           {"PDFEndDoc", [&] { pdf.PDFEndDoc(); }}}) {
    const std::string later = Thrown(call);
    EXPECT_TRUE(later.starts_with("runtime_error: ")) << name << ": " << later;
    EXPECT_TRUE(Contains(later, "/dev/full")) << name << ": " << later;
  }
}

// The file may grow to 20 KB: the header, the information object and the first pages
// fit; a later page's stream does not.
TEST(WriteFaults, AWriteFailureMidDocumentReachesTheCallerAndNothingIsFinishedAfterIt) {
  const std::string file = pdftest::TestFilePath();
  const std::string report = WithFileSizeLimit(20000, [&] {
    std::string log;
    CreatePDF pdf;
    pdf.PDFFileName(file);
    pdf.PDFBeginDoc();
    int page = 1;
    std::string error = "no exception";
    for (; page <= 20 && error == "no exception"; ++page) {
      Access::PageContent(pdf) = PageOfOperators(page);
      pdf.PDFEndPage();
      error = Thrown([&] { pdf.PDFNewPage(); });
    }
    log += "failed at page " + std::to_string(page - 1) + ": " + error + "\n";
    log += "bookmark: " + Thrown([&] { pdf.PDFSetBookmark("After"); }) + "\n";
    log += "new page: " + Thrown([&] { pdf.PDFNewPage(); }) + "\n";
    log += "end: " + Thrown([&] { pdf.PDFEndDoc(); }) + "\n";
    log += "end again: " + Thrown([&] { pdf.PDFEndDoc(); }) + "\n";
    return log;
  });
  SCOPED_TRACE(report);
  EXPECT_FALSE(Contains(report, "child failed"));
  EXPECT_FALSE(Contains(report, "failed at page 20")) << "the limit was never reached";
  EXPECT_TRUE(Contains(report, "failed at page")) << report;
  // The first failure names the file; every call after it is refused as a failed write.
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(Contains(line, ": runtime_error: ")) << line;
    EXPECT_TRUE(Contains(line, file)) << line;
  }
  const std::string bytes = pdftest::ReadFileBytes(file);
  EXPECT_LE(bytes.size(), 20000u);
  EXPECT_TRUE(bytes.starts_with("%PDF-1.0"));
  EXPECT_EQ(bytes.find("%%EOF"), std::string::npos) << "an unfinished document was ended";
  std::filesystem::remove(file);
}

// Under the same limit, a document that fits is written whole: the limit alone is not
// taken for a failure.
TEST(WriteFaults, ADocumentThatFitsTheLimitIsWrittenWhole) {
  const std::string file = pdftest::TestFilePath();
  const std::string report = WithFileSizeLimit(20000, [&] {
    CreatePDF pdf;
    pdf.PDFFileName(file);
    return Thrown([&] {
      pdf.PDFBeginDoc();
      Access::PageContent(pdf) = PageOfOperators(1);
      pdf.PDFEndDoc();
    });
  });
  EXPECT_EQ(report, "no exception");
  EXPECT_TRUE(pdftest::IsValidPdfFile(file));
  std::filesystem::remove(file);
}

}  // namespace
