// PDFTextOut operator by operator: position, rotation, underline, current position.
#include <gtest/gtest.h>

#include <stdexcept>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using pdftest::Lines;
using pdftest::TestDocument;

class TextOut : public ::testing::Test {
 protected:
  TextOut() {
    doc.pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
    doc.pdf.PDFBeginDoc();
  }
  std::string& Content() { return Access::PageContent(doc.pdf); }
  TestDocument doc;
};

TEST_F(TextOut, WritesColourPositionFontAndEscapedText) {
  doc.pdf.PDFSetFont(0, 10);
  doc.pdf.PDFTextOut("a(b)", 2, 3);
  // 85.04 is (1 + 2) × 28.3465, 756.85 is 841.89 − 3 × 28.3465.
  EXPECT_EQ(Content(),
            Lines({"q 0 g ", "BT", "85.04 756.85 Td", "/F1 10.00 Tf", "(a\\(b\\)) Tj", "ET", "Q"}));
}

TEST_F(TextOut, ZeroCoordinatesContinueFromTheCurrentPosition) {
  doc.pdf.PDFSetUnit(0);  // points
  doc.pdf.PDFSetFont(0, 10);
  doc.pdf.PDFTextOut("ab", 100, 200);
  // The width in points (2 × 5.56) is added to x; the font size to y.
  EXPECT_DOUBLE_EQ(Access::CurrentX(doc.pdf), 111.12);
  EXPECT_DOUBLE_EQ(Access::CurrentY(doc.pdf), 210);
  Content().clear();
  doc.pdf.PDFTextOut("c", 0, 0);
  EXPECT_NE(Content().find("\r\n112.12 631.89 Td\r\n"), std::string::npos) << Content();
}

TEST_F(TextOut, WithoutAFontUsesHelveticaAtTen) {
  doc.pdf.PDFTextOut("x", 1, 1);
  EXPECT_NE(Content().find("/F1 10.00 Tf"), std::string::npos);
  EXPECT_EQ(Access::FontSize(doc.pdf), 10);
  EXPECT_DOUBLE_EQ(doc.pdf.PDFTextHeight(), 10 * Access::Scale(doc.pdf));
}

TEST_F(TextOut, RotationWritesATextMatrixForTheNextTextOnly) {
  doc.pdf.PDFSetFont(0, 10);
  doc.pdf.PDFSetRotation(90);
  doc.pdf.PDFTextOut("up", 2, 3);
  // Counter-clockwise by 90 degrees; no left margin in the rotated position.
  EXPECT_EQ(Content(), Lines({"q 0 g ", "BT", "0.00000 1.00000 -1.00000 0.00000 56.69 756.85 Tm",
                              "/F1 10.00 Tf", "(up) Tj", "ET", "Q"}));
  Content().clear();
  doc.pdf.PDFTextOut("flat", 2, 3);
  EXPECT_NE(Content().find("85.04 756.85 Td"), std::string::npos);
  EXPECT_EQ(Content().find(" Tm"), std::string::npos);

  Content().clear();
  doc.pdf.PDFSetRotation(30);
  doc.pdf.PDFTextOut("slope", 2, 3);
  // With 3.1416 for pi the cosine of 30 degrees is 0.866023, not 0.866025.
  EXPECT_NE(Content().find("0.86602 0.50000 -0.50000 0.86602 "), std::string::npos) << Content();
}

TEST_F(TextOut, UnderlineIsAThinRectangleBelowTheText) {
  doc.pdf.PDFSetFont(0, 10, 3);
  doc.pdf.PDFTextOut("ab", 2, 3);
  // "up" is 11.12 points wide, rounded to 11; the line is 11.12 − 3 long, 0.002 of that thick.
  EXPECT_EQ(Content(), Lines({"q 0 g ", "BT", "85.04 756.85 Td", "/F1 10.00 Tf", "(ab) Tj", "ET",
                              "85.00 754.96 8.12 -0.02 re f", "Q"}));
  Content().clear();
  doc.pdf.PDFTextOut("ab", 2, 3);
  EXPECT_EQ(Content().find("re f"), std::string::npos);
}

TEST_F(TextOut, TextIsWrittenInWindows1252) {
  doc.pdf.PDFTextOut("Vitrage feuilleté 20 €, x→y", 1, 1);
  EXPECT_NE(Content().find("(Vitrage feuillet\xE9 20 \x80, x?y) Tj"), std::string::npos);
}

TEST(TextOutOrder, NeedsAnOpenPage) {
  TestDocument doc;
  EXPECT_THROW(doc.pdf.PDFTextOut("early", 1, 1), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFCell("early", 1, 1, 5, 1), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFLink(1, 1, "early"), std::logic_error);
  doc.pdf.PDFBeginDoc();
  doc.Finish();
  EXPECT_THROW(doc.pdf.PDFTextOut("late", 1, 1), std::logic_error);
}

}  // namespace
