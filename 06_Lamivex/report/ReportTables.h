// Blocks of text and tables: section titles, captions, the project lines and tables
// whose rows flow over pages under a repeated header row. Every text is measured when its
// block is made: a text wider than its place is wrapped onto more lines and its block grows.
#pragma once

#include <functional>
#include <optional>
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
void AddSectionTitle(std::vector<Block>& blocks, ReportCanvas& canvas, int number,
                     const std::string& title, bool startsPage);

// A caption over a table or a chart, with a note at the right end and a bookmark.
void AddCaption(std::vector<Block>& blocks, ReportCanvas& canvas, const std::string& title,
                const std::string& note, const Bookmark& bookmark, double spaceBefore);

// A line of text across the column, in the table's type made smaller to fit, and wrapped
// if it does not fit even so.
void AddTextLine(std::vector<Block>& blocks, ReportCanvas& canvas, const std::string& text);

// "Label  value" lines; the values start in one column after the widest label, the labels
// wider than half the column wrapped.
struct InfoLine {
  std::string label;
  std::string value;
};
void AddInfoLines(std::vector<Block>& blocks, ReportCanvas& canvas,
                  const std::vector<InfoLine>& lines);

// Draws a column title in place of its text (x, width of the cell, baseline).
using TitleDrawer = std::function<void(ReportCanvas&, double x, double width, double baseline)>;

// A column as wide as its widest title or cell, and at least `width`; the flexible column
// takes what the others leave of the text column.
struct TableColumn {
  TableColumn(std::string title, double width, Align align = Align::Left,
              TitleDrawer drawTitle = {}, bool flexible = false)
      : title(std::move(title)),
        width(width),
        align(align),
        drawTitle(std::move(drawTitle)),
        flexible(flexible) {}
  std::string title;
  double width;
  Align align;
  TitleDrawer drawTitle;
  bool flexible;
};

struct TableRow {
  TableRow(std::vector<std::string> cells, bool bold = false,
           std::optional<Colour> swatch = std::nullopt)
      : cells(std::move(cells)), bold(bold), swatch(swatch) {}
  std::vector<std::string> cells;
  bool bold;
  std::optional<Colour> swatch;  // a framed patch of the colour filling the last column's cell
};

// The header row, then one block per row; a row that starts a page repeats the header.
// The columns are sized to their contents, and a cell wider than its column wraps. A
// table without a header row is made of its rows alone.
void AddTable(std::vector<Block>& blocks, ReportCanvas& canvas, std::vector<TableColumn> columns,
              const std::vector<TableRow>& rows, bool withHeader = true);

// The widths of the columns in the text column: each as its contents need, at least its
// own width; the flexible columns take what their contents need when all of it fits and
// share what is left (all columns share it in a table without a flexible one). When the contents
// need more than the text column, the columns give up their surplus over their own width, then all
// shrink alike.
std::vector<double> ColumnWidths(const std::vector<double>& needed,
                                 const std::vector<TableColumn>& columns);

// Baseline of a line of table text in a row whose top is y.
double RowBaseline(double y);

}  // namespace lamivex::report
