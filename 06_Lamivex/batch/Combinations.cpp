// The combinations are never all held at once: a search numbers them, and each is
// written out from its number when it is calculated.
#include "Combinations.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "Stacks.h"

namespace lamivex::batch {
namespace {

constexpr uint64_t kCountTooLarge = std::numeric_limits<uint64_t>::max();

// The blank-separated tokens with the blanks around a '|' taken away, so that each
// position is one token.
std::vector<std::string> PositionTokens(const std::string& layersText) {
  std::vector<std::string> positions;
  for (const std::string& token : SplitLayers(layersText)) {
    const bool joinsPrevious =
        !positions.empty() && (positions.back().ends_with('|') || token.starts_with('|'));
    if (joinsPrevious) {
      positions.back() += token;
    } else {
      positions.push_back(token);
    }
  }
  return positions;
}

// A position's alternatives: split at every '|' outside a product's name in brackets.
std::vector<std::string> SplitPosition(const std::string& position) {
  std::vector<std::string> alternatives(1);
  bool inName = false;
  for (char c : position) {
    if (c == '[') inName = true;
    if (c == ']') inName = false;
    if (c == '|' && !inName) {
      alternatives.emplace_back();
    } else {
      alternatives.back() += c;
    }
  }
  if (std::ranges::find(alternatives, std::string()) != alternatives.end()) {
    throw std::invalid_argument("\"" + position +
                                "\" has an empty alternative; write alternatives as a|b|c");
  }
  return alternatives;
}

}  // namespace

LayerAlternatives SplitAlternatives(const std::string& layersText) {
  LayerAlternatives alternatives;
  for (const std::string& position : PositionTokens(layersText)) {
    alternatives.push_back(SplitPosition(position));
  }
  return alternatives;
}

uint64_t CombinationCount(const LayerAlternatives& alternatives) {
  uint64_t count = 1;
  for (const std::vector<std::string>& position : alternatives) {
    if (__builtin_mul_overflow(count, position.size(), &count)) return kCountTooLarge;
  }
  return count;
}

std::string CombinationLayers(const LayerAlternatives& alternatives, uint64_t index) {
  std::vector<size_t> chosen(alternatives.size());
  for (size_t p = alternatives.size(); p-- > 0;) {
    chosen[p] = index % alternatives[p].size();
    index /= alternatives[p].size();
  }
  std::string layers;
  for (size_t p = 0; p < alternatives.size(); ++p) {
    if (p > 0) layers += ' ';
    layers += alternatives[p][chosen[p]];
  }
  return layers;
}

std::string CombinationName(const CombinedRow& row, uint64_t index) {
  return row.count == 1 ? row.name : row.name + " " + std::to_string(index + 1);
}

uint64_t NumberCombinations(std::vector<CombinedRow>& rows) {
  uint64_t total = 0;
  for (CombinedRow& row : rows) {
    row.first = total;
    if (__builtin_add_overflow(total, row.count, &total)) total = kCountTooLarge;
  }
  if (total > kMaxCombinations) {
    const std::string count =
        total == kCountTooLarge ? "more than " + std::to_string(total) : std::to_string(total);
    throw std::length_error(count + " combinations; a batch calculates at most " +
                            std::to_string(kMaxCombinations));
  }
  return total;
}

size_t RowOfCombination(const std::vector<CombinedRow>& rows, uint64_t number) {
  const auto after = std::ranges::upper_bound(rows, number, {}, &CombinedRow::first);
  return static_cast<size_t>(after - rows.begin()) - 1;
}

}  // namespace lamivex::batch
