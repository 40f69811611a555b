// Product search: a row whose layers list alternatives at a position, separated by '|'
// (glass:1101|glass:1102~ pvb:3001|pvb:3002 glass:1101), stands for every combination.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lamivex::batch {

// The most combinations one batch calculates; more are refused before anything runs.
inline constexpr uint64_t kMaxCombinations = 10'000'000;

// The alternatives of each layer position of a "layers" column, in the order written.
// Blanks around a '|' are allowed (glass:1101 | glass:1102); a '|' inside a product's
// name in brackets is part of the name. Throws std::invalid_argument for an empty
// alternative (glass:1101||glass:1102, a '|' at either end of a position).
using LayerAlternatives = std::vector<std::vector<std::string>>;
LayerAlternatives SplitAlternatives(const std::string& layersText);

// The number of combinations, the product of the positions' alternative counts; held at
// UINT64_MAX when it is larger, so that it never wraps round.
uint64_t CombinationCount(const LayerAlternatives& alternatives);

// The layers of combination `index` (from 0) written out, one alternative per position,
// separated by single blanks. The first position varies slowest, the last fastest: the
// combinations come in the order of nested loops over the positions as written.
std::string CombinationLayers(const LayerAlternatives& alternatives, uint64_t index);

// One input row of a search: its name, its alternatives, and where its combinations
// start in the batch's numbering.
struct CombinedRow {
  std::string name;
  LayerAlternatives alternatives;
  uint64_t first = 0;  // number of the row's first combination among all, from 0
  uint64_t count = 1;
};

// The name of a row's combination `index` (from 0): "<name> <index + 1>"; a row with a
// single combination keeps its own name.
std::string CombinationName(const CombinedRow& row, uint64_t index);

// Numbers the rows' combinations one after the other and returns the total. Throws
// std::length_error with the count when it is above kMaxCombinations.
uint64_t NumberCombinations(std::vector<CombinedRow>& rows);

// The row that combination `number` (from 0, below the total) belongs to.
size_t RowOfCombination(const std::vector<CombinedRow>& rows, uint64_t number);

}  // namespace lamivex::batch
