// The objects PDFEndDoc writes after the last page's stream: fonts, page tree,
// resources, images, page objects and catalog. Their references follow from the fixed
// object order: page k's stream is 2k, image i is ResourcesObject + i, page k's object
// is PagesObject + 1 + ImageCount + k.
#include <algorithm>
#include <stdexcept>

#include "CreatePDF.h"
#include "Encoding.h"
#include "Numbers.h"

namespace {

// The 14 standard fonts, written as /F1 .. /F14 in this order.
const char* const kBaseFonts[] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

std::string Reference(int32_t object) {
  return std::to_string(object) + " 0 R";
}

}  // namespace

// Symbol and ZapfDingbats keep their built-in encoding: WinAnsiEncoding would map their
// codes to Latin glyph names these fonts do not have.
void CreatePDF::PDFPutFonts() {
  for (const std::string baseFont : kBaseFonts) {
    const bool builtIn = baseFont == "Symbol" || baseFont == "ZapfDingbats";
    PDFPutFont("Type1", baseFont, builtIn ? "" : "WinAnsiEncoding");
  }
}

void CreatePDF::PDFPutFont(const std::string& subtype, const std::string& baseFont,
                           const std::string& encoding) {
  ++FontCounter;
  const int32_t object = PDFBeginObject();
  FontObjects.push_back(object);
  PDFAddLine(OutBuffer, "<< /Type /Font");
  PDFAddLine(OutBuffer, "/Subtype /" + subtype);
  PDFAddLine(OutBuffer, "/Name /F" + std::to_string(FontCounter));
  PDFAddLine(OutBuffer, "/BaseFont /" + baseFont);
  if (!encoding.empty()) PDFAddLine(OutBuffer, "/Encoding /" + encoding);
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}

// Page k takes the format of slot k; when the caller started pages without PDFEndPage
// there are fewer slots than pages, and the last slot's format carries on.
void CreatePDF::PDFPutPages() {
  const int32_t pages = PageNumber;
  PagesObject = PDFBeginObject();
  PDFAddLine(OutBuffer, "<< /Type /Pages");
  PDFAddLine(OutBuffer, "/Kids [");
  const std::size_t lastSlot = PageWidths.size() - 1;
  for (int32_t k = 1; k <= pages; ++k) {
    PDFAddLine(OutBuffer, Reference(PagesObject + 1 + ImageCount + k));
    const std::size_t slot = std::min<std::size_t>(k, lastSlot);
    ContentObjects.push_back(2 * k);
    PageWidthCopies.push_back(PageWidths[slot]);
    PageHeightCopies.push_back(PageHeights[slot]);
  }
  PDFAddLine(OutBuffer, "]");
  PDFAddLine(OutBuffer, "/Count " + std::to_string(pages));
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
  const std::size_t pageSlots = static_cast<std::size_t>(pages) + 1;
  if (PageHasLinks.size() < pageSlots) PageHasLinks.resize(pageSlots, false);
  if (PageLinkTotals.size() < pageSlots) PageLinkTotals.resize(pageSlots, 0);
  if (PageLinks.size() < pageSlots) PageLinks.resize(pageSlots);
}

void CreatePDF::PDFPutResources() {
  ResourcesObject = PDFBeginObject();
  PDFAddLine(OutBuffer, "<< /ProcSet [ /PDF /Text /ImageC]");
  PDFAddLine(OutBuffer, "/XObject << ");
  for (int32_t i = 1; i <= ImageCount; ++i) {
    PDFAddLine(OutBuffer, "/ImgJPEG" + std::to_string(i) + " " + Reference(ResourcesObject + i));
  }
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "/Font << ");
  for (std::size_t k = 1; k < FontObjects.size(); ++k) {
    PDFAddLine(OutBuffer, "/F" + std::to_string(k) + " " + Reference(FontObjects[k]) + " ");
  }
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}

// The JPEG bytes go to the file unchanged, straight from the image record.
void CreatePDF::PDFPutImage(int32_t imageNumber) {
  const ImageRecord& image = Images.at(imageNumber);
  PDFBeginObject();
  PDFAddLine(OutBuffer, "<</Type /XObject");
  PDFAddLine(OutBuffer, "/Subtype /Image");
  PDFAddLine(OutBuffer, "/Filter [/DCTDecode ]");
  PDFAddLine(OutBuffer, "/Width " + std::to_string(image.Width));
  PDFAddLine(OutBuffer, "/Height " + std::to_string(image.Height));
  PDFAddLine(OutBuffer, "/ColorSpace /" + image.ColorSpace);
  PDFAddLine(OutBuffer, "/BitsPerComponent " + std::to_string(image.BitsPerComponent));
  PDFAddLine(OutBuffer, "/Length " + std::to_string(image.Data.size()));
  PDFAddLine(OutBuffer, "/Name /ImgJPEG" + std::to_string(imageNumber) + ">>");
  PDFAddLine(OutBuffer, "stream");
  PDFRecordOffset(ObjectNumber);
  PDFWriteBytes(OutBuffer);
  PDFWriteBytes(image.Data);
  PDFWriteLine("\r\nendstream\r\nendobj\r\n");
}

