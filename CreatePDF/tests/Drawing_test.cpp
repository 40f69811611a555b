// Lines and shapes, operator by operator: paths, painting by drawing mode, current
// position, the fill colour that lines derive, and the links of rectangles and ellipses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "PdfTestSupport.h"

namespace {

using pdftest::TestDocument;
using Access = CreatePDFTestAccess;

// The lines a drawing call appends to the page, CR LF removed.
template <typename Draw>
std::vector<std::string> LinesOf(CreatePDF& pdf, Draw draw) {
  const std::string before = Access::PageContent(pdf);
  draw();
  const std::string added = Access::PageContent(pdf).substr(before.size());
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = added.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(added.substr(start, end - start));
  }
  EXPECT_EQ(start, added.size()) << "every line ends with CR LF";
  return lines;
}

using Lines = std::vector<std::string>;

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override { doc.pdf.PDFBeginDoc(); }
  // Points as the unit, so that user coordinates read as page coordinates.
  void UsePoints() { doc.pdf.PDFSetUnit(0); }
  TestDocument doc;
  CreatePDF& pdf = doc.pdf;
};

TEST_F(Drawing, LineWithDefaultSettings) {
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawLine(1, 1, 3, 1); }),
            (Lines{"", "28.35 813.54 m", "85.04 813.54 l", "0 G", "16.07 w S"}));
  EXPECT_EQ(Access::CurrentX(pdf), 3);
  EXPECT_EQ(Access::CurrentY(pdf), 1);
  pdf.PDFDrawLine(5, 4, 2, 7);  // the position takes the larger of each pair
  EXPECT_EQ(Access::CurrentX(pdf), 5);
  EXPECT_EQ(Access::CurrentY(pdf), 7);
}

TEST_F(Drawing, HorizontalAndVerticalLinesSetTheFillColour) {
  UsePoints();
  Access::LineColorOp(pdf) = "1.000 0.502 0.000 RG";
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawLineHor(10, 20, 30); }),
            (Lines{"", "10.00 821.89 m", "40.00 821.89 l", "1.000 0.502 0.000 RG", "0.57 w S"}));
  EXPECT_EQ(Access::DrawColorOp(pdf), "1.000 0.502 0.000 rg");
  EXPECT_EQ(Access::CurrentX(pdf), 40);
  EXPECT_EQ(Access::CurrentY(pdf), 20);

  Access::LineColorOp(pdf) = "0 G";
  Access::LineDash(pdf) = "[3 2 ] 0 d";
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawLineVer(10, 20, -5); }),
            (Lines{"[3 2 ] 0 d", "10.00 821.89 m", "10.00 826.89 l", "0 G", "0.57 w S"}));
  EXPECT_EQ(Access::DrawColorOp(pdf), "0 g");
  EXPECT_EQ(Access::CurrentX(pdf), 10);
  EXPECT_EQ(Access::CurrentY(pdf), 15);
}

TEST_F(Drawing, RectangleInEachDrawMode) {
  UsePoints();
  pdf.PDFSetLineWidth(2);
  Access::DrawColorOp(pdf) = "0.000 0.502 1.000 rg";
  const Lines path{"",
                   "10.00 821.89 m",
                   "10.00 771.89 l",
                   "110.00 771.89 l",
                   "110.00 821.89 l",
                   "10.00 821.89 l"};
  struct Case {
    int code;
    Lines painting;
  };
  const Case cases[] = {
      {0, {"0 G", "2.00 w S"}},
      {1, {"0.000 0.502 1.000 rg", "2.00 w h f"}},
      {2, {"0.000 0.502 1.000 rg", "0 G", "2.00 w b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    pdf.PDFSetDrawMode(c.code);
    Lines expected = path;
    expected.insert(expected.end(), c.painting.begin(), c.painting.end());
    EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawRectangle(10, 20, 110, 70); }), expected);
    EXPECT_EQ(Access::CurrentX(pdf), 110);
    EXPECT_EQ(Access::CurrentY(pdf), 70);
  }
  Access::DrawMode(pdf) = "X";  // any other mode fills without a border
  Lines expected = path;
  expected.insert(expected.end(), {"0.000 0.502 1.000 rg", "0 G", "2.00 w h f"});
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawRectangle(10, 20, 110, 70); }), expected);
}

