// The flow of blocks over pages and the widths of table columns.
#include "ReportFlow.h"

#include <gtest/gtest.h>

#include "ReportTables.h"

namespace lamivex::report {
namespace {

Block Sized(double height, double spaceBefore = 0, bool keepWithNext = false, int header = -1,
            bool startsPage = false) {
  Block block;
  block.height = height;
  block.spaceBefore = spaceBefore;
  block.keepWithNext = keepWithNext;
  block.repeatedHeader = header;
  block.startsPage = startsPage;
  return block;
}

// The blocks followed by rows, kept together (but the last) or rows of a table.
std::vector<Block> Rows(std::vector<Block> blocks, int count, double height, bool keep,
                        int header) {
  for (int row = 0; row < count; ++row) {
    blocks.push_back(Sized(height, 0, keep && row < count - 1, header));
  }
  return blocks;
}

TEST(ReportFlow, BlocksOnPagesOf100Millimetres) {
  const struct {
    const char* name;
    std::vector<Block> blocks;
    const char* placed;  // block/page/y of each placed block
    int pages;
  } cases[] = {
      {"follow, break when full", {Sized(40), Sized(40, 5), Sized(40)}, "0/1/30 1/1/75 2/2/30", 2},
      {"space dropped at a page top", {Sized(90), Sized(20, 8)}, "0/1/30 1/2/30", 2},
      {"a title moves with what it introduces",
       {Sized(70), Sized(10, 0, true), Sized(10, 0, true), Sized(15)},
       "0/1/30 1/2/30 2/2/40 3/2/50",
       2},
      {"a chain taller than a page breaks where it must",
       Rows({Sized(20), Sized(7, 0, true), Sized(60, 0, true)}, 5, 10, true, -1),
       "0/1/30 1/1/50 2/1/57 3/2/30 4/2/40 5/2/50 6/2/60 7/2/70", 2},
      {"a row starting a page repeats its table's header",
       Rows({Sized(60), Sized(6, 0, true)}, 8, 6, false, 1),
       "0/1/30 1/1/90 2/1/96 3/1/102 4/1/108 5/1/114 6/1/120 1/2/30 7/2/36 8/2/42 9/2/48", 2},
      {"a header starting a page is not repeated",
       Rows({Sized(90), Sized(6, 0, true)}, 1, 6, false, 1), "0/1/30 1/2/30 2/2/36", 2},
      {"a section asks for a new page",
       {Sized(10), Sized(10, 4, false, -1, true)},
       "0/1/30 1/2/30",
       2},
      {"no empty page before it", {Sized(10, 4, false, -1, true)}, "0/1/30", 1},
      {"nothing", {}, "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<PlacedBlock> placed = PlaceBlocks(c.blocks, {30.0, 130.0});
    std::string text;
    for (const PlacedBlock& p : placed) {
      text += (text.empty() ? "" : " ") + std::to_string(p.block) + "/" + std::to_string(p.page) +
              "/" + std::to_string(static_cast<int>(p.y));
    }
    EXPECT_EQ(text, c.placed);
    EXPECT_EQ(PageCount(placed), c.pages);
  }
}

TEST(TableColumns, SizedToContentsWithinTheTextColumn) {
  const TableColumn flexible("", 40.0, Align::Left, {}, true);
  const TableColumn fixed10("", 10.0), fixed100("", 100.0);
  const struct {
    const char* name;
    std::vector<TableColumn> columns;
    std::vector<double> needed, widths;  // the text column is 180 mm
  } cases[] = {
      {"flexible takes the rest", {fixed10, flexible}, {30, 0}, {30, 150}},
      {"surplus given up alike", {fixed10, fixed10, flexible}, {100, 100, 0}, {70, 70, 40}},
      {"no flexible: all share", {fixed10, fixed10, fixed10}, {20, 20, 20}, {60, 60, 60}},
      {"own widths too wide", {fixed100, fixed100}, {0, 0}, {90, 90}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> widths = ColumnWidths(c.needed, c.columns);
    ASSERT_EQ(widths.size(), c.widths.size());
    for (size_t i = 0; i < widths.size(); ++i) EXPECT_NEAR(widths[i], c.widths[i], 1e-9);
  }
}

}  // namespace
}  // namespace lamivex::report
