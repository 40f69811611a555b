// A chart drawn on a page: the curve's points land where the scale puts them, in the
// writer's points.
#include <gtest/gtest.h>

#include "CreatePDF.h"
#include "PdfTestSupport.h"
#include "ReportCanvas.h"
#include "ReportCharts.h"

namespace lamivex::report {
namespace {

constexpr double kPointsPerMillimetre = 72.0 / 25.4;
constexpr double kA4Height = 841.89;

std::string PagePoint(double x, double y) {
  return CreatePDF::PDFFormatNumber(x * kPointsPerMillimetre) + " " +
         CreatePDF::PDFFormatNumber(kA4Height - y * kPointsPerMillimetre);
}

TEST(ChartDrawing, APointAt2500NmAnd100PercentIsTheFramesTopRightCorner) {
  pdftest::TestDocument document;
  document.pdf.PDFPathConfiguration(LAMIVEX_PROGRAM_DIR);
  ReportCanvas canvas(document.pdf);
  ChartCurve curve = CurveStyle(0);
  curve.legend = "T";
  curve.values = {{300.0, 0.0}, {1400.0, 50.0}, {2500.0, 100.0}};
  std::vector<Block> blocks;
  AddChart(blocks, canvas, {curve});
  ASSERT_EQ(blocks.size(), 1u);  // the chart, its legend beside it
  document.pdf.PDFBeginDoc();
  const double top = 40.0;
  blocks[0].draw(canvas, top);
  const std::string content = CreatePDFTestAccess::PageContent(document.pdf);
  const ChartFrame frame = ChartFrameAt(top);
  // The straight curve is one stroke from the bottom-left to the top-right corner.
  EXPECT_NE(content.find(PagePoint(frame.left, frame.Bottom()) + " m\r\n" +
                         PagePoint(frame.Right(), frame.top) + " l\r\n"),
            std::string::npos)
      << content;
  document.Finish();
  EXPECT_TRUE(pdftest::IsValidPdfFile(document.path));
}

}  // namespace
}  // namespace lamivex::report
