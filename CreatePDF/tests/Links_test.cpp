// Links: the text link, the object link operation, per-page records and their annotations.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using pdftest::Count;
using pdftest::TestDocument;

class Links : public ::testing::Test {
 protected:
  Links() {
    doc.pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
    doc.pdf.PDFBeginDoc();
    doc.pdf.PDFSetFont(0, 10);
    scale = Access::Scale(doc.pdf);
  }
  std::string& Content() { return Access::PageContent(doc.pdf); }
  const auto& LinksOfPage(int page) { return Access::PageLinks(doc.pdf).at(page); }
  TestDocument doc;
  double scale = 0;
};

TEST_F(Links, ATextLinkIsUnderlinedTextWithARectangleOverIt) {
  doc.pdf.PDFLink(2, 3, "site");
  EXPECT_NE(Content().find("\r\n(site) Tj\r\n"), std::string::npos);
  EXPECT_NE(Content().find(" re f\r\n"), std::string::npos);  // the underline
  EXPECT_FALSE(Access::FontUnderline(doc.pdf));
  ASSERT_EQ(Access::PageLinkCount(doc.pdf), 1);
  const auto& link = LinksOfPage(1).at(0);
  // "site" is 15.56 points wide at 10: 15 whole points, multiplied by Scale like the rest.
  EXPECT_DOUBLE_EQ(link.x, 2 * scale);
  EXPECT_DOUBLE_EQ(link.y, 841.89 - 3 * scale);
  EXPECT_DOUBLE_EQ(link.width, 15 * scale);
  EXPECT_DOUBLE_EQ(link.height, 10 * scale);
  EXPECT_EQ(link.target, "site");  // no target given: the text itself

  doc.pdf.PDFLink(0, 5, "second", "https://example.org/b");
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 2);
  // x = 0 continues after the first link's text.
  EXPECT_DOUBLE_EQ(LinksOfPage(1).at(1).x, (2 + 15.56) * scale);
  EXPECT_EQ(LinksOfPage(1).at(1).target, "https://example.org/b");
  EXPECT_TRUE(Access::PageHasLinks(doc.pdf).at(1));
  EXPECT_EQ(Access::PageLinkTotals(doc.pdf).at(1), 2);
}

TEST_F(Links, NumberingStartsAgainOnEveryPage) {
  doc.pdf.PDFLink(2, 3, "one");
  doc.pdf.PDFLink(2, 4, "two");
  doc.pdf.PDFEndPage();
  doc.pdf.PDFNewPage();
  doc.pdf.PDFLink(2, 3, "three");
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 1);
  EXPECT_EQ(Access::PageLinkTotals(doc.pdf).at(1), 2);
  EXPECT_EQ(Access::PageLinkTotals(doc.pdf).at(2), 1);
  EXPECT_EQ(LinksOfPage(2).at(0).target, "three");
}

TEST_F(Links, AnEmptyTargetRecordsAndWritesNothing) {
  Access::LinkObjectText(doc.pdf) = "cell text";
  Access::LinkObjectType(doc.pdf) = "CELL";
  Access::LinkObject(doc.pdf, "", "CELL", 2, 3);
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 0);
  EXPECT_TRUE(Content().empty());
  EXPECT_TRUE(Access::LinkObjectText(doc.pdf).empty());
}

TEST_F(Links, ShapeAndImageLinksUseTheirColourOnlyForWhatTheyWrite) {
  doc.pdf.PDFSetTextColor("#FF0000");
  Access::LinkObjectType(doc.pdf) = "RECTANGLE";
  Access::LinkObjectLength(doc.pdf) = 120;
  Access::LinkObject(doc.pdf, "https://example.org/r", "RECTANGLE", 2, 3);
  EXPECT_NE(Content().find("q 1.000 1.000 1.000 rg \r\n"), std::string::npos) << Content();
  EXPECT_NE(Content().find("\r\n() Tj\r\n"), std::string::npos);  // no visible text
  EXPECT_DOUBLE_EQ(LinksOfPage(1).at(0).width, 120 * scale);
  EXPECT_EQ(Access::TextColorOp(doc.pdf), "1.000 0.000 0.000 rg");

  Content().clear();
  Access::LinkObjectWidth(doc.pdf) = 4.7;
  Access::LinkObjectHeight(doc.pdf) = 3.2;
  Access::LinkObject(doc.pdf, "https://example.org/i", "IMAGE", 2, 3);
  EXPECT_NE(Content().find("q 0.000 0.000 1.000 rg \r\n"), std::string::npos) << Content();
  EXPECT_DOUBLE_EQ(LinksOfPage(1).at(1).width, 4 * scale);  // whole user units
  EXPECT_DOUBLE_EQ(LinksOfPage(1).at(1).height, 3 * scale);
  EXPECT_FALSE(Access::LinkObjectIsImage(doc.pdf));

  Content().clear();
  doc.pdf.PDFTextOut("after", 2, 6);
  EXPECT_EQ(Content().substr(0, 25), "q 1.000 0.000 0.000 rg \r\n");
}

TEST_F(Links, TextAfterALinkedRectangleOrEllipseKeepsTheCallersColour) {
  doc.pdf.PDFSetTextColor("#FF0000");
  doc.pdf.PDFDrawRectangle(1, 1, 5, 3, "https://example.org/rectangle");
  doc.pdf.PDFDrawEllipse(6, 1, 4, 2, "https://example.org/ellipse");
  doc.pdf.PDFDrawRectangle(1, 4, 5, 6);  // no link: nothing written in white
  EXPECT_EQ(Count(Content(), "q 1.000 1.000 1.000 rg \r\n"), 2u) << Content();
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 2);
  Content().clear();
  doc.pdf.PDFTextOut("visible", 2, 8);
  EXPECT_EQ(Content().substr(0, 25), "q 1.000 0.000 0.000 rg \r\n");
}

TEST_F(Links, TargetsAreEscapedInTheAnnotationsOfTheirPage) {
  doc.pdf.PDFSetUnit(0);
  doc.pdf.PDFLink(100, 200, "back\\slash", "a\\b(c)");
  doc.pdf.PDFLink(100, 220, "https://example.org/page1");
  doc.pdf.PDFEndPage();
  doc.pdf.PDFNewPage();
  doc.pdf.PDFEndPage();
  doc.pdf.PDFNewPage();
  doc.pdf.PDFLink(100, 200, "https://example.org/page3");
  const std::string bytes = doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  // Page objects follow the 14 fonts, the page tree and the resources: 3 pages → 24, 25, 26.
  const std::string page1 = pdftest::ObjectText(bytes, 24);
  EXPECT_NE(page1.find("/Annots [<</Type /Annot /Subtype /Link /Rect [100 641.89 "),
            std::string::npos)
      << page1;
  EXPECT_NE(page1.find("/A <</S /URI /URI (a\\\\b\\(c\\))>>>>\r\n<</Type /Annot"),
            std::string::npos)
      << page1;
  EXPECT_EQ(pdftest::ObjectText(bytes, 25).find("/Annots"), std::string::npos);
  EXPECT_NE(pdftest::ObjectText(bytes, 26).find("(https://example.org/page3)>>>>\r\n]"),
            std::string::npos);

  const auto urls = pdftest::RunCommand("pdfinfo -url '" + doc.path + "'");
  EXPECT_NE(urls.output.find("https://example.org/page1"), std::string::npos) << urls.output;
  EXPECT_NE(urls.output.find("https://example.org/page3"), std::string::npos) << urls.output;
}

}  // namespace
