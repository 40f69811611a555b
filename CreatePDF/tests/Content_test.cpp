// Operators of text, cells, lines and shapes, byte for byte, and the position left after "@".
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "PdfTestSupport.h"

namespace {

using Access = CreatePDFTestAccess;
using P = CreatePDF;

struct ContentCase {
  const char* name;
  int32_t unit;  // 0 points, 2 centimetres
  std::function<void(CreatePDF&)> draw;
  std::string expected;  // with the tokens of OperatorsOfEachCall
};

// clang-format off
const ContentCase kCases[] = {
    {"from the position", 0, [](P& p) { p.PDFTextOut("ab", 100, 200); p.PDFTextOut("c", 0, 0); },
     "[text]101.00 641.89 Td|[f](ab) Tj|ET|Q|[text]112.12 631.89 Td|[f](c) Tj|ET|Q|@116.12,220.00"},
    {"rotated once", 2, [](P& p) { p.PDFSetRotation(90); p.PDFTextOut("up", 2, 3);
       p.PDFTextOut("flat", 2, 3); },
     "[text]0.00000 1.00000 -1.00000 0.00000 56.69 756.85 Tm|[f](up) Tj|ET|Q|"
     "[text]85.04 756.85 Td|[f](flat) Tj|ET|Q|@15.34,13.00"},
    {"underlined once", 2, [](P& p) { p.PDFSetFont(0, 10, 3); p.PDFTextOut("ab", 2, 3);
       p.PDFTextOut("ab", 2, 3); },
     "[text]85.04 756.85 Td|[f](ab) Tj|ET|85.00 754.96 8.12 -0.02 re f|Q|[text]85.04 756.85 Td|"
     "[f](ab) Tj|ET|Q|@13.12,13.00"},
    {"framed lines", 0, [](P& p) { p.PDFSetBorder(1); p.PDFCell("ab\ncd\nef", 10, 20, 100, 12); },
     "[cell] 7.00 821.89 m 7.00 809.89 l S| 7.00 821.89 m 107.00 821.89 l S|"
     " 107.00 821.89 m 107.00 809.89 l S||[text]/F1 10 Tf|13.00 812.89 Td|(ab) Tj|ET|Q|"
     "[cell] 7.00 809.89 m 7.00 797.89 l S| 107.00 809.89 m 107.00 797.89 l S||[text]/F1 10 Tf|"
     "13.00 800.89 Td|(cd) Tj|ET|Q|[cell] 7.00 797.89 m 7.00 785.89 l S|"
     " 107.00 797.89 m 107.00 785.89 l S| 7.00 785.89 m 107.00 785.89 l S||[text]/F1 10 Tf|"
     "13.00 788.89 Td|(ef) Tj|ET|Q|@107.00,56.00"},
    {"right, centre, empty", 0, [](P& p) { p.PDFSetAlignement(2); p.PDFCell("ab", 10, 20, 100, 12);
       p.PDFSetAlignement(0); p.PDFCell("ab", 10, 20, 100, 12); p.PDFSetAlignement(1);
       p.PDFCell("", 10, 20, 100, 12); },
     "[line]93.00 812.89 Td|(ab) Tj|ET|Q|[line]51.00 812.89 Td|(ab) Tj|ET|Q|"
     "[line]13.00 812.89 Td|() Tj|ET|Q|@107.00,32.00"},
    {"justified", 0, [](P& p) { p.PDFSetAlignement(3); p.PDFCell("ab", 10, 20, 100, 12);
       p.PDFCell("a b", 10, 20, 100, 12); },
     "[cell]85.880 Tw|[text]/F1 10 Tf|13.00 812.89 Td|(ab) Tj|ET|Q|0 Tw|[cell]80.100 Tw|"
     "[text]/F1 10 Tf|13.00 812.89 Td|(a b) Tj|ET|Q|0 Tw|@107.00,32.00"},
    {"never squeezed", 0, [](P& p) { std::string s = "i"; for (int i = 1; i < 38; ++i) s += " i";
       p.PDFSetAlignement(3); p.PDFCell(s, 10, 20, 200, 12); },
     "[cell]0.000 Tw|[text]/F1 10 Tf|13.00 812.89 Td|"
     "(i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i i) Tj|ET|Q|0 Tw|"
     "@207.00,32.00"},
    {"wrapped, long word cut", 0, [](P& p) { p.PDFCell("aaa bbb ccc", 10, 20, 46, 12);
       p.PDFCell("aaaaaaaaaa", 10, 20, 46, 12); },
     "[line]13.00 812.89 Td|(aaa bbb) Tj|ET|Q|[line]13.00 800.89 Td|(ccc) Tj|ET|Q|"
     "[line]16.00 812.89 Td|(aaaaaa) Tj|ET|Q|[line]13.00 800.89 Td|(aaaa) Tj|ET|Q|@53.00,44.00"},
    {"exactly full", 0, [](P& p) { p.PDFSetFont(1, 10); p.PDFCell("aaaaaa", 10, 20, 42, 12); },
     "[cell][text]/F5 10 Tf|13.00 812.89 Td|(aaaaaa) Tj|ET|Q|@49.00,32.00"},
    {"narrower than a letter", 0, [](P& p) { p.PDFCell("ab", 10, 20, 8, 12); },
     "[line]16.00 812.89 Td|(a) Tj|ET|Q|[line]16.00 800.89 Td|(b) Tj|ET|Q|[line]13.00 788.89 Td|"
     "() Tj|ET|Q|@15.00,56.00"},
    {"filled in centimetres", 2, [](P& p) { p.PDFSetFill(true); p.PDFCell("a", 4, 1, 10, 1); },
     // The cell margin counts in the unit in force, here 3 cm: every letter is a line.
     "0 G|0 g|16.07 w|113.39 813.54 283.46 -28.35 re f||[text]/F1 10 Tf|119.39 796.37 Td|(a) Tj|"
     "ET|Q|0 G|0 g|16.07 w|28.35 785.20 283.46 -28.35 re f||[text]/F1 10 Tf|34.35 768.02 Td|() Tj|"
     "ET|Q|@11.00,3.00"},
    {"line feeds", 0, [](P& p) { p.PDFCell("ab\r\ncd\nef\n", 10, 20, 100, 12);
       p.PDFCell("a\n\nb", 10, 20, 100, 12); },
     "[line]13.00 812.89 Td|(ab) Tj|ET|Q|[line]13.00 800.89 Td|(cd) Tj|ET|Q|[line]13.00 788.89 Td|"
     "(ef) Tj|ET|Q|[line]13.00 812.89 Td|(a) Tj|ET|Q|[line]13.00 800.89 Td|() Tj|ET|Q|"
     "[line]13.00 788.89 Td|(b) Tj|ET|Q|@107.00,56.00"},
    {"underlined cell", 0, [](P& p) { p.PDFSetFont(0, 12, 3); p.PDFCell("ab\nab", 10, 20, 100, 12);
       },
     "[cell]q 0 g |13.00 809.29 7.34 -0.02 re f|BT|/F1 12 Tf|13.00 812.29 Td|(ab) Tj|ET|Q|[cell]q "
     "0 g |13.00 797.29 7.34 -0.02 re f|BT|/F1 12 Tf|13.00 800.29 Td|(ab) Tj|ET|Q|@107.00,44.00"},
    {"cell colours", 0, [](P& p) { p.PDFSetBorder(0); p.PDFSetLineColor("#FF0000");
       p.PDFSetDrawColor("#00FF00");
       p.PDFSetTextColor("#0000FF"); p.PDFCell("ab", 10, 20, 100, 12); },
     "1.000 0.000 0.000 RG|0.000 1.000 0.000 rg|0.57 w|q 0.000 0.000 1.000 rg |"
     "BT[10]13.00 812.89 Td|(ab) Tj|ET|Q|@107.00,32.00"},
    {"horizontal", 0, [](P& p) { p.PDFSetLineColor("#FF8000"); p.PDFDrawLineHor(10, 20, 30);
       p.PDFSetDrawMode(1); p.PDFDrawTriangle(0, 0, 100, 0, 50, 80.5); },
     "|10.00 821.89 m|40.00 821.89 l|1.000 0.502 0.000 RG|0.57 w S||50.00 761.39 m|0.00 841.89 l|"
     "100.00 841.89 l|50.00 761.39 l|1.000 0.502 0.000 rg|0.57 w h f|@50.00,80.50"},
    {"line, vertical dashed", 2, [](P& p) { p.PDFDrawLine(1, 1, 3, 1); p.PDFSetUnit(0);
       p.PDFSetLineStyle(2); p.PDFDrawLineVer(10, 20, -5); },
     "|28.35 813.54 m|85.04 813.54 l|0 G|16.07 w S|[8 7 2 7 ] 0 d|10.00 821.89 m|10.00 826.89 l|"
     "0 G|0.57 w S|@10.00,15.00"},
    {"rectangle modes", 0, [](P& p) { p.PDFSetLineWidth(2);
       p.PDFSetDrawColor(std::array<double, 3>{0, 128, 255});
       for (int m : {0, 1, 2}) { p.PDFSetDrawMode(m); p.PDFDrawRectangle(10, 20, 110, 70); } },
     "|10.00 821.89 m|10.00 771.89 l|110.00 771.89 l|110.00 821.89 l|10.00 821.89 l|0 G|2.00 w S||"
     "10.00 821.89 m|10.00 771.89 l|110.00 771.89 l|110.00 821.89 l|10.00 821.89 l|"
     "0.000 0.502 1.000 rg|2.00 w h f||10.00 821.89 m|10.00 771.89 l|110.00 771.89 l|"
     "110.00 821.89 l|10.00 821.89 l|0.000 0.502 1.000 rg|0 G|2.00 w b|@110.00,70.00"},
    {"ellipse in centimetres", 2, [](P& p) { p.PDFDrawEllipse(1, 1, 2, 1); },
     "|28.35 799.37 m|28.35 807.17 41.10 813.54 56.69 813.54 c|72.28 813.54 85.04 807.17 85.04 "
     "799.37 c|85.04 791.58 72.28 785.20 56.69 785.20 c|41.10 785.20 28.35 791.58 28.35 799.37 c|"
     "0 G|16.07 w S|@1.00,1.50"},
    {"shape links", 0, [](P& p) { p.PDFSetTextColor("#FF0000");
       p.PDFDrawRectangle(300, 100, 100, 150, "r");
       p.PDFDrawEllipse(250, 100, 100, 50, "e"); p.PDFDrawRectangle(50, 10, 50, 90, "flat");
       p.PDFTextOut("x", 1, 1); },
     "|300.00 741.89 m|300.00 691.89 l|100.00 691.89 l|100.00 741.89 l|300.00 741.89 l|0 G|"
     "0.57 w S|q 1.000 1.000 1.000 rg |BT|106.00 716.89 Td|[f]() Tj|ET|"
     "106.00 715.00 -3.00 0.01 re f|Q||250.00 716.89 m|"
     "250.00 730.64 272.50 741.89 300.00 741.89 c|327.50 741.89 350.00 730.64 350.00 716.89 c|"
     "350.00 703.14 327.50 691.89 300.00 691.89 c|272.50 691.89 250.00 703.14 250.00 716.89 c|0 G|"
     "0.57 w S|q 1.000 1.000 1.000 rg |BT|201.00 730.89 Td|[f]() Tj|ET|"
     "201.00 729.00 -3.00 0.01 re f|Q||50.00 831.89 m|50.00 751.89 l|50.00 751.89 l|"
     "50.00 831.89 l|50.00 831.89 l|0 G|0.57 w S|q 1.000 0.000 0.000 rg |BT|2.00 840.89 Td|"
     "[f](x) Tj|ET|Q|@6.00,11.00"},
    {"text links", 2, [](P& p) { p.PDFLink(2, 3, "site");
       p.PDFLink(0, 5, "second", "https://example.org/b"); },
     "[text]85.04 756.85 Td|[f](site) Tj|ET|85.00 754.96 12.56 -0.03 re f|Q|"
     "[text]526.11 700.16 Td|[f](second) Tj|ET|526.00 698.27 29.24 -0.06 re f|Q|@49.80,15.00"}, };
// clang-format on

TEST(Content, OperatorsOfEachCall) {
  for (const ContentCase& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string expected = c.expected;
    for (const auto& [token, text] : {std::pair{"[line]", "[cell][text]/F1 10 Tf|"},
                                      {"[cell]", "0 G|0 g|0.57 w|"},
                                      {"[text]", "q 0 g |BT|"},
                                      {"[10]", "|/F1 10 Tf|"},
                                      {"[f]", "/F1 10.00 Tf|"}}) {
      for (std::size_t at; (at = expected.find(token)) != std::string::npos;)
        expected.replace(at, std::string(token).size(), text);
    }
    pdftest::TestDocument doc;
    CreatePDF& p = doc.pdf;
    p.PDFPathConfiguration(CREATEPDF_CONFIG_DIR), p.PDFSetUnit(c.unit), p.PDFBeginDoc();
    p.PDFSetFont(0, 10);
    c.draw(p);
    EXPECT_TRUE(doc.messages.empty());
    EXPECT_EQ(Access::PageContent(p) + "@" + P::PDFFormatNumber(Access::CurrentX(p)) + "," +
                  P::PDFFormatNumber(Access::CurrentY(p)),
              pdftest::Lines(expected));
  }
}

// A call with a number no reader could read is refused whole, as if it had never been made.
TEST(Content, RefusedNumbersLeaveThePageAndTheSettingsAsTheyWere) {
  const auto write = [](bool refused) {
    pdftest::TestDocument doc;
    CreatePDF& pdf = doc.pdf;
    pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR), pdf.PDFSetUnit(0), pdf.PDFBeginDoc();
    pdf.PDFSetFont(0, 10, 3), pdf.PDFSetBorder(1), pdf.PDFSetAlignement(3);  // word spacing
    pdf.PDFCell("a first cell of words", 10, 10, 60, 12);
    if (refused) {
      const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
      // The first line fits in a double, the second runs past the largest one.
      EXPECT_THROW(pdf.PDFCell("two lines of words that wrap", 10, 1.6e308, 60, 0.15e308),
                   std::invalid_argument);
      // clang-format off
      const std::function<void()> calls[] = {[&] { pdf.PDFCell("x", 10, nan, 60, 12); },
          [&] { pdf.PDFTextOut("y", inf, 20); }, [&] { pdf.PDFLink(nan, 20, "z", "https://e.org"); },
          [&] { pdf.PDFDrawLine(1, 1, nan, 1); }, [&] { pdf.PDFDrawRectangle(1, 1, 2, inf); },
          [&] { pdf.PDFDrawEllipse(1, 1, inf, 2); }, [&] { pdf.PDFDrawTriangle(nan, 1, 2, 2, 3, 1); }};
      // clang-format on
      for (const auto& call : calls) EXPECT_THROW(call(), std::invalid_argument);
    }
    pdf.PDFTextOut("then", 0, 0);  // from the current position
    pdf.PDFCell("and a last cell", 10, 80, 60, 12);
    EXPECT_EQ(Access::PageLinkCount(pdf), 0);
    return Access::PageContent(pdf);
  };
  EXPECT_EQ(write(true), write(false));
}

}  // namespace
