// PDFCell: line breaking, per-line borders, fill, the four alignments, line feeds.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using pdftest::Count;
using pdftest::Lines;
using pdftest::TestDocument;

// The lines of the page content that end with `suffix`, without it, in order.
std::vector<std::string> LinesEndingWith(const std::string& content, const std::string& suffix) {
  std::vector<std::string> found;
  std::size_t start = 0;
  for (std::size_t end = content.find("\r\n"); end != std::string::npos;
       start = end + 2, end = content.find("\r\n", start)) {
    const std::string line = content.substr(start, end - start);
    if (line.size() >= suffix.size() &&
        line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
      found.push_back(line.substr(0, line.size() - suffix.size()));
    }
  }
  return found;
}
// The texts of the "(..) Tj" lines and the positions of the "X Y Td" lines, in order.
std::vector<std::string> Texts(const std::string& content) {
  std::vector<std::string> texts;
  for (const std::string& shown : LinesEndingWith(content, ") Tj"))
    texts.push_back(shown.substr(1));
  return texts;
}
std::vector<std::string> Positions(const std::string& content) {
  return LinesEndingWith(content, " Td");
}

// Points as the unit (the cell rules give sensible pages in points), Helvetica 10, A4:
// a cell at x = 10 puts its last line's box at x − 3 (the cell margin), its text 6 further.
class Cells : public ::testing::Test {
 protected:
  Cells() {
    doc.pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
    doc.pdf.PDFSetUnit(0);
    doc.pdf.PDFBeginDoc();
    doc.pdf.PDFSetFont(0, 10);
  }
  std::string& Content() { return Access::PageContent(doc.pdf); }
  TestDocument doc;
};

TEST_F(Cells, OneLineOperatorByOperator) {
  doc.pdf.PDFSetBorder(0);
  doc.pdf.PDFCell("ab", 10, 20, 100, 12);
  // A line without sides still sets the line width. Text baseline: 841.89 − ((20 + 6) + 3).
  EXPECT_EQ(Content(), Lines({"0 G", "0 g", "0.57 w", "q 0 g ", "BT", "/F1 10 Tf",
                              "13.00 812.89 Td", "(ab) Tj", "ET", "Q"}));
  EXPECT_DOUBLE_EQ(Access::CurrentX(doc.pdf), 107);
  EXPECT_DOUBLE_EQ(Access::CurrentY(doc.pdf), 32);
}

TEST_F(Cells, BorderCodes) {
  struct Case {
    int32_t code;
    const char* spec;
  };
  for (const Case& c :
       {Case{0, "0"}, Case{1, "1"}, Case{2, "T"}, Case{3, "B"}, Case{4, "L"}, Case{5, "R"},
        Case{45, "LR"}, Case{2345, "LRTB"}, Case{32, "TB"}, Case{10, ""}}) {
    doc.pdf.PDFSetBorder(c.code);
    EXPECT_EQ(Access::BorderSpec(doc.pdf), c.spec) << c.code;
  }
}

TEST_F(Cells, FillAndAllBordersOnOneLine) {
  doc.pdf.PDFSetFill(true);
  doc.pdf.PDFSetBorder(1);
  doc.pdf.PDFCell("ab", 10, 20, 100, 12);
  EXPECT_EQ(Content(),
            Lines({"0 G", "0 g", "0.57 w",
                   "7.00 821.89 100.00 -12.00 re f\r\n"
                   " 7.00 821.89 m 7.00 809.89 l S\r\n"
                   " 7.00 821.89 m 107.00 821.89 l S\r\n"
                   " 107.00 821.89 m 107.00 809.89 l S\r\n"
                   " 7.00 809.89 m 107.00 809.89 l S\r\n",
                   "q 0 g ", "BT", "/F1 10 Tf", "13.00 812.89 Td", "(ab) Tj", "ET", "Q"}));
  EXPECT_EQ(Access::BorderSpec(doc.pdf), "0");  // borders apply to one cell only
  Content().clear();
  doc.pdf.PDFCell("ab", 10, 20, 100, 12);  // the fill stays
  EXPECT_EQ(Count(Content(), "re f"), 1u);
  EXPECT_EQ(Count(Content(), " l S"), 0u);
}

