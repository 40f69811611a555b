// The document and page lifecycle: PDFBeginDoc writes the header and the information
// object and opens page 1, PDFNewPage writes the finished page and opens the next one,
// PDFEndDoc writes everything else and closes the file. Calls out of this order throw
// std::logic_error; a file that cannot be written throws std::runtime_error.
#include <ctime>
#include <stdexcept>

#include "CreatePDF.h"

namespace {

// Local date and time as 14 digits, year to second.
std::string LocalDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char digits[16];
  std::strftime(digits, sizeof digits, "%Y%m%d%H%M%S", &local);
  return digits;
}

}  // namespace

void CreatePDF::PDFBeginDoc() {
  PDFRefuseAfterFailedWrite("PDFBeginDoc");
  if (docState_ != DocState::Configured) {
    throw std::logic_error(docState_ == DocState::PageOpen
                               ? "PDFBeginDoc: a document is already open on this writer"
                               : "PDFBeginDoc: this writer has finished its document; a writer "
                                 "writes one document");
  }
  if (!OutFile) {
    throw std::runtime_error(
        FilePath.empty() ? "PDFBeginDoc: no output file; PDFFileName must name and create it first"
                         : "PDFBeginDoc: the output file " + FilePath +
                               " could not be created (missing folder or no permission)");
  }
  PageNumber = 1;
  ImageCount = 0;
  ByteCount = 0;
  FontCounter = 0;
  ObjectOffsets.assign(1, 0);
  ContentObjects.assign(1, 0);
  PageWidthCopies.assign(1, 0.0);
  PageHeightCopies.assign(1, 0.0);
  PageHasLinks.assign(1, false);
  PageLinkTotals.assign(1, 0);
  PageLinks.assign(1, {});
  PageLinkCount = 0;
  FontObjects.assign(1, 0);
  PageObjectList.assign(1, 0);
  OutlinesObject = 0;
  OutBuffer.clear();
  CreationDate = LocalDateTime();
  PDFPutHeader();
  PDFPutInfo();
  PDFBeginStream();
  PDFFlushOutput();
  docState_ = DocState::PageOpen;
}

// The next page's format slot starts as a copy of this one; nothing is written.
void CreatePDF::PDFEndPage() {
  PDFRequireOpenPage("PDFEndPage");
  ++CurrentPageIndex;
  PDFGrowPageSlots();
}

void CreatePDF::PDFNewPage() {
  PDFRequireOpenPage("PDFNewPage");
  CurrentX = LeftMargin;
  CurrentY = TopMargin;
  PageLinkCount = 0;
  ++PageNumber;
  PDFEndStream();
  PDFBeginStream();
  PDFFlushOutput();
}

void CreatePDF::PDFEndDoc() {
  PDFRequireOpenPage("PDFEndDoc");
  PDFEndStream();
  PDFPutFonts();
  PDFPutPages();
  PDFPutResources();
  for (int32_t i = 1; i <= ImageCount; ++i) PDFPutImage(i);
  for (int32_t k = 1; k <= PageNumber; ++k) PDFPutPage(k);
  PDFPutBookmarks();
  PDFPutCatalog();
  PDFPutTrailer();
  PDFWriteLine("%%EOF");
  OutFile->close();
  if (OutFile->fail()) {
    throw std::runtime_error("PDFEndDoc: closing " + FilePath + " failed (disk full?)");
  }
  OutFile.reset();
  docState_ = DocState::Finished;
  if (ConfirmEnd) {
    PDFMessage("La génération du fichier PDF '" + FileName + "' est terminée.",
               "Génération du Fichier PDF - ", PDFMessageIcon::None);
  }
}
