#include <gtest/gtest.h>

#include "Combinations.h"
#include "CommandLine.h"
#include "RowFilter.h"

namespace lamivex::batch {
namespace {

std::vector<std::string> AllCombinations(const std::string& layers) {
  const LayerAlternatives alternatives = SplitAlternatives(layers);
  std::vector<std::string> all;
  for (uint64_t n = 0; n < CombinationCount(alternatives); ++n) {
    all.push_back(CombinationLayers(alternatives, n));
  }
  return all;
}

TEST(Search, RowsExpandIntoEveryCombinationInNestedLoopOrder) {
  const struct {
    std::string layers;
    std::vector<std::string> combinations;  // empty: refused
  } kCases[] = {
      {"g:1|g:2|g:3~ p:1|p:2 g:1",
       {"g:1 p:1 g:1", "g:1 p:2 g:1", "g:2 p:1 g:1", "g:2 p:2 g:1", "g:3~ p:1 g:1",
        "g:3~ p:2 g:1"}},
      {" g:1 | g:2@9/9  [A|B c]|p:1 ",
       {"g:1 [A|B c]", "g:1 p:1", "g:2@9/9 [A|B c]", "g:2@9/9 p:1"}},
      {"g:1 p:1", {"g:1 p:1"}},
      {"g:1||g:2", {}},
      {"|g:1", {}},
      {"g:1 g:2|", {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.layers);
    if (c.combinations.empty()) {
      EXPECT_THROW(SplitAlternatives(c.layers), std::invalid_argument);
    } else {
      EXPECT_EQ(AllCombinations(c.layers), c.combinations);
    }
  }
}

TEST(Search, CombinationsAreNumberedAcrossRowsAndCountedBeforeAnyIsMade) {
  std::vector<CombinedRow> rows(3);
  rows[0] = {"A", SplitAlternatives("g:1|g:2|g:3 p:1|p:2"), 0, 6};
  rows[1] = {"B", {}, 0, 1};
  rows[2] = {"C", {}, 0, 4};
  EXPECT_EQ(NumberCombinations(rows), 11u);
  for (const auto& [number, row] : {std::pair{0, 0}, {5, 0}, {6, 1}, {7, 2}, {10, 2}}) {
    EXPECT_EQ(RowOfCombination(rows, number), size_t(row)) << number;
  }
  EXPECT_EQ(CombinationName(rows[0], 0), "A 1");
  EXPECT_EQ(CombinationName(rows[1], 0), "B");
  // 8^8 = 16,777,216 combinations; 10^30 does not fit a 64-bit count.
  for (const auto& [positions, text] :
       {std::pair{8, "16777216 combinations"}, {30, "more than 18446744073709551615"}}) {
    std::string layers;
    for (int p = 0; p < positions; ++p)
      layers += positions == 8 ? "1|2|3|4|5|6|7|8 " : "0|1|2|3|4|5|6|7|8|9 ";
    std::vector<CombinedRow> big = {{"X", {}, 0, CombinationCount(SplitAlternatives(layers))}};
    EXPECT_THROW(
        try { NumberCombinations(big); } catch (const std::length_error& e) {
          EXPECT_TRUE(std::string(e.what()).starts_with(text)) << e.what();
          throw;
        },
        std::length_error);
  }
}

TEST(Search, WhereKeepsRowsWhosePrintedValuesMeetEveryCondition) {
  const std::vector<std::string> columns = {"Tl", "g", "U"};
  const std::vector<Condition> where = ParseWhere(" Tl >= 70,g<40.5 ,U=1.1", columns);
  const struct {
    std::vector<std::optional<double>> values;
    bool kept;
  } kRows[] = {{{70.00, 40.49, 1.10}, true},
               {{69.99, 30, 1.1}, false},
               {{80, 40.5, 1.1}, false},
               {{80, 30, 1.11}, false},
               {{80, 30, std::nullopt}, false}};
  for (const auto& row : kRows) EXPECT_EQ(MeetsAll(where, row.values), row.kept);
  EXPECT_TRUE(MeetsAll(ParseWhere("g>40.4,g<=40.5,Tl>69", columns), kRows[0].values));
  for (const char* bad : {"TL>=70", "Tl>=", "Tl=>70", "Tl>=70,", "Tl 70", "Tl>=7O", ">=70"}) {
    SCOPED_TRACE(bad);
    try {
      ParseWhere(bad, columns);
      ADD_FAILURE();
    } catch (const UsageError& e) {
      const bool namesColumns = std::string(e.what()).find("Tl, g, U") != std::string::npos;
      EXPECT_EQ(namesColumns, std::string(bad) == "TL>=70") << e.what();
    }
  }
}

}  // namespace
}  // namespace lamivex::batch