TEST_F(Cells, EachLineOfAFramedCellGetsItsOwnSides) {
  doc.pdf.PDFSetBorder(1);
  doc.pdf.PDFCell("ab\ncd\nef", 10, 20, 100, 12);
  const std::string& c = Content();
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"ab", "cd", "ef"}));
  // Top edge on the first line only, bottom edge on the last line only, sides on all.
  EXPECT_EQ(Count(c, " 7.00 821.89 m 107.00 821.89 l S"), 1u);
  EXPECT_EQ(Count(c, " 7.00 785.89 m 107.00 785.89 l S"), 1u);
  EXPECT_EQ(Count(c, " 7.00 809.89 m 107.00 809.89 l S"), 0u);
  EXPECT_EQ(Count(c, " 7.00 797.89 m 107.00 797.89 l S"), 0u);
  EXPECT_EQ(Count(c, " 7.00 809.89 m 7.00 797.89 l S"), 1u);
  EXPECT_EQ(Count(c, " 107.00 809.89 m 107.00 797.89 l S"), 1u);

  Content().clear();
  doc.pdf.PDFSetBorder(3);  // bottom only: on the last line
  doc.pdf.PDFCell("ab\ncd", 10, 20, 100, 12);
  EXPECT_EQ(Count(Content(), " l S"), 1u);
  EXPECT_EQ(Count(Content(), " 7.00 797.89 m 107.00 797.89 l S"), 1u);
}

TEST_F(Cells, TheFourAlignments) {
  struct Case {
    int32_t code;
    const char* position;
    const char* spacing;
  };
  // "ab" is 11.12 points wide (11 when rounded) in a 100-point cell.
  for (const Case& c : {Case{1, "13.00 812.89", ""}, Case{2, "93.00 812.89", ""},
                        Case{0, "51.00 812.89", ""}, Case{3, "13.00 812.89", "85.880 Tw"}}) {
    Content().clear();
    doc.pdf.PDFSetAlignement(c.code);
    doc.pdf.PDFCell("ab", 10, 20, 100, 12);
    EXPECT_EQ(Positions(Content()), std::vector<std::string>{c.position}) << c.code;
    if (*c.spacing) {
      // A line without a blank divides the spare width by 1; the cell ends with 0 Tw.
      EXPECT_NE(Content().find("\r\n85.880 Tw\r\n"), std::string::npos) << Content();
      EXPECT_EQ(Content().substr(Content().size() - 6), "0 Tw\r\n");
    }
  }
  Content().clear();
  doc.pdf.PDFCell("a b", 10, 20, 100, 12);  // 13.9 points, one blank
  EXPECT_NE(Content().find("\r\n80.100 Tw\r\n"), std::string::npos) << Content();
}

TEST_F(Cells, JustifiedLinesNeverSqueezeTheirWords) {
  doc.pdf.PDFSetAlignement(3);
  std::string many;  // 38 "i" and 37 blanks: 187.22 points, within the 194 of the cell
  for (int i = 0; i < 38; ++i) many += i ? " i" : "i";
  doc.pdf.PDFCell(many, 10, 20, 200, 12);
  EXPECT_EQ(Texts(Content()), std::vector<std::string>{many});
  // 200 − 38 × 3 − 187.22 is below zero: the line keeps its natural spacing.
  EXPECT_NE(Content().find("\r\n0.000 Tw\r\n"), std::string::npos) << Content();
  EXPECT_EQ(Content().find("-"), std::string::npos) << Content();
}

TEST_F(Cells, AnEmptyTextWritesOneEmptyLine) {
  doc.pdf.PDFCell("", 10, 20, 100, 12);
  EXPECT_EQ(Texts(Content()), std::vector<std::string>{""});
}

TEST_F(Cells, LongTextWrapsAtBlanksAndLongWordsAreCut) {
  // Budget 46 − 2 × 3 = 40 points: "aaa bbb" measures 39, the next blank passes 40.
  doc.pdf.PDFCell("aaa bbb ccc", 10, 20, 46, 12);
  EXPECT_EQ(Texts(Content()), (std::vector<std::string>{"aaa bbb", "ccc"}));
  EXPECT_EQ(Positions(Content()), (std::vector<std::string>{"13.00 812.89", "13.00 800.89"}));
  EXPECT_DOUBLE_EQ(Access::CurrentY(doc.pdf), 44);

  Content().clear();
  doc.pdf.PDFCell("aaaaaaaaaa", 10, 20, 46, 12);
  // A word cut for want of a blank is placed at x itself, as the layout always did.
  EXPECT_EQ(Texts(Content()), (std::vector<std::string>{"aaaaaa", "aaaa"}));
  EXPECT_EQ(Positions(Content()), (std::vector<std::string>{"16.00 812.89", "13.00 800.89"}));

  Content().clear();
  std::string paragraph;
  for (int i = 0; i < 40; ++i) paragraph += "vitrage feuillet\xC3\xA9 ";
  doc.pdf.PDFCell(paragraph, 10, 20, 200, 12);
  const auto texts = Texts(Content());
  EXPECT_GT(texts.size(), 10u);
  std::string joined;
  for (const auto& t : texts) {
    // Every line fits the budget of 194 points.
    EXPECT_LE(doc.pdf.PDFGetStringWidth(t, "Helvetica", 10), 194) << t;
    joined += t + " ";
  }
  // Nothing lost, written in Windows-1252.
  EXPECT_EQ(Count(joined, "vitrage "), 40u);
  EXPECT_EQ(Count(joined, "feuillet\xE9 "), 40u);
}

