// Chart blocks: the spectral curves over 300 to 2500 nm in a framed grid with the
// visible range shaded, the axes' ticks and values, and a legend beside the chart.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ChartGeometry.h"
#include "ReportCanvas.h"
#include "ReportFlow.h"

namespace lamivex::report {

struct ChartCurve {
  std::string legend;
  Colour colour = kBlack;
  std::vector<double> dash;                       // drawn and skipped lengths, mm
  std::vector<std::pair<double, double>> values;  // wavelength (nm), percent
};

// Colour and dash pattern of the n-th curve of a chart (from 0): eight colours and four
// patterns, so that neighbouring curves differ in both.
ChartCurve CurveStyle(int n);

// The chart's frame when the chart block's top is at y.
ChartFrame ChartFrameAt(double y);

// The chart with its legend beside it, one entry per curve (at most kCurvesPerChart of them
// to stay readable).
void AddChart(std::vector<Block>& blocks, ReportCanvas& canvas,
              const std::vector<ChartCurve>& curves);

}  // namespace lamivex::report