TEST_F(Drawing, TriangleStartsAtItsThirdPoint) {
  UsePoints();
  pdf.PDFSetDrawMode(1);
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawTriangle(0, 0, 100, 0, 50, 80.5); }),
            (Lines{"", "50.00 761.39 m", "0.00 841.89 l", "100.00 841.89 l", "50.00 761.39 l",
                   "0 g", "0.57 w h f"}));
  EXPECT_EQ(Access::CurrentX(pdf), 50);
  EXPECT_EQ(Access::CurrentY(pdf), 80.5);
}

TEST_F(Drawing, EllipseIsOneMoveAndFourCurves) {
  UsePoints();
  EXPECT_EQ(LinesOf(pdf, [&] { pdf.PDFDrawEllipse(100, 100, 200, 100); }),
            (Lines{"", "100.00 691.89 m", "100.00 719.39 145.00 741.89 200.00 741.89 c",
                   "255.00 741.89 300.00 719.39 300.00 691.89 c",
                   "300.00 664.39 255.00 641.89 200.00 641.89 c",
                   "145.00 641.89 100.00 664.39 100.00 691.89 c", "0 G", "0.57 w S"}));
  EXPECT_EQ(Access::CurrentX(pdf), 100);
  EXPECT_EQ(Access::CurrentY(pdf), 150);
}

TEST_F(Drawing, RectangleAndEllipseLinks) {
  UsePoints();
  const double H = 841.89;
  Access::TextColorOp(pdf) = "0.000 0.502 1.000 rg";
  // Corners in any order: the anchor is the left edge + 5, half-way down.
  pdf.PDFDrawRectangle(300, 100, 100, 150, "https://example.org/r");
  pdf.PDFDrawEllipse(250, 100, 100, 50, "https://example.org/e");
  const auto& links = Access::PageLinks(pdf).at(1);
  ASSERT_EQ(Access::PageLinkCount(pdf), 2);
  EXPECT_EQ(links[0].x, 105);
  EXPECT_EQ(links[0].y, H - 125);
  EXPECT_EQ(links[0].width, 260);  // the right edge less 40 units
  EXPECT_EQ(links[0].target, "https://example.org/r");
  EXPECT_EQ(links[1].x, 200);  // half a width left of the ellipse's box
  EXPECT_EQ(links[1].y, H - std::floor(100 + 25 - 13.75));
  EXPECT_EQ(links[1].target, "https://example.org/e");
  // The link's white lasts only while it is written.
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.502 1.000 rg");
  EXPECT_EQ(Access::LinkObjectType(pdf), "");
  EXPECT_EQ(Access::CurrentX(pdf), 250);  // the ellipse's own position update
  EXPECT_EQ(Access::CurrentY(pdf), 125);

  // A flat rectangle records nothing and keeps the last link width.
  pdf.PDFDrawRectangle(50, 10, 50, 90, "https://example.org/flat");
  pdf.PDFDrawRectangle(10, 60, 90, 60, "https://example.org/flat");
  EXPECT_EQ(Access::PageLinkCount(pdf), 2);
  EXPECT_EQ(Access::LinkObjectLength(pdf), 260);
  // Without a target nothing is recorded, and the text colour stays.
  pdf.PDFDrawRectangle(10, 10, 90, 90);
  pdf.PDFDrawEllipse(10, 10, 90, 90);
  EXPECT_EQ(Access::PageLinkCount(pdf), 2);
  EXPECT_EQ(Access::TextColorOp(pdf), "0.000 0.502 1.000 rg");
  doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST_F(Drawing, ShapesThatCannotBeWrittenLeaveThePageAsItWas) {
  const std::string before = Access::PageContent(pdf);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_ANY_THROW(pdf.PDFDrawLine(1, 1, nan, 1));
  EXPECT_ANY_THROW(pdf.PDFDrawRectangle(1, 1, 2, inf));
  EXPECT_ANY_THROW(pdf.PDFDrawEllipse(1, 1, inf, 2));
  EXPECT_ANY_THROW(pdf.PDFDrawTriangle(nan, 1, 2, 2, 3, 1));
  Access::CurrentPageIndex(pdf) = 99;  // no such page-format slot
  EXPECT_THROW(pdf.PDFDrawLineHor(1, 1, 2), std::out_of_range);
  EXPECT_EQ(Access::PageContent(pdf), before);
  Access::CurrentPageIndex(pdf) = 1;

  CreatePDF closed;  // no document open
  EXPECT_THROW(closed.PDFDrawLine(1, 1, 2, 2), std::logic_error);
  EXPECT_THROW(closed.PDFDrawEllipse(1, 1, 2, 2), std::logic_error);
  doc.Finish();
  EXPECT_THROW(pdf.PDFDrawRectangle(1, 1, 2, 2), std::logic_error);
}

}  // namespace
