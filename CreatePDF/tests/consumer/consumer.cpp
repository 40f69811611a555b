// Writes a one-page PDF with the installed writer, which must find its font metrics by
// itself: "Lamivex" in Helvetica at 10 pt measures 37.23 pt with the standard widths
// (L 556, a 556, m 833, i 222, v 500, e 556, x 500).
#include <CreatePDF.h>

#include <cmath>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: consumer OUTPUT.pdf\n";
    return 64;
  }
  CreatePDF pdf;
  pdf.PDFFileName(argv[1]);
  pdf.PDFBeginDoc();
  pdf.PDFSetFont(0, 10);
  pdf.PDFCell("Lamivex", 1, 1, 5, 1);
  pdf.PDFEndDoc();
  const double width = pdf.PDFGetStringWidth("Lamivex", "Helvetica", 10);
  if (std::abs(width - 37.23) > 1e-9) {
    std::cerr << "consumer: 'Lamivex' measures " << width << " pt, not 37.23: no font metrics\n";
    return 1;
  }
  return pdf.PDFFileCreated() ? 0 : 1;
}
