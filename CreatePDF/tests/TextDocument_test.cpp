// A whole document with every font, colours, rotated text, cells and links, read back
// by the PDF tools.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"

namespace {

using pdftest::RunCommand;
using pdftest::TestDocument;

const char* const kParagraph =
    "Le vitrage feuilleté associe deux verres et un intercalaire PVB ; son émissivité, "
    "sa transmission lumineuse et sa réflexion énergétique sont calculées selon l'EN 410 "
    "sur la grille solaire de 300 à 2500 nm (pas de 5 nm), couche par couche.";

void WriteEveryFont(CreatePDF& pdf, double& y) {
  const char* const styles[] = {"normal", "italique", "gras", "gras italique"};
  const int32_t styleCodes[] = {0, 1, 2, 12};
  const char* const families[] = {"Helvetica", "Courier", "Times"};
  for (int32_t family = 0; family < 3; ++family) {
    for (int style = 0; style < 4; ++style) {
      pdf.PDFSetFont(family, 11, styleCodes[style]);
      pdf.PDFTextOut(std::string(families[family]) + " " + styles[style] + " : àéèçô", 40, y);
      y += 16;
    }
  }
  pdf.PDFSetFont(3, 12);
  pdf.PDFTextOut("abg", 40, y);  // alpha, beta, gamma in Symbol's own codes
  pdf.PDFSetFont(4, 12);
  pdf.PDFTextOut("3456", 120, y);
  y += 24;
}

void WriteCells(CreatePDF& pdf, double& y) {
  pdf.PDFSetFont(2, 10);
  pdf.PDFSetLineColor("#404040");
  pdf.PDFSetDrawColor(std::array<double, 3>{230, 230, 255});
  pdf.PDFSetFill(true);
  pdf.PDFSetBorder(1);
  pdf.PDFSetAlignement(3);
  pdf.PDFCell(kParagraph, 40, y, 300, 13);
  pdf.PDFSetFill(false);
  const int32_t alignments[] = {1, 0, 2};
  for (int32_t alignment : alignments) {
    y = pdf.PDFGetY() + 8;
    pdf.PDFSetAlignement(alignment);
    pdf.PDFSetBorder(45);
    pdf.PDFCell("Alignement " + pdf.PDFGetAlignement(), 40, y, 300, 13);
  }
  y = pdf.PDFGetY() + 20;
}

TEST(TextDocument, EveryFontColoursRotationCellsAndLinksReadBack) {
  TestDocument doc;
  CreatePDF& pdf = doc.pdf;
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  pdf.PDFSetUnit(0);
  pdf.PDFTitle("Essai de texte");
  pdf.PDFBeginDoc();
  double y = 60;
  WriteEveryFont(pdf, y);
  pdf.PDFSetFont(0, 12);
  pdf.PDFSetTextColor("#C00000");
  pdf.PDFTextOut("Texte rouge", 40, y);
  pdf.PDFSetTextColor(16711680.0);
  pdf.PDFTextOut("Texte bleu", 200, y);
  pdf.PDFSetTextColor("#000000");
  pdf.PDFSetRotation(90);
  pdf.PDFTextOut("Texte tourné", 560, 500);
  y += 24;
  WriteCells(pdf, y);
  pdf.PDFSetFont(0, 11);
  pdf.PDFLink(40, y, "Site Solmerac", "https://www.example.com/solmerac?doc=(1)");
  pdf.PDFEndPage();
  pdf.PDFNewPage();
  pdf.PDFSetBorder(0);
  pdf.PDFSetAlignement(1);
  pdf.PDFCell("Première ligne\r\nDeuxième ligne\nTroisième ligne", 40, 60, 300, 14);
  pdf.PDFLink(40, 200, "https://www.example.com/page2");
  doc.Finish();
  ASSERT_TRUE(pdftest::IsValidPdfFile(doc.path));
  EXPECT_TRUE(doc.messages.empty());

  const auto text = RunCommand("pdftotext -enc UTF-8 '" + doc.path + "' -");
  ASSERT_EQ(text.status, 0) << text.output;
  for (const char* expected :
       {"Helvetica normal : àéèçô", "Courier gras italique : àéèçô", "Times italique : àéèçô",
        "αβγ", "Texte rouge", "Texte bleu", "Texte tourné", "vitrage feuilleté", "émissivité",
        "Alignement Center", "Alignement Right", "Site Solmerac", "Première ligne",
        "Deuxième ligne", "Troisième ligne", "https://www.example.com/page2"}) {
    EXPECT_NE(text.output.find(expected), std::string::npos) << expected << "\n" << text.output;
  }
  const auto urls = RunCommand("pdfinfo -url '" + doc.path + "'");
  EXPECT_NE(urls.output.find("https://www.example.com/solmerac?doc=(1)"), std::string::npos)
      << urls.output;
  EXPECT_NE(urls.output.find("https://www.example.com/page2"), std::string::npos) << urls.output;
  const auto shown = RunCommand("mutool show '" + doc.path + "' 23");  // page 2's object
  EXPECT_NE(shown.output.find("/URI (https://www.example.com/page2)"), std::string::npos)
      << shown.output;
}

}  // namespace
