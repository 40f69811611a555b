#include "ReportFlow.h"

#include <gtest/gtest.h>

#include <ranges>
#include <set>
#include <sstream>

#include "CreatePDF.h"
#include "MdlImpression.h"
#include "ReportCharts.h"
#include "ReportColour.h"
#include "ReportFixture.h"
#include "ReportLayout.h"
#include "ReportTables.h"
#include "ReportText.h"
#include "platform/RunError.h"

namespace lamivex::report {
namespace {

// Blocks "[space+]height[flags]": k keeps with the next, s starts a page, h a row under block 1.
std::vector<Block> Blocks(const std::string& words) {
  std::istringstream in(words);
  std::vector<Block> blocks;
  for (std::string word; in >> word;) {
    Block& block = blocks.emplace_back();
    const size_t plus = word.find('+') + 1;
    if (plus > 0) block.spaceBefore = std::stod(word);
    block.height = std::stod(word.substr(plus));
    block.keepWithNext = word.ends_with('k');
    block.startsPage = word.ends_with('s');
    block.repeatedHeader = word.ends_with('h') ? 1 : -1;
  }
  return blocks;
}

TEST(ReportFlow, BlocksOnPagesOf100Millimetres) {
  // The blocks, then each placed block as block/page/y, and the number of pages.
  const std::tuple<const char*, const char*, int> cases[] = {
      {"40 5+40 40", "0/1/30 1/1/75 2/2/30", 2},            // a break when full
      {"90 8+20", "0/1/30 1/2/30", 2},                      // no space at a page's top
      {"70 10k 10k 15", "0/1/30 1/2/30 2/2/40 3/2/50", 2},  // titles move with their block
      {"20 7k 60k 10k 10k 10k 10k 10", "0/1/30 1/1/50 2/1/57 3/2/30 4/2/40 5/2/50 6/2/60 7/2/70",
       2},  // a chain taller than a page breaks where it must
      {"60 6k 6h 6h 6h 6h 6h 6h 6h 6h",
       "0/1/30 1/1/90 2/1/96 3/1/102 4/1/108 5/1/114 6/1/120 1/2/30 7/2/36 8/2/42 9/2/48", 2},
      {"90 6k 6h", "0/1/30 1/2/30 2/2/36", 2},  // a header starting a page is not repeated
      {"10 4+10s", "0/1/30 1/2/30", 2},
      {"4+10s", "0/1/30", 1},  // no empty page
      {"", "", 1},
  };
  for (const auto& [blocks, expected, pages] : cases) {
    SCOPED_TRACE(blocks);
    const std::vector<PlacedBlock> placed = PlaceBlocks(Blocks(blocks), {30.0, 130.0});
    std::string text;
    for (const PlacedBlock& p : placed) {
      text += (text.empty() ? "" : " ") + std::to_string(p.block) + "/" + std::to_string(p.page) +
              "/" + std::to_string(static_cast<int>(p.y));
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(PageCount(placed), pages);
  }
}

TEST(TableColumns, SizedToContentsWithinTheTextColumn) {
  const TableColumn flexible("", 40.0, Align::Left, {}, true), fixed10("", 10.0),
      fixed100("", 100.0);
  // Columns, what their contents need, and their widths in the 180 mm text column.
  using Widths = std::vector<double>;
  const std::tuple<const char*, std::vector<TableColumn>, Widths, Widths> cases[] = {
      {"flexible takes the rest", {fixed10, flexible}, {30, 0}, {30, 150}},
      {"surplus given up alike", {fixed10, fixed10, flexible}, {100, 100, 0}, {70, 70, 40}},
      {"no flexible: all share", {fixed10, fixed10, fixed10}, {20, 20, 20}, {60, 60, 60}},
      {"own widths too wide", {fixed100, fixed100}, {0, 0}, {90, 90}},
  };
  for (const auto& [name, columns, needed, expected] : cases) {
    SCOPED_TRACE(name);
    const Widths widths = ColumnWidths(needed, columns);
    ASSERT_EQ(widths.size(), expected.size());
    for (size_t i = 0; i < widths.size(); ++i) EXPECT_NEAR(widths[i], expected[i], 1e-9);
  }
}

TEST(ReportText, LabelsNumbersAndFittedTexts) {
  pdftest::FrenchLocale french;  // the numbers keep their point under a decimal comma
  ReportLabels labels;
  labels.LblPVB = " \"PVB\"  ";  // blanks around the quotes of a hand-edited file
  // One unit of width per byte: "é" counts two, the ellipsis three.
  const auto bytes = [](const std::string& t) { return static_cast<double>(t.size()); };
  const auto lines = [](const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "|";
    return text;
  };
  const auto rgb = [](const Colour& c) {
    return std::to_string(int(c[0])) + "," + std::to_string(int(c[1])) + "," +
           std::to_string(int(c[2]));
  };
  std::string folders;
  for (const char* name : {"Français", "french", "EN", "de", "Spanish", "francais", "FRANÇAIS", ""})
    folders += LanguageFolderOf(name).value_or("-") + "|";
  const std::pair<std::string, std::string> cases[] = {
      {KindText(MakeReportTexts(labels), 4), "PVB"},  // any other kind loads as an interlayer
      {folders, "Français|Français|Anglais|Allemand|Espagnol|-|-|-|"},
      {rgb(SrgbOfLab(53.2408, 80.0925, 67.2032)), "255,0,0"},  // the sRGB primaries' L*a*b*
      {rgb(SrgbOfLab(87.7347, -86.1827, 83.1793)), "0,255,0"},
      {rgb(SrgbOfLab(32.2970, 79.1875, -107.8602)), "0,0,255"},
      {rgb(SrgbOfLab(50, 0, 0)), "119,119,119"},  // mid grey
      {rgb(SrgbOfLab(5, 0, 0)), "17,17,17"},      // below L* 8, Y = L* / 903.3
      {Decimals(-0.004, 2) + " " + Decimals(0.70351, 3), "0.00 0.704"},
      {OneDecimal(72.649), "72.6"},
      {OneDecimal(7.05), "7.0"},  // 7.05 is stored just below 7.05
      {OneDecimal(-0.04), "0.0"},
      {FitText("Démo 44.2", 7, bytes), "Dém\xE2\x80\xA6"},
      {FitText("Démo 44.2", 9, bytes), "Démo\xE2\x80\xA6"},  // no blank before the ellipsis
      {FitText("abc", 1, bytes), ""},
      {FitText("éabc", 4, bytes), "\xE2\x80\xA6"},  // never half a character
      {lines(WrapText("ab  cd ef", 5, bytes)), "ab cd|ef|"},
      {lines(WrapText("abcdefg h", 3, bytes)), "abc|def|g h|"},  // a word too wide
      {lines(WrapText("éé", 2, bytes)), "é|é|"},
      {lines(SummaryValues("\"Caract\xE9ristiques, sortant\",73, 7 ,20,84,7,20,84,81,8,11,8,0.5",
                           "x")),
       "73|7|20|84|7|20|84|81|8|11|8|0.5|"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
  }
  for (const char* bad : {"", "73,7", "\"t\",1,2,3", "\"t\",1,2,3,4,5,6,7,8,9,10,11,12,13"}) {
    EXPECT_THROW(SummaryValues(bad, "Lamivex.out"), RunError) << bad;  // message: the refusals
  }
}

TEST(ChartGeometry, ScaleDashesSimplificationAndCurveStyles) {
  const ChartFrame frame{25.0, 40.0, 166.0, 88.0};  // right 191, bottom 128
  const struct {
    double lambda, percent, x, y;
  } points[] = {{2500, 100, 191, 40}, {300, 0, 25, 128},      {1400, 50, 108, 84},
                {850, 25, 66.5, 106}, {2600, 101.5, 191, 40}, {250, -0.2, 25, 128}};
  for (const auto& p : points) {
    EXPECT_NEAR(ChartPosition(frame, p.lambda, p.percent).x, p.x, 1e-9) << p.lambda;
    EXPECT_NEAR(ChartPosition(frame, p.lambda, p.percent).y, p.y, 1e-9) << p.percent;
  }
  // Dashes run on across the vertices, and a dash split at a corner keeps its length.
  const auto drawn = [](const std::vector<PageSegment>& pieces) {
    std::ostringstream out;
    for (const PageSegment& p : pieces)
      out << p.from.x << "," << p.from.y << "-" << p.to.x << "," << p.to.y << " ";
    return out.str();
  };
  EXPECT_EQ(drawn(DashedPieces({{1, 1}, {4, 5}, {4, 11}}, {3, 1})),  // 5 long, then 6
            "1,1-2.8,3.4 3.4,4.2-4,5 4,5-4,7 4,8-4,11 ");
  EXPECT_EQ(drawn(DashedPieces({{0, 0}, {2, 0}, {2, 10}}, {3, 1, 1, 2})),  // dash, dot
            "0,0-2,0 2,0-2,1 2,2-2,3 2,5-2,8 2,9-2,10 ");
  const std::vector<PagePoint> vee = {{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(drawn(DashedPieces(vee, {})), "0,0-1,1 1,1-2,0 ");
  EXPECT_EQ(drawn(DashedPieces(vee, {0, 0})), "0,0-1,1 1,1-2,0 ");  // would never advance
  EXPECT_EQ(drawn(DashedPieces({{1, 1}}, {1, 1})), "");

  std::vector<PagePoint> corner;
  for (int i = 0; i <= 100; ++i) corner.push_back({i + 7.0, i <= 50 ? 3.0 : i - 47.0});
  const std::vector<PagePoint> kept = SimplifiedLine(corner, 0.01);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].x, 57.0);
  EXPECT_EQ(kept[2].y, 53.0);

  std::set<std::pair<Colour, std::vector<double>>> styles;  // any two curves of a chart differ
  for (int n = 0; n < kCurvesPerChart; ++n)
    styles.insert({CurveStyle(n).colour, CurveStyle(n).dash});
  EXPECT_EQ(styles.size(), static_cast<size_t>(kCurvesPerChart));
}

TEST(ChartDrawing, CurveAxesAndLegendLandWhereTheScalePutsThem) {
  const auto points = [](double mm) { return mm * 72.0 / 25.4; };
  pdftest::TestDocument document;
  document.pdf.PDFPathConfiguration(LAMIVEX_PROGRAM_DIR);
  ReportCanvas canvas(document.pdf);
  ChartCurve curve = CurveStyle(0);
  curve.legend = "Legend";
  curve.values = {{300.0, 0.0}, {1400.0, 50.0}, {2500.0, 100.0}};
  std::vector<Block> blocks;
  AddChart(blocks, canvas, {curve});
  document.pdf.PDFBeginDoc();
  blocks[0].draw(canvas, 40.0);
  const std::string content = CreatePDFTestAccess::PageContent(document.pdf);
  const ChartFrame frame = ChartFrameAt(40.0);
  const auto at = [&points](double x, double y) {
    return CreatePDF::PDFFormatNumber(points(x)) + " " +
           CreatePDF::PDFFormatNumber(841.89 - points(y));
  };
  // The straight solid curve is one stroke from the bottom-left to the top-right corner.
  EXPECT_NE(content.find(at(frame.left, frame.Bottom()) + " m\r\n" + at(frame.Right(), frame.top) +
                         " l\r\n"),
            std::string::npos);
  // Grid lines (in the hairline colour) at the 10 + 9 inner ticks, none over the frame: the
  // content splits into one piece more than the colour occurs.
  EXPECT_EQ(
      std::ranges::distance(std::views::split(content, std::string_view("0.808 0.831 0.855 RG"))),
      10 + 9 + 1);
  // The legend's sample, the last stroke in the curve's colour, stands beside the frame.
  const size_t sample = content.rfind(" m\r\n", content.rfind("0.122 0.373 0.749 RG"));
  EXPECT_GT(std::stod(content.substr(content.rfind('\n', sample) + 1)), points(frame.Right()));
  const double sampleEnd = std::stod(content.substr(sample + 4));
  document.Finish();

  const std::vector<testing::PdfPage> pages = testing::PdfWords(document.path);
  ASSERT_EQ(pages.size(), 1u);
  const auto word = [&pages](const std::string& text) {
    for (const testing::PdfWord& w : pages[0].words)
      if (w.text == text) return w;
    return testing::PdfWord{};
  };
  EXPECT_NEAR((word("2500").x0 + word("2500").x1) / 2.0, points(frame.Right()), 0.5);
  EXPECT_GT(word("2500").y0, points(frame.Bottom()));  // the wavelengths under the frame
  EXPECT_LT(word("100").x1, points(frame.left));       // the percents left of it
  EXPECT_NEAR((word("100").y0 + word("100").y1) / 2.0, points(frame.top), 2.0);
  EXPECT_GT(word("Legend").x0, sampleEnd + points(1));  // the legend beside its sample
}

}  // namespace
}  // namespace lamivex::report
