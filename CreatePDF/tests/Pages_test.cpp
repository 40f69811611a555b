// The document and page lifecycle: page formats per page, the catalog's viewer
// preferences, the information object, calls out of order and files that cannot be
// written.
#include <gtest/gtest.h>

#include <filesystem>

#include "PdfTestSupport.h"

namespace {

using pdftest::ObjectText;
using pdftest::TestDocument;
using Access = CreatePDFTestAccess;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The value of a "Key:   value" line of pdfinfo's report.
std::string InfoField(const std::string& report, const std::string& key) {
  const std::string lines = "\n" + report;
  const std::size_t at = lines.find("\n" + key + ":");
  if (at == std::string::npos) return "<missing>";
  const std::size_t start = lines.find_first_not_of(' ', at + key.size() + 2);
  return lines.substr(start, lines.find('\n', start) - start);
}

// With P pages and no image, the page objects follow the page tree (2P + 16) and the
// resources: page k is object 2P + 17 + k, the catalog the object after the last one.
int PageObject(int pages, int page) {
  return 2 * pages + 17 + page;
}

TEST(Pages, FormatSetBetweenEndPageAndNewPageAppliesToTheFollowingPages) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFEndPage();
  doc.pdf.PDFFormatPage(3);  // page 2: US Letter
  doc.pdf.PDFNewPage();
  doc.pdf.PDFEndPage();  // page 3 repeats page 2
  doc.pdf.PDFNewPage();
  doc.pdf.PDFEndPage();
  doc.pdf.PDFOrientation(0);  // page 4: Letter, landscape
  doc.pdf.PDFNewPage();
  const std::string bytes = doc.Finish();
  const char* boxes[] = {"[ 0 0 595.28 841.89]", "[ 0 0 612 792]", "[ 0 0 612 792]",
                         "[ 0 0 792 612]"};
  for (int page = 1; page <= 4; ++page) {
    EXPECT_TRUE(Contains(ObjectText(bytes, PageObject(4, page)),
                         std::string("/MediaBox ") + boxes[page - 1]))
        << "page " << page;
  }
  EXPECT_EQ(doc.pdf.PDFNbPage(), 4);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

// Pages started without PDFEndPage have no format slot of their own: they repeat the
// last slot's format, and the file is still finished.
TEST(Pages, PagesWithoutEndPageRepeatTheLastFormat) {
  TestDocument doc;
  doc.pdf.PDFFormatPage(2);
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFNewPage();
  doc.pdf.PDFNewPage();
  const std::string bytes = doc.Finish();
  for (int page = 1; page <= 3; ++page) {
    EXPECT_TRUE(Contains(ObjectText(bytes, PageObject(3, page)), "[ 0 0 420.94 595.28]"));
  }
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST(Pages, NewPageMovesToTheMarginsAndCountsThePage) {
  TestDocument doc;
  doc.pdf.PDFSetMargins(2, 3);
  doc.pdf.PDFBeginDoc();
  EXPECT_EQ(doc.pdf.PDFPageNumber(), 1);
  Access::CurrentX(doc.pdf) = 12.5;
  Access::CurrentY(doc.pdf) = 20;
  Access::PageLinkCount(doc.pdf) = 4;
  Access::TextColorOp(doc.pdf) = "1.000 0.000 0.000 rg";
  doc.pdf.PDFEndPage();
  doc.pdf.PDFNewPage();
  EXPECT_EQ(doc.pdf.PDFPageNumber(), 2);
  EXPECT_EQ(Access::CurrentX(doc.pdf), 2);
  EXPECT_EQ(Access::CurrentY(doc.pdf), 3);
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 0);
  EXPECT_EQ(Access::TextColorOp(doc.pdf), "1.000 0.000 0.000 rg");
  EXPECT_EQ(Access::PageContent(doc.pdf), "");  // a page starts with no operator
  EXPECT_EQ(doc.pdf.PDFNbPage(), 0);
  doc.Finish();
  EXPECT_EQ(doc.pdf.PDFNbPage(), 2);
}

TEST(Pages, CatalogCarriesZoomLayoutAndPageModes) {
  const struct {
    int32_t zoom, layout;
    bool thumbs, outlines;
    std::vector<std::string> lines;  // the catalog's lines after /Pages
  } cases[] = {
      {150, 3, false, false, {"/OpenAction [20 0 R /XYZ null null 1.50]"}},
      {1, 1, false, false, {"/OpenAction [20 0 R /FitH null]", "/PageLayout /OneColumn"}},
      {2, 2, false, false, {"/OpenAction [20 0 R /XYZ null null 1]", "/PageLayout /TwoColumnLeft"}},
      {3,
       0,
       true,
       false,
       {"/OpenAction [20 0 R /XYZ null null 0.03]", "/PageLayout /SinglePage",
        "/PageMode /UseThumbs"}},
      // Both modes: one /PageMode key, the outlines one; no bookmark, so no /Outlines line.
      {0,
       0,
       true,
       true,
       {"/OpenAction [20 0 R /Fit]", "/PageLayout /SinglePage", "/PageMode /UseOutlines"}},
  };
  for (const auto& c : cases) {
    TestDocument doc("_zoom" + std::to_string(c.zoom));
    doc.pdf.PDFSetZoomMode(c.zoom);
    doc.pdf.PDFSetLayoutMode(c.layout);
    doc.pdf.PDFUseThumbs(c.thumbs);
    doc.pdf.PDFUseOutlines(c.outlines);
    doc.pdf.PDFBeginDoc();
    const std::string bytes = doc.Finish();
    std::string expected = "21 0 obj\r\n<<\r\n/Type /Catalog\r\n/Pages 18 0 R\r\n";
    for (const std::string& line : c.lines) expected += line + "\r\n";
    EXPECT_EQ(ObjectText(bytes, 21), expected + ">>\r\nendobj\r\n") << "zoom " << c.zoom;
    EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  }
}

// Information strings and bookmark titles are escaped and written in PDFDocEncoding: a
// title such as "a) b" would otherwise end the string early and corrupt the file, and
// readers decode these strings in PDFDocEncoding, not in the fonts' WinAnsiEncoding.
TEST(Pages, InformationAndBookmarkStringsAreEscapedAndInPdfDocEncoding) {
  // Every character of Windows-1252 from 0x80 to 0x9F, the no-break space, a soft hyphen.
  const std::string high = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ\xC2\xA0!\xC2\xAD";
  TestDocument doc;
  doc.pdf.PDFTitle("a) b");
  doc.pdf.PDFAuthor("Café (essai");
  doc.pdf.PDFSubject("C:\\temp");
  doc.pdf.PDFKeywords(high);
  doc.pdf.PDFCreator("Feuilleté (™, €)");
  doc.pdf.PDFProducer("Lamivex");
  doc.pdf.PDFUseOutlines(true);
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("Œuvre… ™ €", 0, 0);
  const std::string bytes = doc.Finish();
  const std::string info = ObjectText(bytes, 1);
  EXPECT_TRUE(Contains(info, "/Title (a\\) b)\r\n"));
  EXPECT_TRUE(Contains(info, "/Author (Caf\xE9 \\(essai)\r\n"));
  EXPECT_TRUE(Contains(info, "/Subject (C:\\\\temp)\r\n"));
  EXPECT_TRUE(Contains(info, "/Creator (Feuillet\xE9 \\(\x92, \xA0\\))\r\n"));
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  const pdftest::CommandResult shown = pdftest::RunCommand("pdfinfo -enc UTF-8 '" + doc.path + "'");
  EXPECT_EQ(InfoField(shown.output, "Title"), "a) b") << shown.output;
  EXPECT_EQ(InfoField(shown.output, "Author"), "Café (essai") << shown.output;
  EXPECT_EQ(InfoField(shown.output, "Creator"), "Feuilleté (™, €)") << shown.output;
  EXPECT_EQ(InfoField(shown.output, "Keywords"), "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ !") << shown.output;
  const pdftest::CommandResult outline =
      pdftest::RunCommand("mutool show '" + doc.path + "' outline");
  EXPECT_NE(outline.output.find("\"Œuvre… ™ €\""), std::string::npos) << outline.output;
}

TEST(Pages, CompletionMessageOnlyWhenAskedFor) {
  TestDocument quiet;
  quiet.pdf.PDFBeginDoc();
  quiet.Finish();
  EXPECT_TRUE(quiet.messages.empty());

  TestDocument confirmed;
  confirmed.pdf.PDFConfirm(true);
  confirmed.pdf.PDFBeginDoc();
  confirmed.Finish();
  ASSERT_EQ(confirmed.messages.size(), 1u);
  EXPECT_EQ(confirmed.messages[0].text,
            "La génération du fichier PDF '" + confirmed.path + "' est terminée.");
  EXPECT_EQ(confirmed.messages[0].title, "Génération du Fichier PDF - CreatePDF 1.0");
  EXPECT_EQ(confirmed.messages[0].icon, PDFMessageIcon::None);
}

TEST(Pages, CallsOutOfOrderAreRefusedAndWriteNothing) {
  TestDocument doc;
  EXPECT_THROW(doc.pdf.PDFNewPage(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFEndPage(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFEndDoc(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFSetBookmark("early"), std::logic_error);
  EXPECT_EQ(std::filesystem::file_size(doc.path), 0u);

  doc.pdf.PDFBeginDoc();
  EXPECT_THROW(doc.pdf.PDFBeginDoc(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFFileName(doc.path + ".other"), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFInit(), std::logic_error);
  const std::string bytes = doc.Finish();

  EXPECT_THROW(doc.pdf.PDFNewPage(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFEndPage(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFEndDoc(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFBeginDoc(), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFSetBookmark("late"), std::logic_error);
  EXPECT_THROW(doc.pdf.PDFFileName(doc.path), std::logic_error);
  EXPECT_EQ(pdftest::ReadFileBytes(doc.path), bytes);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

TEST(Pages, NoOpenFileOrAFailedWriteThrowsRuntimeError) {
  CreatePDF unnamed;
  EXPECT_THROW(unnamed.PDFBeginDoc(), std::runtime_error);

  CreatePDF nowhere;
  nowhere.PDFFileName(pdftest::TestFilePath("/missing folder/x"));
  ASSERT_FALSE(nowhere.PDFFileCreated());
  EXPECT_THROW(nowhere.PDFBeginDoc(), std::runtime_error);
  EXPECT_THROW(nowhere.PDFNewPage(), std::logic_error);  // the document never began

  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fill";
  CreatePDF full;
  full.PDFFileName("/dev/full");
  ASSERT_TRUE(full.PDFFileCreated());
  EXPECT_THROW(full.PDFBeginDoc(), std::runtime_error);
}

// A document whose objects number more than 32767 (11,000 pages give 33,018).
TEST(Pages, ObjectNumbersGoPast32767) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  const int pages = 11000;
  for (int page = 2; page <= pages; ++page) {
    doc.pdf.PDFEndPage();
    doc.pdf.PDFNewPage();
  }
  const std::string bytes = doc.Finish();
  EXPECT_EQ(doc.pdf.PDFNbPage(), pages);
  EXPECT_EQ(doc.pdf.PDFPageNumber(), pages);
  EXPECT_TRUE(Contains(bytes, "/Count 11000\r\n"));
  EXPECT_TRUE(Contains(bytes, "/Root " + std::to_string(PageObject(pages, pages) + 1) + " 0 R"));
  EXPECT_TRUE(pdftest::CrossReferenceIsExact(bytes));
  EXPECT_TRUE(pdftest::PassesPdfTools(doc.path, "1,N"));
}

TEST(Pages, NumbersStayLocaleFreeInAWholeDocument) {
  pdftest::FrenchLocale french;
  if (!french.active()) GTEST_SKIP() << "no fr_FR locale on this system";
  TestDocument doc;
  doc.pdf.PDFSetZoomMode(150);
  doc.pdf.PDFFormatPage(std::vector<double>{200.5, 300.25});
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("Début", 0, 2.5);
  const std::string bytes = doc.Finish();
  EXPECT_TRUE(Contains(bytes, "/MediaBox [ 0 0 200.5 300.25]"));
  EXPECT_TRUE(Contains(bytes, "/XYZ null null 1.50]"));
  EXPECT_TRUE(Contains(bytes, "/XYZ 0 229.38 null]"));  // 300.25 - 2.5 × 28.3465
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

}  // namespace
