// No file name, a missing folder, a full device, a file-size limit: the call that meets the
// fault throws std::runtime_error naming the file, every later call too, nothing is finished.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "PdfTestSupport.h"

namespace {

std::string Thrown(const std::function<void()>& call) try {
  call();
  return "none";
} catch (const std::runtime_error& e) {
  return std::string("runtime_error: ") + e.what();
} catch (const std::logic_error& e) {
  return std::string("logic_error: ") + e.what();
}

// Files may not grow past `limit` bytes while `body` runs (writes fail with EFBIG).
std::string WithFileSizeLimit(rlim_t limit, const std::function<std::string()>& body) {
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit limited{limit, saved.rlim_max};
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  const std::string report = body();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, handler);
  return report;
}

TEST(WriteFaults, EveryCallAfterAFailedWriteIsRefused) {
  const std::string missing = pdftest::TestFilePath("", "") + "/missing/report.pdf";
  const std::string limited = pdftest::TestFilePath();
  // The file, the pages: PDFBeginDoc fails, or a PDFNewPage past the limit, or nothing.
  const std::pair<std::string, int> cases[] = {
      {"", 1}, {missing, 1}, {"/dev/full", 1}, {limited, 20}, {limited, 2}};
  for (const auto& [file, pages] : cases) {
    SCOPED_TRACE(file + " " + std::to_string(pages));
    const std::string report = WithFileSizeLimit(20000, [&] {
      CreatePDF pdf;
      if (!file.empty()) pdf.PDFFileName(file);
      std::string error = Thrown([&] { pdf.PDFBeginDoc(); }), log = error.substr(0, 13) + "\n";
      for (int page = 1; page < pages && error == "none"; ++page) {
        CreatePDFTestAccess::PageContent(pdf) = std::string(4000, ' ') + "\r\n";
        pdf.PDFEndPage();
        error = Thrown([&] { pdf.PDFNewPage(); });
      }
      if (error == "none") return log + "end: " + Thrown([&] { pdf.PDFEndDoc(); });
      log += "failed: " + error + "\n" + Thrown([&] { pdf.PDFSetBookmark("After"); }) + "\n";
      log += Thrown([&] { pdf.PDFNewPage(); }) + "\n" + Thrown([&] { pdf.PDFEndDoc(); }) + "\n";
      return log + Thrown([&] { pdf.PDFBeginDoc(); }) + "\n";
    });
    EXPECT_TRUE(report.starts_with(pages == 1 ? "runtime_error\n" : "none\n")) << report;
    if (pages == 2) {
      EXPECT_EQ(report, "none\nend: none");
      EXPECT_TRUE(pdftest::IsValidPdfFile(limited));
      continue;
    }
    std::istringstream lines(report.substr(report.find('\n') + 1));
    int refused = 0, named = 0;  // without a file the later calls are out of order
    for (std::string line; std::getline(lines, line); ++refused)
      named += line.find("runtime_error: ") != std::string::npos &&
               line.find(file.empty() ? "no output file" : file) != std::string::npos;
    EXPECT_EQ(refused * 10 + named, file == "/dev/full" || pages > 1 ? 55 : 52) << report;
    EXPECT_EQ(report.find("\nnone"), std::string::npos);
    if (pages > 1) {  // what was written stops short of the end
      const std::string bytes = pdftest::ReadFileBytes(limited);
      EXPECT_TRUE(bytes.size() <= 20000 && bytes.starts_with("%PDF-1.0"));
      EXPECT_EQ(bytes.find("%%EOF"), std::string::npos);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(missing).parent_path()));
  std::filesystem::remove(limited);
}

}  // namespace
