// Bookmarks: the outline items, their links, destinations and the outline root.
#include <gtest/gtest.h>

#include "PdfTestSupport.h"

namespace {

using pdftest::ObjectText;
using pdftest::TestDocument;

std::string Item(int object, const std::string& title, const std::string& links,
                 const std::string& dest) {
  return std::to_string(object) + " 0 obj\r\n<</Title (" + title + ")\r\n" + links + "/Dest [" +
         dest + " null]\r\n/Count 0>>\r\nendobj\r\n";
}

TEST(Bookmarks, NoBookmarkWritesNoOutline) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  const std::string bytes = doc.Finish();
  EXPECT_EQ(bytes.find("/Outlines"), std::string::npos);
  EXPECT_EQ(ObjectText(bytes, 21).substr(0, 25), "21 0 obj\r\n<<\r\n/Type /Cata");
}

TEST(Bookmarks, OneTopLevelBookmarkAtTheCurrentPosition) {
  TestDocument doc;
  doc.pdf.PDFUseOutlines(true);
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("Résumé");  // at CurrentY = 1 cm: 841.89 - 28.35
  const std::string bytes = doc.Finish();
  EXPECT_EQ(ObjectText(bytes, 21),
            Item(21, "R\xE9sum\xE9", "/Parent 22 0 R\r\n", "20 0 R /XYZ 0 813.54"));
  EXPECT_EQ(ObjectText(bytes, 22),
            "22 0 obj\r\n<</Type /Outlines /First 21 0 R\r\n/Last 21 0 R>>\r\nendobj\r\n");
  const std::string catalog = ObjectText(bytes, 23);
  EXPECT_NE(catalog.find("/Outlines 22 0 R\r\n/PageMode /UseOutlines\r\n"), std::string::npos);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

// Levels 0, 1, 1, 0 on two pages: pages are objects 22 and 23, items 24 to 27, root 28.
TEST(Bookmarks, LevelsBuildTheTree) {
  TestDocument doc;
  doc.pdf.PDFUseOutlines(true);
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("A", 0, 1);
  doc.pdf.PDFSetBookmark("B", 1, 2);
  doc.pdf.PDFEndPage();
  doc.pdf.PDFNewPage();
  doc.pdf.PDFSetBookmark("C", 1);  // at CurrentY after PDFNewPage: the top margin, 1 cm
  doc.pdf.PDFSetBookmark("D", 0, 4);
  const std::string bytes = doc.Finish();
  EXPECT_EQ(ObjectText(bytes, 24),
            Item(24, "A", "/Parent 28 0 R\r\n/Next 27 0 R\r\n/First 25 0 R\r\n/Last 26 0 R\r\n",
                 "22 0 R /XYZ 0 813.54"));
  EXPECT_EQ(ObjectText(bytes, 25),
            Item(25, "B", "/Parent 24 0 R\r\n/Next 26 0 R\r\n", "22 0 R /XYZ 0 785.20"));
  EXPECT_EQ(ObjectText(bytes, 26),
            Item(26, "C", "/Parent 24 0 R\r\n/Prev 25 0 R\r\n", "23 0 R /XYZ 0 813.54"));
  EXPECT_EQ(ObjectText(bytes, 27),
            Item(27, "D", "/Parent 28 0 R\r\n/Prev 24 0 R\r\n", "23 0 R /XYZ 0 728.50"));
  EXPECT_EQ(ObjectText(bytes, 28),
            "28 0 obj\r\n<</Type /Outlines /First 24 0 R\r\n/Last 27 0 R>>\r\nendobj\r\n");
  EXPECT_NE(bytes.find("/Root 29 0 R"), std::string::npos);
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  const pdftest::CommandResult outline =
      pdftest::RunCommand("mutool show '" + doc.path + "' outline");
  EXPECT_EQ(outline.status, 0);
  EXPECT_NE(outline.output.find("A\"\t#page=1"), std::string::npos) << outline.output;
}

// A title with an unbalanced parenthesis is escaped, so the file stays readable and the
// reader shows the title as given.
TEST(Bookmarks, TitlesAreEscaped) {
  TestDocument doc;
  doc.pdf.PDFUseOutlines(true);
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("Chapitre 1) début \\ fin", 0, 0);
  const std::string bytes = doc.Finish();
  EXPECT_EQ(ObjectText(bytes, 21), Item(21,
                                        "Chapitre 1\\) d\xE9"
                                        "but \\\\ fin",
                                        "/Parent 22 0 R\r\n", "20 0 R /XYZ 0 841.89"));
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
  const pdftest::CommandResult outline =
      pdftest::RunCommand("mutool show '" + doc.path + "' outline");
  EXPECT_NE(outline.output.find("\"Chapitre 1) début \\\\ fin\""), std::string::npos)
      << outline.output;
}

// Levels that jump by more than one, or fall below 0, still give every item a parent.
TEST(Bookmarks, IrregularLevelsAreKeptInTheTree) {
  TestDocument doc;
  doc.pdf.PDFBeginDoc();
  doc.pdf.PDFSetBookmark("top", 0, 0);
  doc.pdf.PDFSetBookmark("deep", 3, 0);  // taken as level 1
  doc.pdf.PDFSetBookmark("negative", -2, 0);
  const std::string bytes = doc.Finish();
  const std::string dest = "20 0 R /XYZ 0 841.89";
  EXPECT_EQ(
      ObjectText(bytes, 21),
      Item(21, "top", "/Parent 24 0 R\r\n/Next 23 0 R\r\n/First 22 0 R\r\n/Last 22 0 R\r\n", dest));
  EXPECT_EQ(ObjectText(bytes, 22), Item(22, "deep", "/Parent 21 0 R\r\n", dest));
  EXPECT_EQ(ObjectText(bytes, 23),
            Item(23, "negative", "/Parent 24 0 R\r\n/Prev 21 0 R\r\n", dest));
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

}  // namespace
