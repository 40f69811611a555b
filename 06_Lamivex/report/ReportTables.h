// Blocks of text and tables: section titles, captions, the project lines and tables
// whose rows flow over pages under a repeated header row.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ReportCanvas.h"
#include "ReportFlow.h"

namespace lamivex::report {

struct Bookmark {
  std::string title;
  int level = 0;
};

// A section title, "n  Title", with a bookmark at level 0.
void AddSectionTitle(std::vector<Block>& blocks, int number, const std::string& title,
                     bool startsPage);

// A caption over a table or a chart, with a note at the right end and a bookmark.
void AddCaption(std::vector<Block>& blocks, const std::string& title, const std::string& note,
                const Bookmark& bookmark, double spaceBefore);

// "Label  value" lines; the values start in one column after the widest label.
struct InfoLine {
  std::string label;
  std::string value;
};
void AddInfoLines(std::vector<Block>& blocks, const std::vector<InfoLine>& lines);

// Draws a column title in place of its text (x, width of the cell, baseline).
using TitleDrawer = std::function<void(ReportCanvas&, double x, double width, double baseline)>;

struct TableColumn {
  TableColumn(std::string title, double width, Align align = Align::Left,
              TitleDrawer drawTitle = {})
      : title(std::move(title)), width(width), align(align), drawTitle(std::move(drawTitle)) {}
  std::string title;
  double width;
  Align align;
  TitleDrawer drawTitle;
};

struct TableRow {
  TableRow(std::vector<std::string> cells, bool bold = false)
      : cells(std::move(cells)), bold(bold) {}
  std::vector<std::string> cells;
  bool bold;
};

// The header row, then one block per row; a row that starts a page repeats the header.
void AddTable(std::vector<Block>& blocks, const std::vector<TableColumn>& columns,
              const std::vector<TableRow>& rows);

// Baseline of a line of table text in a row whose top is y.
double RowBaseline(double y);

}  // namespace lamivex::report
