// Writes a one-page PDF with the installed writer, which must find its font metrics by
// itself: "Lamivex" in Helvetica 10 measures 37.23 pt (L a m i v e x: 556 556 833 222 500
// 556 500).
#include <CreatePDF.h>

#include <cmath>

int main(int argc, char** argv) {
  if (argc != 2) return 64;
  CreatePDF pdf;
  pdf.PDFFileName(argv[1]);
  pdf.PDFBeginDoc();
  pdf.PDFSetFont(0, 10);
  pdf.PDFCell("Lamivex", 1, 1, 5, 1);
  pdf.PDFEndDoc();
  const double width = pdf.PDFGetStringWidth("Lamivex", "Helvetica", 10);
  return std::abs(width - 37.23) < 1e-9 && pdf.PDFFileCreated() ? 0 : 1;
}