TEST_F(Cells, LineFeedsEndLinesAndAreNotDrawn) {
  doc.pdf.PDFCell("ab\r\ncd\nef\n", 10, 20, 100, 12);
  EXPECT_EQ(Texts(Content()), (std::vector<std::string>{"ab", "cd", "ef"}));
  EXPECT_EQ(Positions(Content()),
            (std::vector<std::string>{"13.00 812.89", "13.00 800.89", "13.00 788.89"}));
  Content().clear();
  doc.pdf.PDFCell("a\n\nb", 10, 20, 100, 12);  // an empty line between
  EXPECT_EQ(Texts(Content()), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(Cells, UnderlineMarksEveryLineAndEndsWithTheCell) {
  doc.pdf.PDFSetFont(0, 10, 3);
  doc.pdf.PDFCell("ab\nab", 10, 20, 100, 12);
  // Below the baseline by 3 points, the text width less 3, less the cell margin.
  EXPECT_EQ(Count(Content(), "q 0 g \r\n13.00 809.89 5.12 -0.02 re f\r\nBT"), 1u);
  EXPECT_EQ(Count(Content(), "q 0 g \r\n13.00 797.89 5.12 -0.02 re f\r\nBT"), 1u);
  EXPECT_FALSE(Access::FontUnderline(doc.pdf));
}

TEST_F(Cells, ColoursOfTheCellAreWrittenWithEachLine) {
  doc.pdf.PDFSetBorder(0);
  doc.pdf.PDFSetLineColor("#FF0000");
  doc.pdf.PDFSetDrawColor("#00FF00");
  doc.pdf.PDFSetTextColor("#0000FF");
  doc.pdf.PDFCell("ab", 10, 20, 100, 12);
  EXPECT_EQ(Content().substr(0, 77),
            "1.000 0.000 0.000 RG\r\n0.000 1.000 0.000 rg\r\n0.57 w\r\n"
            "q 0.000 0.000 1.000 rg \r\n");
}

// A cell, a text line or a link with a number no reader could read is refused as a
// whole: the page keeps no half-written text object and the writer its position,
// borders, word spacing and underline, so that what follows is written as if the
// refused call had never been made.
TEST_F(Cells, RefusedNumbersLeaveThePageAndTheSettingsAsTheyWere) {
  const auto write = [](CreatePDF& pdf, bool refused) {
    pdf.PDFSetBorder(1);
    pdf.PDFSetAlignement(3);  // justified: the lines set a word spacing
    pdf.PDFCell("a first cell of words", 10, 10, 60, 12);
    if (refused) {
      const double inf = std::numeric_limits<double>::infinity();
      // The first line fits in a double, the second runs past the largest one.
      EXPECT_THROW(pdf.PDFCell("two lines of words that wrap", 10, 1.6e308, 60, 0.15e308),
                   std::invalid_argument);
      EXPECT_THROW(pdf.PDFCell("x", 10, std::nan(""), 60, 12), std::invalid_argument);
      EXPECT_THROW(pdf.PDFTextOut("y", inf, 20), std::invalid_argument);
      EXPECT_THROW(pdf.PDFLink(std::nan(""), 20, "z", "https://example.org"),
                   std::invalid_argument);
    }
    pdf.PDFTextOut("then", 0, 0);  // from the current position
    pdf.PDFCell("and a last cell", 10, 80, 60, 12);
  };
  write(doc.pdf, true);
  TestDocument reference;
  reference.pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  reference.pdf.PDFSetUnit(0);
  reference.pdf.PDFBeginDoc();
  reference.pdf.PDFSetFont(0, 10);
  write(reference.pdf, false);
  EXPECT_EQ(Content(), Access::PageContent(reference.pdf));
  EXPECT_EQ(Access::PageLinkCount(doc.pdf), 0);
  doc.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(doc.path));
}

}  // namespace
