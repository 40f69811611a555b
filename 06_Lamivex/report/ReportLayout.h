// Page geometry and type sizes of the printed report: A4 portrait, millimetres.
#pragma once

namespace lamivex::report {

inline constexpr double kPageWidth = 210.0;
inline constexpr double kPageHeight = 297.0;
inline constexpr double kLeft = 15.0;  // text column, left and right edges
inline constexpr double kRight = 195.0;
inline constexpr double kColumnWidth = kRight - kLeft;

// Header band: two text lines and a rule; footer: a rule and one text line.
inline constexpr double kHeaderFirstBaseline = 15.0;
inline constexpr double kHeaderSecondBaseline = 20.5;
inline constexpr double kHeaderRule = 23.5;
inline constexpr double kFooterRule = 283.0;
inline constexpr double kFooterBaseline = 287.5;

// The flow of blocks between the header and the footer.
inline constexpr double kBodyTop = 30.0;
inline constexpr double kBodyBottom = 279.0;

// Type sizes (points; the writer takes whole sizes).
inline constexpr int kSuiteTitleSize = 11;
inline constexpr int kHeaderSize = 8;
inline constexpr int kSectionSize = 12;
inline constexpr int kCaptionSize = 10;
inline constexpr int kBodySize = 9;
inline constexpr int kTableSize = 8;
inline constexpr int kFooterSize = 7;
inline constexpr int kAxisSize = 7;

// Vertical rhythm.
inline constexpr double kSectionHeight = 10.0;  // a section title and the space after it
inline constexpr double kCaptionHeight = 7.0;   // a table or chart caption
inline constexpr double kInfoLineHeight = 5.5;  // one "label  value" line of the project block
inline constexpr double kRowHeight = 5.5;       // one table row
inline constexpr double kBlockGap = 5.0;        // space after a table or a chart

// Chart: the frame spans the text column less room for the values of the y axis on the
// left and for the legend on the right, beside the frame.
inline constexpr double kLegendWidth = 50.0;
inline constexpr double kChartFrameLeft = kLeft + 10.0;
inline constexpr double kChartFrameWidth = kRight - kLegendWidth - 4.0 - kChartFrameLeft;
inline constexpr double kChartFrameHeight = 80.0;
inline constexpr double kChartAxisRoom = 10.0;  // tick values and unit under the frame
inline constexpr int kCurvesPerChart = 12;      // more layers go on to further charts

// Line widths (millimetres).
inline constexpr double kRuleWidth = 0.3;
inline constexpr double kTableRuleWidth = 0.2;
inline constexpr double kGridWidth = 0.1;
inline constexpr double kCurveWidth = 0.4;

}  // namespace lamivex::report
