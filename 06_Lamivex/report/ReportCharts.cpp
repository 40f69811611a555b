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
const Font kLegendFont{kAxisSize};
constexpr double kLegendLineStep = 2.9;  // mm between the lines of a legend entry
constexpr double kLegendGap = 1.3;       // mm between two entries

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

// One legend entry: its curve's sample and its text in lines.
struct LegendEntry {
  ChartCurve sample;
  std::vector<std::string> lines;
};

// The legend's entries in the column beside the frame, from the frame's top down to the
// bottom of the axis room: each entry gets an equal share of that height, and a text that
// needs more lines than its share holds is cut with an ellipsis on its last line (the whole
// name stands in the tables of the layers).
std::vector<LegendEntry> LegendEntries(ReportCanvas& canvas,
                                       const std::vector<ChartCurve>& curves) {
  const double textWidth = kLegendWidth - kLegendSample - 2.0;
  const double share = (kChartFrameHeight + kChartAxisRoom) / static_cast<double>(curves.size());
  const size_t fitting = static_cast<size_t>(std::max(1.0, (share - kLegendGap) / kLegendLineStep));
  std::vector<LegendEntry> entries;
  for (const ChartCurve& curve : curves) {
    LegendEntry entry{curve, canvas.Wrap(curve.legend, textWidth, kLegendFont)};
    entry.sample.values.clear();
    if (entry.lines.size() > fitting) {
      entry.lines.resize(fitting);
      entry.lines.back() = canvas.Fit(entry.lines.back() + " \xE2\x80\xA6", textWidth, kLegendFont);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

void DrawLegend(ReportCanvas& canvas, const std::vector<LegendEntry>& entries,
                const ChartFrame& frame) {
  const double x = frame.Right() + 4.0;
  double baseline = frame.top + 2.5;
  for (const LegendEntry& entry : entries) {
    DrawPieces(canvas, {{x, baseline - 1.0}, {x + kLegendSample, baseline - 1.0}}, entry.sample);
    for (const std::string& line : entry.lines) {
      canvas.Text(line, x + kLegendSample + 2.0, baseline, kLegendFont);
      baseline += kLegendLineStep;
    }
    baseline += kLegendGap;
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

void AddChart(std::vector<Block>& blocks, ReportCanvas& canvas,
              const std::vector<ChartCurve>& curves) {
  auto shared = std::make_shared<const std::vector<ChartCurve>>(curves);
  auto legend = std::make_shared<const std::vector<LegendEntry>>(
      curves.empty() ? std::vector<LegendEntry>() : LegendEntries(canvas, curves));
  Block chart;
  chart.height = kRoomAboveFrame + kChartFrameHeight + kChartAxisRoom;
  chart.draw = [shared, legend](ReportCanvas& canvas, double y) {
    DrawChart(canvas, *shared, y);
    DrawLegend(canvas, *legend, ChartFrameAt(y));
  };
  blocks.push_back(std::move(chart));
}

}  // namespace lamivex::report
