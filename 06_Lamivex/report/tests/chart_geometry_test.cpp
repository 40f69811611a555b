// The charts' scale, ticks, dash patterns and line simplification.
#include "ChartGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace lamivex::report {
namespace {

const ChartFrame kFrame{25.0, 40.0, 166.0, 88.0};

double Length(const PageSegment& s) {
  return std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
}

TEST(ChartScale, CornersAndMiddleOfTheFrame) {
  const PagePoint topRight = ChartPosition(kFrame, 2500.0, 100.0);
  EXPECT_DOUBLE_EQ(topRight.x, kFrame.Right());
  EXPECT_DOUBLE_EQ(topRight.y, kFrame.top);
  const PagePoint bottomLeft = ChartPosition(kFrame, 300.0, 0.0);
  EXPECT_DOUBLE_EQ(bottomLeft.x, kFrame.left);
  EXPECT_DOUBLE_EQ(bottomLeft.y, kFrame.Bottom());
  const PagePoint middle = ChartPosition(kFrame, 1400.0, 50.0);
  EXPECT_DOUBLE_EQ(middle.x, kFrame.left + kFrame.width / 2.0);
  EXPECT_DOUBLE_EQ(middle.y, kFrame.top + kFrame.height / 2.0);
}

TEST(ChartScale, ValuesBeyondTheAxesStayOnTheFrame) {
  const PagePoint above = ChartPosition(kFrame, 2600.0, 101.5);
  EXPECT_DOUBLE_EQ(above.x, kFrame.Right());
  EXPECT_DOUBLE_EQ(above.y, kFrame.top);
  const PagePoint below = ChartPosition(kFrame, 250.0, -0.2);
  EXPECT_DOUBLE_EQ(below.x, kFrame.left);
  EXPECT_DOUBLE_EQ(below.y, kFrame.Bottom());
}

TEST(ChartTicks, BothAxesEndOnTicks) {
  const std::vector<double> lambda = WavelengthTicks();
  ASSERT_EQ(lambda.size(), 12u);
  EXPECT_EQ(lambda.front(), 300.0);
  EXPECT_EQ(lambda.back(), 2500.0);
  const std::vector<double> percent = PercentTicks();
  ASSERT_EQ(percent.size(), 11u);
  EXPECT_EQ(percent.back(), 100.0);
}

TEST(DashedPieces, PatternRunsOnAcrossVertices) {
  // A 10 mm line in two segments (4 and 6 mm), 3 mm drawn and 2 mm skipped: drawn 0-3
  // and 5-8; the gap 3-5 spans the vertex at 4 instead of restarting there.
  const std::vector<PagePoint> line = {{0, 0}, {4, 0}, {10, 0}};
  const std::vector<PageSegment> pieces = DashedPieces(line, {3.0, 2.0});
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_NEAR(pieces[0].from.x, 0.0, 1e-9);
  EXPECT_NEAR(pieces[0].to.x, 3.0, 1e-9);
  EXPECT_NEAR(pieces[1].from.x, 5.0, 1e-9);
  EXPECT_NEAR(pieces[1].to.x, 8.0, 1e-9);
}

TEST(DashedPieces, DashSplitAtAVertexKeepsItsLength) {
  // The first dash (3 mm) crosses the corner at 2 mm: 2 mm along x, then 1 mm along y.
  const std::vector<PagePoint> line = {{0, 0}, {2, 0}, {2, 10}};
  const std::vector<PageSegment> pieces = DashedPieces(line, {3.0, 1.0});
  ASSERT_GE(pieces.size(), 2u);
  EXPECT_NEAR(Length(pieces[0]) + Length(pieces[1]), 3.0, 1e-9);
  double drawn = 0.0;
  for (const PageSegment& piece : pieces) drawn += Length(piece);
  EXPECT_NEAR(drawn, 9.0, 1e-9);  // 12 mm: 3 drawn of every 4
}

TEST(DashedPieces, SolidAndDegeneratePatterns) {
  const std::vector<PagePoint> line = {{0, 0}, {1, 1}, {2, 0}};
  EXPECT_EQ(DashedPieces(line, {}).size(), 2u);
  EXPECT_EQ(DashedPieces(line, {0.0, 0.0}).size(), 2u);  // would never advance
  EXPECT_TRUE(DashedPieces({{1, 1}}, {1.0, 1.0}).empty());
}

TEST(SimplifiedLine, DropsPointsOnTheLineKeepsCorners) {
  std::vector<PagePoint> line;
  for (int i = 0; i <= 100; ++i) line.push_back({i * 1.0, i <= 50 ? 0.0 : (i - 50) * 1.0});
  const std::vector<PagePoint> kept = SimplifiedLine(line, 0.01);
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[1].x, 50.0);
  // Within the tolerance nothing a reader could see is lost.
  std::vector<PagePoint> wavy;
  for (int i = 0; i <= 440; ++i) wavy.push_back({i * 0.38, 40.0 + 20.0 * std::sin(i / 30.0)});
  const std::vector<PagePoint> smooth = SimplifiedLine(wavy, 0.03);
  EXPECT_LT(smooth.size(), wavy.size() / 3);
  EXPECT_EQ(smooth.front().x, wavy.front().x);
  EXPECT_EQ(smooth.back().x, wavy.back().x);
}

}  // namespace
}  // namespace lamivex::report
