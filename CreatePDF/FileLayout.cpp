// The file's writing mechanism: one object is assembled in OutBuffer, its offset
// recorded, and written as one line; the header, the information object, the page
// content streams and the cross-reference table with its trailer.
#include <stdexcept>

#include "CreatePDF.h"
#include "Encoding.h"

void CreatePDF::PDFAddLine(std::string& objectText, const std::string& line) {
  objectText += line;
  objectText += "\r\n";
}

int32_t CreatePDF::PDFBeginObject() {
  ++ObjectNumber;
  OutBuffer.clear();
  PDFAddLine(OutBuffer, std::to_string(ObjectNumber) + " 0 obj");
  return ObjectNumber;
}

void CreatePDF::PDFRecordOffset(int32_t objectNumber) {
  if (ObjectOffsets.size() != static_cast<std::size_t>(objectNumber)) {
    throw std::logic_error("CreatePDF: object " + std::to_string(objectNumber) +
                           " is not the next object of the file");
  }
  ObjectOffsets.push_back(ByteCount);
}

// WriteLine adds CR LF after the object's own last CR LF, so an empty line follows it.
void CreatePDF::PDFWriteObject() {
  PDFRecordOffset(ObjectNumber);
  PDFWriteLine(OutBuffer);
}

std::string CreatePDF::PDFPadOffset(const std::string& number) {
  return number.size() >= 10 ? number : std::string(10 - number.size(), '0') + number;
}

void CreatePDF::PDFPutHeader() {
  ObjectNumber = 0;
  PDFWriteLine("%PDF-1.0");
}

void CreatePDF::PDFPutInfo() {
  using createpdf::PdfTextString;
  PDFBeginObject();
  PDFAddLine(OutBuffer, "<<");
  PDFAddLine(OutBuffer, "/Producer (" + PdfTextString(Producer) + ")");
  PDFAddLine(OutBuffer, "/Author (" + PdfTextString(Author) + ")");
  PDFAddLine(OutBuffer, "/CreationDate (D:" + CreationDate + ")");
  PDFAddLine(OutBuffer, "/Creator (" + PdfTextString(Creator) + ")");
  PDFAddLine(OutBuffer, "/Keywords (" + PdfTextString(Keywords) + ")");
  PDFAddLine(OutBuffer, "/Subject (" + PdfTextString(Subject) + ")");
  PDFAddLine(OutBuffer, "/Title (" + PdfTextString(Title) + ")");
  PDFAddLine(OutBuffer, "/ModDate ()");
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}

// Opens the content stream of a page: its head waits in OutBuffer while the page is
// drawn, and its length is the next object.
void CreatePDF::PDFBeginStream() {
  const int32_t stream = PDFBeginObject();
  PDFAddLine(OutBuffer, "<< /Length " + std::to_string(stream + 1) + " 0 R");
  PDFAddLine(OutBuffer, " >>");
  PDFAddLine(OutBuffer, "stream");
  PageContent.clear();
}

// Writes the open stream with the page's content, then its length object. The content
// is written straight from PageContent and dropped, so no page stays in memory.
void CreatePDF::PDFEndStream() {
  PDFRecordOffset(ObjectNumber);
  PDFWriteBytes(OutBuffer);
  PDFWriteBytes(PageContent);
  PDFWriteLine("endstream\r\nendobj\r\n");
  const std::size_t length = PageContent.size();
  PageContent.clear();
  PDFBeginObject();
  PDFAddLine(OutBuffer, std::to_string(length));
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}

void CreatePDF::PDFPutTrailer() {
  const int32_t size = ObjectNumber + 1;
  if (ObjectOffsets.size() != static_cast<std::size_t>(size)) {
    throw std::logic_error("CreatePDF: the offset table does not match the objects written");
  }
  const int64_t xrefOffset = ByteCount;
  OutBuffer.clear();
  PDFAddLine(OutBuffer, "xref");
  PDFAddLine(OutBuffer, "0 " + std::to_string(size));
  PDFAddLine(OutBuffer, "0000000000 65535 f");
  for (int32_t k = 1; k < size; ++k) {
    PDFAddLine(OutBuffer, PDFPadOffset(std::to_string(ObjectOffsets[k])) + " 00000 n");
  }
  PDFAddLine(OutBuffer, "trailer");
  PDFAddLine(OutBuffer, "<< /Size " + std::to_string(size));
  PDFAddLine(OutBuffer, "/Root " + std::to_string(CatalogObject) + " 0 R");
  PDFAddLine(OutBuffer, "/Info 1 0 R");
  PDFAddLine(OutBuffer, ">>");
  PDFAddLine(OutBuffer, "startxref");
  PDFAddLine(OutBuffer, std::to_string(xrefOffset));
  PDFWriteLine(OutBuffer);
}
