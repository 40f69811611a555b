// Chart blocks of the report.
#include "ReportCharts.h"

#include <algorithm>
#include <array>
#include <memory>

#include "ReportLayout.h"
#include "ReportText.h"

namespace lamivex::report {
namespace {

constexpr double kRoomAboveFrame = 5.0;  // for the unit of the percent axis
constexpr double kTickLength = 1.2;
constexpr double kSimplifyTolerance = 0.03;  // mm: far below the curve's width
constexpr double kLegendSample = 8.0;

const Font kAxisFont{kAxisSize};
const Font kBandFont{6};
const Font kLegendFont{kTableSize};

void DrawGrid(ReportCanvas& canvas, const ChartFrame& frame) {
  for (double lambda : WavelengthTicks()) {
    const PagePoint p = ChartPosition(frame, lambda, 0.0);
    if (lambda > kChartLambdaMin && lambda < kChartLambdaMax) {
      canvas.Line(p.x, frame.top, p.x, frame.Bottom(), kGridWidth, kHairline);
    }
    canvas.Line(p.x, frame.Bottom(), p.x, frame.Bottom() + kTickLength, kTableRuleWidth, kRule);
    canvas.Text(ShortNumber(lambda), p.x, frame.Bottom() + 4.5, kAxisFont, Align::Center, kMuted);
  }
  for (double percent : PercentTicks()) {
    const PagePoint p = ChartPosition(frame, kChartLambdaMin, percent);
    if (percent > 0.0 && percent < kChartPercentMax) {
      canvas.Line(frame.left, p.y, frame.Right(), p.y, kGridWidth, kHairline);
    }
    canvas.Line(frame.left - kTickLength, p.y, frame.left, p.y, kTableRuleWidth, kRule);
    canvas.Text(ShortNumber(percent), frame.left - 2.0, p.y + 1.0, kAxisFont, Align::Right, kMuted);
  }
  canvas.Text("nm", frame.Right(), frame.Bottom() + 8.5, kAxisFont, Align::Right, kMuted);
  canvas.Text("%", frame.left - 2.0, frame.top - 2.5, kAxisFont, Align::Right, kMuted);
}

void DrawVisibleBand(ReportCanvas& canvas, const ChartFrame& frame) {
  const PagePoint from = ChartPosition(frame, 380.0, kChartPercentMax);
  const PagePoint to = ChartPosition(frame, 780.0, 0.0);
  canvas.FillRectangle(from.x, from.y, to.x, to.y, kVisibleFill);
  canvas.Text("380 - 780 nm", (from.x + to.x) / 2.0, frame.top - 1.2, kBandFont, Align::Center,
              kMuted);
}

void DrawPieces(ReportCanvas& canvas, const std::vector<PagePoint>& line, const ChartCurve& curve) {
  for (const PageSegment& piece : DashedPieces(line, curve.dash)) {
    canvas.Line(piece.from.x, piece.from.y, piece.to.x, piece.to.y, kCurveWidth, curve.colour);
  }
}

void DrawCurve(ReportCanvas& canvas, const ChartFrame& frame, const ChartCurve& curve) {
  std::vector<PagePoint> line;
  line.reserve(curve.values.size());
  for (const auto& [lambda, percent] : curve.values) {
    line.push_back(ChartPosition(frame, lambda, percent));
  }
  DrawPieces(canvas, SimplifiedLine(line, kSimplifyTolerance), curve);
}

void DrawChart(ReportCanvas& canvas, const std::vector<ChartCurve>& curves, double y) {
  const ChartFrame frame = ChartFrameAt(y);
  DrawVisibleBand(canvas, frame);
  DrawGrid(canvas, frame);
  for (const ChartCurve& curve : curves) DrawCurve(canvas, frame, curve);
  canvas.FrameRectangle(frame.left, frame.top, frame.Right(), frame.Bottom(), kRuleWidth, kRule);
}

void DrawLegendRow(ReportCanvas& canvas, const std::vector<ChartCurve>& entries, double y,
                   double columnWidth) {
  double x = kChartFrameLeft;
  const double baseline = y + 3.5;
  for (const ChartCurve& entry : entries) {
    DrawPieces(canvas, {{x, baseline - 1.0}, {x + kLegendSample, baseline - 1.0}}, entry);
    const double textX = x + kLegendSample + 2.0;
    canvas.Text(canvas.Fit(entry.legend, columnWidth - kLegendSample - 4.0, kLegendFont), textX,
                baseline, kLegendFont);
    x += columnWidth;
  }
}

}  // namespace

ChartCurve CurveStyle(int n) {
  static const std::array<Colour, 8> kColours = {{{31, 95, 191},
                                                  {192, 57, 43},
                                                  {39, 130, 80},
                                                  {217, 119, 6},
                                                  {126, 63, 160},
                                                  {20, 150, 170},
                                                  {133, 84, 44},
                                                  {90, 90, 90}}};
  static const std::array<std::vector<double>, 4> kDashes = {
      {{}, {2.4, 1.2}, {2.4, 1.0, 0.5, 1.0}, {0.6, 0.8}}};
  ChartCurve curve;
  curve.colour = kColours[static_cast<size_t>(n) % kColours.size()];
  curve.dash = kDashes[static_cast<size_t>(n + n / 8) % kDashes.size()];
  return curve;
}

ChartFrame ChartFrameAt(double y) {
  return {kChartFrameLeft, y + kRoomAboveFrame, kChartFrameWidth, kChartFrameHeight};
}

void AddChart(std::vector<Block>& blocks, const std::vector<ChartCurve>& curves,
              int legendColumns) {
  auto shared = std::make_shared<const std::vector<ChartCurve>>(curves);
  Block chart;
  chart.height = kRoomAboveFrame + kChartFrameHeight + kChartAxisRoom;
  chart.keepWithNext = !curves.empty();
  chart.draw = [shared](ReportCanvas& canvas, double y) { DrawChart(canvas, *shared, y); };
  blocks.push_back(std::move(chart));

  const double columnWidth = kChartFrameWidth / legendColumns;
  for (size_t first = 0; first < curves.size(); first += legendColumns) {
    const size_t end = std::min(curves.size(), first + legendColumns);
    Block row;
    row.height = kLegendLineHeight;
    row.keepWithNext = end < curves.size();
    std::vector<ChartCurve> entries(curves.begin() + first, curves.begin() + end);
    for (ChartCurve& entry : entries) entry.values.clear();
    row.draw = [entries, columnWidth](ReportCanvas& canvas, double y) {
      DrawLegendRow(canvas, entries, y, columnWidth);
    };
    blocks.push_back(std::move(row));
  }
}

}  // namespace lamivex::report
