// The flow of blocks over pages, the widths of table columns, and the texts and numbers
// the report prints.
#include "ReportFlow.h"

#include <gtest/gtest.h>

#include <sstream>

#include "PdfTestSupport.h"
#include "ReportData.h"
#include "ReportTables.h"
#include "ReportText.h"
#include "platform/RunError.h"

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
  // The blocks, then each placed block as block/page/y, and the number of pages.
  const std::tuple<const char*, const char*, int> cases[] = {
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
  for (const auto& [blocks, expected, pages] : cases) {
    SCOPED_TRACE(blocks);
    const std::vector<PlacedBlock> placed = PlaceBlocks(Blocks(blocks), {30.0, 130.0});
    std::string text;
    for (const PlacedBlock& p : placed) {
      text += (text.empty() ? "" : " ") + std::to_string(p.block) + "/" + std::to_string(p.page) +
              "/" + std::to_string(static_cast<int>(p.y));
    }
    EXPECT_EQ(text, expected);
    EXPECT_EQ(PageCount(placed), pages);
  }
}

TEST(TableColumns, SizedToContentsWithinTheTextColumn) {
  const TableColumn flexible("", 40.0, Align::Left, {}, true);
  const TableColumn fixed10("", 10.0), fixed100("", 100.0);
  // Columns, what their contents need, and their widths in the 180 mm text column.
  using Widths = std::vector<double>;
  const std::tuple<const char*, std::vector<TableColumn>, Widths, Widths> cases[] = {
      {"flexible takes the rest", {fixed10, flexible}, {30, 0}, {30, 150}},
      {"surplus given up alike", {fixed10, fixed10, flexible}, {100, 100, 0}, {70, 70, 40}},
      {"no flexible: all share", {fixed10, fixed10, fixed10}, {20, 20, 20}, {60, 60, 60}},
      {"own widths too wide", {fixed100, fixed100}, {0, 0}, {90, 90}},
  };
  for (const auto& [name, columns, needed, expected] : cases) {
    SCOPED_TRACE(name);
    const Widths widths = ColumnWidths(needed, columns);
    ASSERT_EQ(widths.size(), expected.size());
    for (size_t i = 0; i < widths.size(); ++i) EXPECT_NEAR(widths[i], expected[i], 1e-9);
  }
}

TEST(ReportText, LabelsNumbersAndFittedTexts) {
  pdftest::FrenchLocale french;  // the numbers keep their point under a decimal comma
  ReportLabels labels;
  labels.LblPVB = "\"PVB\"";
  // One unit of width per byte: "é" counts two, the ellipsis three.
  const auto bytes = [](const std::string& t) { return static_cast<double>(t.size()); };
  const auto lines = [](const std::vector<std::string>& all) {
    std::string text;
    for (const std::string& line : all) text += line + "|";
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {KindText(MakeReportTexts(labels), 4), "PVB"},  // any other kind loads as an interlayer
      {OneDecimal(72.649), "72.6"},
      {OneDecimal(7.05), "7.0"},  // 7.05 is stored just below 7.05
      {OneDecimal(-0.04), "0.0"},
      {FitText("Démo 44.2", 7, bytes), "Dém\xE2\x80\xA6"},
      {FitText("Démo 44.2", 9, bytes), "Démo\xE2\x80\xA6"},  // no blank before the ellipsis
      {FitText("abc", 1, bytes), ""},
      {lines(WrapText("ab  cd ef", 5, bytes)), "ab cd|ef|"},
      {lines(WrapText("abcdefg h", 3, bytes)), "abc|def|g h|"},  // a word too wide
      {lines(WrapText("éé", 2, bytes)), "é|é|"},
      {lines(SummaryValues("\"Caract\xE9ristiques, sortant\",73, 7 ,20,84,7,20,84,81,8,11,8,0.5",
                           "x")),
       "73|7|20|84|7|20|84|81|8|11|8|0.5|"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
  }
  for (const char* bad : {"", "73,7", "\"t\",1,2,3", "\"t\",1,2,3,4,5,6,7,8,9,10,11,12,13"}) {
    EXPECT_THROW(SummaryValues(bad, "Lamivex.out"), RunError) << bad;  // message: the refusals
  }
}

}  // namespace
}  // namespace lamivex::report
