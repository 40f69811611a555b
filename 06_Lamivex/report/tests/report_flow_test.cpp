// The flow of blocks over pages and the widths of table columns.
#include "ReportFlow.h"

#include <gtest/gtest.h>

#include "ReportTables.h"

namespace lamivex::report {
namespace {

const PageArea kArea{30.0, 130.0};  // 100 mm of body

Block Sized(double height, bool keepWithNext = false) {
  Block block;
  block.height = height;
  block.keepWithNext = keepWithNext;
  return block;
}

TEST(ReportFlow, BlocksFollowEachOtherAndBreakWhenFull) {
  std::vector<Block> blocks = {Sized(40), Sized(40), Sized(40)};
  blocks[1].spaceBefore = 5;
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].y, 30.0);
  EXPECT_EQ(placed[1].y, 75.0);
  EXPECT_EQ(placed[2].page, 2);
  EXPECT_EQ(placed[2].y, 30.0);
  EXPECT_EQ(PageCount(placed), 2);
  EXPECT_EQ(PageCount({}), 1);
}

TEST(ReportFlow, SpaceBeforeIsDroppedAtTheTopOfAPage) {
  std::vector<Block> blocks = {Sized(90), Sized(20)};
  blocks[1].spaceBefore = 8;
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  EXPECT_EQ(placed[1].page, 2);
  EXPECT_EQ(placed[1].y, 30.0);
}

TEST(ReportFlow, ATitleMovesWithWhatItIntroduces) {
  const std::vector<Block> blocks = {Sized(70), Sized(10, true), Sized(10, true), Sized(15)};
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  EXPECT_EQ(placed[1].page, 2);
  EXPECT_EQ(placed[2].page, 2);
  EXPECT_EQ(placed[3].page, 2);
}

TEST(ReportFlow, AChainTallerThanAPageBreaksWhereItMust) {
  // A chart (60) whose legend rows (8 × 10) are kept with it: the chart does not leave its
  // caption, and the rows that do not fit go on to the next page.
  std::vector<Block> blocks = {Sized(20), Sized(7, true), Sized(60, true)};
  for (int row = 0; row < 8; ++row) blocks.push_back(Sized(10, row < 7));
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  EXPECT_EQ(placed[1].page, 1);
  EXPECT_EQ(placed[2].page, 1);
  EXPECT_EQ(placed.back().page, 2);
  for (const PlacedBlock& p : placed) EXPECT_LE(p.y + blocks[p.block].height, kArea.bottom);
}

TEST(ReportFlow, ARowStartingAPageRepeatsItsTablesHeader) {
  std::vector<Block> blocks = {Sized(60), Sized(6, true)};  // then the header row
  for (int row = 0; row < 12; ++row) {
    Block block = Sized(6);
    block.repeatedHeader = 1;
    blocks.push_back(block);
  }
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  int headers = 0;
  for (const PlacedBlock& p : placed) {
    if (p.block != 1) continue;
    ++headers;
    if (p.page == 2) {
      EXPECT_EQ(p.y, 30.0);
    }
  }
  EXPECT_EQ(headers, 2);
  EXPECT_EQ(placed.size(), blocks.size() + 1);
  // The header is drawn just above the first row of page 2.
  for (size_t i = 1; i < placed.size(); ++i) {
    if (placed[i].page == 2 && placed[i - 1].page == 1) {
      EXPECT_EQ(placed[i].block, 1);
    }
  }
}

TEST(ReportFlow, AHeaderThatStartsAPageIsNotRepeated) {
  std::vector<Block> blocks = {Sized(90), Sized(6, true)};
  Block row = Sized(6);
  row.repeatedHeader = 1;
  blocks.push_back(row);
  const std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[1].page, 2);
  EXPECT_EQ(placed[2].page, 2);
}

TEST(ReportFlow, ASectionCanAskForANewPage) {
  std::vector<Block> blocks = {Sized(10), Sized(10)};
  blocks[1].startsPage = true;
  std::vector<PlacedBlock> placed = PlaceBlocks(blocks, kArea);
  EXPECT_EQ(placed[1].page, 2);
  // At the top of a page already: no empty page.
  blocks.erase(blocks.begin());
  placed = PlaceBlocks(blocks, kArea);
  EXPECT_EQ(placed[0].page, 1);
}

TEST(TableColumns, SizedToContentsWithinTheTextColumn) {
  const TableColumn flexible("", 40.0, Align::Left, {}, true);
  const TableColumn fixed10("", 10.0), fixed100("", 100.0);
  struct Case {
    const char* name;
    std::vector<TableColumn> columns;
    std::vector<double> needed, widths;  // the text column is 180 mm
  };
  const Case cases[] = {
      {"flexible takes the rest", {fixed10, flexible}, {30, 0}, {30, 150}},
      {"surplus given up alike", {fixed10, fixed10, flexible}, {100, 100, 0}, {70, 70, 40}},
      {"no flexible: all share", {fixed10, fixed10, fixed10}, {20, 20, 20}, {60, 60, 60}},
      {"own widths too wide", {fixed100, fixed100}, {0, 0}, {90, 90}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> widths = ColumnWidths(c.needed, c.columns);
    ASSERT_EQ(widths.size(), c.widths.size());
    for (size_t i = 0; i < widths.size(); ++i) EXPECT_NEAR(widths[i], c.widths[i], 1e-9);
  }
}

}  // namespace
}  // namespace lamivex::report
