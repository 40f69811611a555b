// Geometry of the spectral charts: the scale from wavelength and percent to the page,
// the ticks of both axes, and the dash patterns of the curves.
#pragma once

#include <vector>

namespace lamivex::report {

inline constexpr double kChartLambdaMin = 300.0;   // nm, left edge of the frame
inline constexpr double kChartLambdaMax = 2500.0;  // nm, right edge
inline constexpr double kChartPercentMax = 100.0;  // top edge; the bottom edge is 0 %

// A point on the page, millimetres from the top-left corner, y growing downwards.
struct PagePoint {
  double x = 0.0;
  double y = 0.0;
};

struct PageSegment {
  PagePoint from;
  PagePoint to;
};

// The chart's frame on the page.
struct ChartFrame {
  double left = 0.0;
  double top = 0.0;
  double width = 0.0;
  double height = 0.0;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

// Where a value lies in the frame: 300 nm at the left edge, 2500 nm at the right, 0 % at
// the bottom, 100 % at the top. Values beyond the axes are held at the frame's edge.
PagePoint ChartPosition(const ChartFrame& frame, double lambda, double percent);

// Ticks of the wavelength axis: 300, 500, ..., 2500 nm (every 200 nm, both ends included).
std::vector<double> WavelengthTicks();
// Ticks of the percent axis: 0, 10, ..., 100.
std::vector<double> PercentTicks();

// The pieces of a polyline that a dash pattern draws. The pattern alternates drawn and
// skipped lengths (mm), starting with a drawn one, and runs on across the vertices; an
// empty pattern (or one with a length that is not positive) draws the whole line,
// one piece per segment.
std::vector<PageSegment> DashedPieces(const std::vector<PagePoint>& line,
                                      const std::vector<double>& pattern);

// The polyline with the points dropped that lie within `tolerance` (mm) of the line kept
// (Douglas-Peucker); a smooth spectrum then needs far fewer strokes.
std::vector<PagePoint> SimplifiedLine(const std::vector<PagePoint>& line, double tolerance);

}  // namespace lamivex::report
