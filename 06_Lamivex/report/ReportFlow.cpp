// Placement of the report's blocks on the pages.
#include "ReportFlow.h"

#include <algorithm>

namespace lamivex::report {
namespace {

// Height of block i, with its space above, and of the blocks it keeps with.
double ChainHeight(const std::vector<Block>& blocks, size_t i) {
  double height = blocks[i].spaceBefore;
  for (; i < blocks.size(); ++i) {
    height += blocks[i].height;
    if (!blocks[i].keepWithNext) break;
  }
  return height;
}

}  // namespace

std::vector<PlacedBlock> PlaceBlocks(const std::vector<Block>& blocks, const PageArea& area) {
  std::vector<PlacedBlock> placed;
  int page = 1;
  double y = area.top;
  for (size_t i = 0; i < blocks.size(); ++i) {
    const Block& block = blocks[i];
    // A chain taller than a page is broken where it must: the block itself has to fit.
    double needed = ChainHeight(blocks, i);
    if (needed > area.bottom - area.top) needed = block.spaceBefore + block.height;
    if (y > area.top && (block.startsPage || y + needed > area.bottom)) {
      ++page;
      y = area.top;
    }
    if (y > area.top) {
      y += block.spaceBefore;
    } else if (block.repeatedHeader >= 0 && !placed.empty() &&
               placed.back().block != block.repeatedHeader) {
      // A row that starts a page: its table's header row goes above it again.
      placed.push_back({block.repeatedHeader, page, y});
      y += blocks[block.repeatedHeader].height;
    }
    placed.push_back({static_cast<int>(i), page, y});
    y += block.height;
  }
  return placed;
}

int PageCount(const std::vector<PlacedBlock>& placed) {
  int pages = 1;
  for (const PlacedBlock& p : placed) pages = std::max(pages, p.page);
  return pages;
}

}  // namespace lamivex::report
