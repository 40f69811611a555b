// The flow of the report's blocks down the pages: each block keeps its height, moves to
// a new page when it does not fit, keeps with the block after it when asked, and a table
// row that starts a page gets its table's header row again above it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lamivex::report {

class ReportCanvas;

struct Block {
  double height = 0.0;
  // Space above the block, left out when the block stands at the top of a page.
  double spaceBefore = 0.0;
  // Moves to a new page together with the next block (a title with what it introduces).
  bool keepWithNext = false;
  // For a table row: the index of its table's header block, repeated at the top of a page
  // that the row starts; -1 for any other block.
  int repeatedHeader = -1;
  // Starts a new page unless the block already stands at the top of one.
  bool startsPage = false;
  // Draws the block with its top at y.
  std::function<void(ReportCanvas& canvas, double y)> draw;
};

// Where a block is drawn; a repeated header appears once more for each page it heads.
struct PlacedBlock {
  int block = 0;
  int page = 1;
  double y = 0.0;
};

struct PageArea {
  double top = 0.0;
  double bottom = 0.0;
};

// Places the blocks in order. A chain of blocks kept together that is taller than a page
// breaks where its blocks no longer fit; a single block taller than a page is placed at
// the top of one and runs past its bottom rather than being lost.
std::vector<PlacedBlock> PlaceBlocks(const std::vector<Block>& blocks, const PageArea& area);

// The number of pages the placed blocks use (1 for none).
int PageCount(const std::vector<PlacedBlock>& placed);

}  // namespace lamivex::report
