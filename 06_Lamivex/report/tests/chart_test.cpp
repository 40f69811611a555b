// The charts: scale, dashes, line simplification and curve styles, then one chart drawn on a page
// with its axes, grid, curves and legend where a reader looks for them.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "CreatePDF.h"
#include "ReportCharts.h"
#include "ReportFixture.h"
#include "ReportLayout.h"

namespace lamivex::report {
namespace {

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
    for (const PageSegment& p : pieces) {
      out << p.from.x << "," << p.from.y << "-" << p.to.x << "," << p.to.y << " ";
    }
    return out.str();
  };
  EXPECT_EQ(drawn(DashedPieces({{0, 0}, {4, 0}, {10, 0}}, {3, 2})), "0,0-3,0 5,0-8,0 ");
  EXPECT_EQ(drawn(DashedPieces({{0, 0}, {2, 0}, {2, 10}}, {3, 1})),
            "0,0-2,0 2,0-2,1 2,2-2,5 2,6-2,9 ");
  const std::vector<PagePoint> vee = {{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(drawn(DashedPieces(vee, {})), "0,0-1,1 1,1-2,0 ");
  EXPECT_EQ(drawn(DashedPieces(vee, {0, 0})), "0,0-1,1 1,1-2,0 ");  // would never advance
  EXPECT_EQ(drawn(DashedPieces({{1, 1}}, {1, 1})), "");

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
  // Grid lines (in the hairline colour) at the 10 + 9 inner ticks, none over the frame.
  EXPECT_EQ(pdftest::Count(content, "0.808 0.831 0.855 RG"), 10 + 9);
  // The legend's sample, the last stroke in the curve's colour, stands beside the frame.
  const size_t sample = content.rfind(" m\r\n", content.rfind("0.122 0.373 0.749 RG"));
  EXPECT_GT(std::stod(content.substr(content.rfind('\n', sample) + 1)), points(frame.Right()));
  document.Finish();

  const std::vector<testing::PdfPage> pages = testing::PdfWords(document.path);
  ASSERT_EQ(pages.size(), 1u);
  const auto word = [&pages](const std::string& text) {
    for (const testing::PdfWord& w : pages[0].words) {
      if (w.text == text) return w;
    }
    return testing::PdfWord{};
  };
  EXPECT_NEAR((word("2500").x0 + word("2500").x1) / 2.0, points(frame.Right()), 0.5);
  EXPECT_GT(word("2500").y0, points(frame.Bottom()));  // the wavelengths under the frame
  EXPECT_LT(word("100").x1, points(frame.left));       // the percents left of it
  EXPECT_NEAR((word("100").y0 + word("100").y1) / 2.0, points(frame.top), 2.0);
  EXPECT_GT(word("Legend").x0, points(frame.Right()));  // the legend beside it
}

}  // namespace
}  // namespace lamivex::report
