// Writing the report: the document settings, the pages in order, each with its header
// and footer and the blocks the flow placed on it.
#include "Report.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "CreatePDF.h"
#include "ReportContent.h"
#include "ReportExit.h"
#include "ReportLayout.h"
#include "platform/MessageBox.h"

namespace lamivex::report {
namespace {

constexpr int kFormatA4 = 0;

void Configure(CreatePDF& pdf, const DocumentFrame& frame, const std::string& configFolder) {
  pdf.PDFSetMessageHandler([](const std::string& text, const std::string& title, PDFMessageIcon) {
    ShowMessage(title, text);
  });
  pdf.PDFPathConfiguration(configFolder);
  pdf.PDFFormatPage(kFormatA4);
  pdf.PDFTitle(frame.title);
  pdf.PDFSubject(frame.info.Glazing);
  pdf.PDFCreator("Lamivex");
  pdf.PDFKeywords(frame.info.ProjectReference);
  pdf.PDFUseOutlines(true);
}

// The label's text, then the file and the system's reason on a line of their own.
[[noreturn]] void CannotCreate(const ReportTexts& texts, const std::string& path,
                               const std::string& reason) {
  const std::string text =
      texts.ClosePdf.empty() ? "Error: the PDF file cannot be created." : texts.ClosePdf;
  throw RunError(kExitPdfNotCreated, "SM5.2",
                 text + "\nThe file " + path + " cannot be created: " + reason + ".");
}

// The writer only says that its file could not be created; creating it once more here
// gives the system's reason.
std::string CreationFailure(const std::string& path) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (file < 0) return std::strerror(errno);
  ::close(file);
  return "the PDF writer could not open it";
}

void DrawPages(CreatePDF& pdf, const DocumentFrame& frame, const ReportContent& content) {
  ReportCanvas canvas(pdf);
  const std::vector<Block> blocks = content(canvas);
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, {kBodyTop, kBodyBottom});
  const int pages = PageCount(placed);
  pdf.PDFBeginDoc();
  size_t next = 0;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) {
      pdf.PDFEndPage();
      pdf.PDFNewPage();
    }
    DrawPageFrame(canvas, frame, page, pages);
    for (; next < placed.size() && placed[next].page == page; ++next) {
      blocks[placed[next].block].draw(canvas, placed[next].y);
    }
  }
  pdf.PDFEndDoc();
}

// Removes the temporary file unless it was renamed.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    std::error_code ignored;
    if (!kept_) std::filesystem::remove(path_, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }
  void RenameTo(const std::string& path) {
    std::filesystem::rename(path_, path);
    kept_ = true;
  }

 private:
  std::string path_;
  bool kept_ = false;
};

}  // namespace

void WriteDocument(const DocumentFrame& frame, const ReportContent& content,
                   const std::string& configFolder, const std::string& path) {
  TemporaryFile partial(path + ".part" + std::to_string(::getpid()));
  CreatePDF pdf;
  Configure(pdf, frame, configFolder);
  pdf.PDFFileName(partial.Path());
  if (!pdf.PDFFileCreated()) CannotCreate(frame.texts, path, CreationFailure(partial.Path()));
  DrawPages(pdf, frame, content);
  try {
    partial.RenameTo(path);
  } catch (const std::filesystem::filesystem_error& error) {
    CannotCreate(frame.texts, path, error.code().message());
  }
}

void WriteReport(const ReportData& data, const std::string& configFolder, const std::string& path) {
  WriteDocument(
      {data.texts, data.info, data.texts.ReportTitle},
      [&data](ReportCanvas& canvas) { return ReportBlocks(data, canvas); }, configFolder, path);
}

}  // namespace lamivex::report
