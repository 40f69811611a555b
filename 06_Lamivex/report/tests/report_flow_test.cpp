// The flow of blocks over pages and the widths of table columns.
#include "ReportFlow.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ReportTables.h"

namespace lamivex::report {
namespace {

// Blocks from words "[space+]height[flags]": k keeps with the next block, s starts a page,
// h is a row of the table whose header is block 1.
std::vector<Block> Blocks(const std::string& words) {
  std::istringstream in(words);
  std::vector<Block> blocks;
  for (std::string word; in >> word;) {
    Block& block = blocks.emplace_back();
    const size_t plus = word.find('+') + 1;
    if (plus > 0) block.spaceBefore = std::stod(word);
    block.height = std::stod(word.substr(plus));
    block.keepWithNext = word.ends_with('k');
    block.startsPage = word.ends_with('s');
    block.repeatedHeader = word.ends_with('h') ? 1 : -1;
  }
  return blocks;
}

TEST(ReportFlow, BlocksOnPagesOf100Millimetres) {
  const struct {
    const char* blocks;
    const char* placed;  // block/page/y of each placed block
    int pages;
  } cases[] = {
      {"40 5+40 40", "0/1/30 1/1/75 2/2/30", 2},            // a break when full
      {"90 8+20", "0/1/30 1/2/30", 2},                      // no space at a page's top
      {"70 10k 10k 15", "0/1/30 1/2/30 2/2/40 3/2/50", 2},  // titles move with their block
      {"20 7k 60k 10k 10k 10k 10k 10", "0/1/30 1/1/50 2/1/57 3/2/30 4/2/40 5/2/50 6/2/60 7/2/70",
       2},  // a chain taller than a page breaks where it must
      {"60 6k 6h 6h 6h 6h 6h 6h 6h 6h",
       "0/1/30 1/1/90 2/1/96 3/1/102 4/1/108 5/1/114 6/1/120 1/2/30 7/2/36 8/2/42 9/2/48", 2},
      {"90 6k 6h", "0/1/30 1/2/30 2/2/36", 2},  // a header starting a page is not repeated
      {"10 4+10s", "0/1/30 1/2/30", 2},
      {"4+10s", "0/1/30", 1},  // no empty page
      {"", "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.blocks);
    const std::vector<PlacedBlock> placed = PlaceBlocks(Blocks(c.blocks), {30.0, 130.0});
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
