// Writes a document of many pages, one short text line on each, and prints the process's
// peak resident memory, to show that a page's content is written when the page ends and
// not kept:
//   /usr/bin/time -v build/release/bin/pdf_many_pages /tmp/pages.pdf 10000
#include <sys/resource.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "CreatePDF.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: pdf_many_pages <output.pdf> <pages>\n";
    return 2;
  }
  const int pages = std::atoi(argv[2]);
  CreatePDF pdf;
  pdf.PDFFileName(argv[1]);
  pdf.PDFSetFont(0, 10);
  pdf.PDFBeginDoc();
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) {
      pdf.PDFEndPage();
      pdf.PDFNewPage();
    }
    pdf.PDFTextOut("Page " + std::to_string(page) + " of the memory measurement", 2, 3);
  }
  pdf.PDFEndDoc();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::cout << pages << " pages, peak resident memory " << usage.ru_maxrss << " KB\n";
  return 0;
}