void CreatePDF::PDFPutPage(int32_t pageNumber) {
  const int32_t object = PDFBeginObject();
  if (PageObjectList.size() != static_cast<std::size_t>(pageNumber)) {
    throw std::logic_error("CreatePDF: page objects are not written in page order");
  }
  PageObjectList.push_back(object);
  PDFAddLine(OutBuffer, "<< /Type /Page");
  PDFAddLine(OutBuffer, "/Parent " + Reference(PagesObject));
  PDFAddLine(OutBuffer, "/MediaBox [ 0 0 " +
                            createpdf::FormatGeneralNumber(PageWidthCopies.at(pageNumber)) + " " +
                            createpdf::FormatGeneralNumber(PageHeightCopies.at(pageNumber)) + "]");
  PDFAddLine(OutBuffer, "/Resources " + Reference(ResourcesObject));
  if (PageHasLinks.at(pageNumber)) {
    PDFAddLine(OutBuffer, "/Annots [" + PDFPageAnnotations(pageNumber) + "]");
  }
  PDFAddLine(OutBuffer, "/Contents " + Reference(ContentObjects.at(pageNumber)));
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}

// One link annotation per recorded link, each ended by CR LF, all on the /Annots line.
std::string CreatePDF::PDFPageAnnotations(int32_t pageNumber) const {
  using createpdf::FormatGeneralNumber;
  const std::vector<PageLink>& links = PageLinks.at(pageNumber);
  const std::size_t count =
      std::min<std::size_t>(links.size(), std::max(PageLinkTotals.at(pageNumber), 0));
  std::string annotations;
  for (std::size_t n = 0; n < count; ++n) {
    const PageLink& link = links[n];
    annotations += "<</Type /Annot /Subtype /Link /Rect [" + FormatGeneralNumber(link.x) + " " +
                   FormatGeneralNumber(link.y) + " " + FormatGeneralNumber(link.x + link.width) +
                   " " + FormatGeneralNumber(link.y - link.height) + "] /Border [0 0 0] " +
                   "/A <</S /URI /URI (" + createpdf::PdfStringText(link.target) + ")>>>>\r\n";
  }
  return annotations;
}

void CreatePDF::PDFPutCatalog() {
  CatalogObject = PDFBeginObject();
  PDFAddLine(OutBuffer, "<<");
  PDFAddLine(OutBuffer, "/Type /Catalog");
  PDFAddLine(OutBuffer, "/Pages " + Reference(PagesObject));
  const std::string firstPage = Reference(PageObjectList.at(1));
  switch (ZoomMode) {
    case 0:
      PDFAddLine(OutBuffer, "/OpenAction [" + firstPage + " /Fit]");
      break;
    case 1:
      PDFAddLine(OutBuffer, "/OpenAction [" + firstPage + " /FitH null]");
      break;
    case 2:
      PDFAddLine(OutBuffer, "/OpenAction [" + firstPage + " /XYZ null null 1]");
      break;
    default:
      PDFAddLine(OutBuffer, "/OpenAction [" + firstPage + " /XYZ null null " +
                                PDFFormatNumber(ZoomMode / 100.0, 2) + "]");
  }
  switch (LayoutMode) {
    case 0:
      PDFAddLine(OutBuffer, "/PageLayout /SinglePage");
      break;
    case 1:
      PDFAddLine(OutBuffer, "/PageLayout /OneColumn");
      break;
    case 2:
      PDFAddLine(OutBuffer, "/PageLayout /TwoColumnLeft");
      break;
    default:
      break;
  }
  // A dictionary holds a key once: with both modes asked for, the outlines mode is the
  // one readers would apply, and the only one written.
  if (UseThumbs && !UseOutlines) PDFAddLine(OutBuffer, "/PageMode /UseThumbs");
  if (UseOutlines) {
    // Without bookmarks there is no outline root to name.
    if (OutlinesObject != 0) PDFAddLine(OutBuffer, "/Outlines " + Reference(OutlinesObject));
    PDFAddLine(OutBuffer, "/PageMode /UseOutlines");
  }
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}
