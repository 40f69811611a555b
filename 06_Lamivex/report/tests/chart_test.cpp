// The charts: scale, ticks, dashes and line simplification, then one chart drawn on a page
// with its axes, grid, curves and legend where a reader looks for them.
#include <gtest/gtest.h>

#include <set>

#include "CreatePDF.h"
#include "ReportCharts.h"
#include "ReportFixture.h"
#include "ReportLayout.h"

namespace lamivex::report {
namespace {

TEST(ChartGeometry, ScaleTicksDashesAndSimplification) {
  const ChartFrame frame{25.0, 40.0, 166.0, 88.0};  // right 191, bottom 128
  const struct {
    double lambda, percent, x, y;
  } points[] = {{2500, 100, 191, 40}, {300, 0, 25, 128},      {1400, 50, 108, 84},
                {850, 25, 66.5, 106}, {2600, 101.5, 191, 40}, {250, -0.2, 25, 128}};
  for (const auto& p : points) {
    SCOPED_TRACE(std::to_string(p.lambda) + " nm " + std::to_string(p.percent) + " %");
    EXPECT_NEAR(ChartPosition(frame, p.lambda, p.percent).x, p.x, 1e-9);
    EXPECT_NEAR(ChartPosition(frame, p.lambda, p.percent).y, p.y, 1e-9);
  }
  EXPECT_EQ(WavelengthTicks(), (std::vector<double>{300, 500, 700, 900, 1100, 1300, 1500, 1700,
                                                    1900, 2100, 2300, 2500}));
  EXPECT_EQ(PercentTicks(), (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));

  // 3 mm drawn, 2 skipped, running on across the vertex at 4: drawn 0-3 and 5-8.
  std::vector<PageSegment> pieces = DashedPieces({{0, 0}, {4, 0}, {10, 0}}, {3.0, 2.0});
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_NEAR(pieces[0].to.x, 3.0, 1e-9);
  EXPECT_NEAR(pieces[1].from.x, 5.0, 1e-9);
  EXPECT_NEAR(pieces[1].to.x, 8.0, 1e-9);
  // The first dash crosses the corner at (2, 0): 2 mm along x, then 1 mm up to (2, 1).
  pieces = DashedPieces({{0, 0}, {2, 0}, {2, 10}}, {3.0, 1.0});
  ASSERT_EQ(pieces.size(), 4u);  // 12 mm: dashes 0-3 (split), 4-7, 8-11
  EXPECT_NEAR(pieces[1].to.y, 1.0, 1e-9);
  EXPECT_NEAR(pieces[2].from.y, 2.0, 1e-9);
  EXPECT_NEAR(pieces[3].to.y, 9.0, 1e-9);
  const std::vector<PagePoint> vee = {{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(DashedPieces(vee, {}).size(), 2u);
  EXPECT_EQ(DashedPieces(vee, {0.0, 0.0}).size(), 2u);  // would never advance
  EXPECT_TRUE(DashedPieces({{1, 1}}, {1.0, 1.0}).empty());

  std::vector<PagePoint> corner;
  for (int i = 0; i <= 100; ++i) corner.push_back({i * 1.0, i <= 50 ? 0.0 : (i - 50) * 1.0});
  const std::vector<PagePoint> kept = SimplifiedLine(corner, 0.01);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].x, 50.0);
  EXPECT_EQ(kept[2].y, 50.0);

  std::set<std::pair<Colour, std::vector<double>>> styles;  // any two curves of a chart differ
  for (int n = 0; n < kCurvesPerChart; ++n)
    styles.insert({CurveStyle(n).colour, CurveStyle(n).dash});
  EXPECT_EQ(styles.size(), static_cast<size_t>(kCurvesPerChart));
}

double Points(double mm) {
  return mm * 72.0 / 25.4;
}

TEST(ChartDrawing, CurveAxesAndLegendLandWhereTheScalePutsThem) {
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
  const auto at = [](double x, double y) {
    return CreatePDF::PDFFormatNumber(Points(x)) + " " +
           CreatePDF::PDFFormatNumber(841.89 - Points(y));
  };
  // The straight solid curve is one stroke from the bottom-left to the top-right corner.
  EXPECT_NE(content.find(at(frame.left, frame.Bottom()) + " m\r\n" + at(frame.Right(), frame.top) +
                         " l\r\n"),
            std::string::npos);
  // Grid lines (in the hairline colour) at the 10 + 9 inner ticks, none over the frame.
  EXPECT_EQ(pdftest::Count(content, "0.808 0.831 0.855 RG"), 10 + 9);
  document.Finish();

  const std::vector<testing::PdfPage> pages = testing::PdfWords(document.path);
  ASSERT_EQ(pages.size(), 1u);
  const auto word = [&pages](const std::string& text) {
    for (const testing::PdfWord& w : pages[0].words) {
      if (w.text == text) return w;
    }
    return testing::PdfWord{};
  };
  EXPECT_NEAR((word("2500").x0 + word("2500").x1) / 2.0, Points(frame.Right()), 0.5);
  EXPECT_GT(word("2500").y0, Points(frame.Bottom()));  // the wavelengths under the frame
  EXPECT_LT(word("100").x1, Points(frame.left));       // the percents left of it
  EXPECT_NEAR((word("100").y0 + word("100").y1) / 2.0, Points(frame.top), 2.0);
  EXPECT_GT(word("Legend").x0, Points(frame.Right()));  // the legend beside it
}

}  // namespace
}  // namespace lamivex::report
