// Section titles, captions, project lines and tables.
#include "ReportTables.h"

#include <algorithm>
#include <numeric>

#include "ReportLayout.h"
#include "ReportText.h"

namespace lamivex::report {
namespace {

constexpr double kCellPadding = 1.5;
constexpr double kSectionLineStep = 5.5;  // mm between the lines of a wrapped title
constexpr double kCaptionLineStep = 4.5;
constexpr double kInfoLineStep = 4.0;
constexpr double kTableLineStep = 3.5;
constexpr int kSmallestTableSize = 6;  // type a text line or a header row may shrink to

const Font kSectionFont{kSectionSize, true};
const Font kCaptionFont{kCaptionSize, true};
const Font kNoteFont{kTableSize};
const Font kLabelFont{kBodySize, true};
const Font kValueFont{kBodySize};

// Draws lines of text one under the other, the first baseline at y.
void TextLines(ReportCanvas& canvas, const std::vector<std::string>& lines, double x, double y,
               double step, const Font& font, Align align = Align::Left,
               const Colour& colour = kInk) {
  for (const std::string& line : lines) {
    canvas.Text(line, x, y, font, align, colour);
    y += step;
  }
}

double CellTextX(Align align, double x, double width) {
  switch (align) {
    case Align::Left:
      return x + kCellPadding;
    case Align::Center:
      return x + width / 2.0;
    case Align::Right:
      return x + width - kCellPadding;
  }
  return x;
}

// Width a left-aligned cell may fill: its column and the empty cells after it.
double CellSpan(const std::vector<TableColumn>& columns, const std::vector<std::string>& cells,
                size_t c) {
  double width = columns[c].width;
  if (columns[c].align != Align::Left) return width;
  for (size_t next = c + 1; next < columns.size() && next < cells.size() && cells[next].empty();
       ++next) {
    width += columns[next].width;
  }
  return width;
}

// A row's texts broken into the lines their cells hold.
struct WrappedRow {
  std::vector<std::vector<std::string>> cells;
  double height = kRowHeight;
};

double RowHeight(const std::vector<std::vector<std::string>>& cells) {
  size_t lines = 1;
  for (const auto& cell : cells) lines = std::max(lines, cell.size());
  return kRowHeight + static_cast<double>(lines - 1) * kTableLineStep;
}

WrappedRow WrapRow(ReportCanvas& canvas, const std::vector<TableColumn>& columns,
                   const std::vector<std::string>& cells, const Font& font) {
  WrappedRow row;
  for (size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
    row.cells.push_back(
        canvas.Wrap(cells[c], CellSpan(columns, cells, c) - 2 * kCellPadding, font));
  }
  row.height = RowHeight(row.cells);
  return row;
}

void DrawRow(ReportCanvas& canvas, const std::vector<TableColumn>& columns, const WrappedRow& row,
             double y, const Font& font) {
  double x = kLeft;
  for (size_t c = 0; c < columns.size() && c < row.cells.size(); ++c) {
    TextLines(canvas, row.cells[c], CellTextX(columns[c].align, x, columns[c].width),
              RowBaseline(y), kTableLineStep, font, columns[c].align);
    x += columns[c].width;
  }
}

// The titles' font: smaller for the whole row, down to a limit, while a word of a title is
// wider than its column; what still does not fit wraps.
Font HeaderFont(ReportCanvas& canvas, const std::vector<TableColumn>& columns) {
  Font font{kTableSize, true};
  for (const TableColumn& column : columns) {
    for (const std::string& word : SplitColumnTitles(column.title)) {
      font = canvas.Shrunk(word, column.width - 2 * kCellPadding, font, kSmallestTableSize);
    }
  }
  return font;
}

void DrawHeaderRow(ReportCanvas& canvas, const std::vector<TableColumn>& columns,
                   const WrappedRow& titles, const Font& font, double y) {
  canvas.FillRectangle(kLeft, y, kRight, y + titles.height, kHeaderFill);
  double x = kLeft;
  for (size_t c = 0; c < columns.size(); ++c) {
    const TableColumn& column = columns[c];
    if (column.drawTitle) {
      column.drawTitle(canvas, x, column.width, RowBaseline(y));
    } else {
      TextLines(canvas, titles.cells[c], CellTextX(column.align, x, column.width), RowBaseline(y),
                kTableLineStep, font, column.align);
    }
    x += column.width;
  }
  canvas.Line(kLeft, y + titles.height, kRight, y + titles.height, kTableRuleWidth, kRule);
}

// What each column's contents need: its widest title and cell on one line.
std::vector<double> NeededWidths(ReportCanvas& canvas, const std::vector<TableColumn>& columns,
                                 const std::vector<TableRow>& rows) {
  std::vector<double> needed;
  const Font titleFont{kTableSize, true};
  for (size_t c = 0; c < columns.size(); ++c) {
    double widest = columns[c].drawTitle ? 0.0 : canvas.TextWidth(columns[c].title, titleFont);
    for (const TableRow& row : rows) {
      if (c < row.cells.size() && CellSpan(columns, row.cells, c) == columns[c].width) {
        widest = std::max(widest, canvas.TextWidth(row.cells[c], Font{kTableSize, row.bold}));
      }
    }
    needed.push_back(widest + 2 * kCellPadding);
  }
  return needed;
}

void AddHeaderRow(std::vector<Block>& blocks, ReportCanvas& canvas,
                  const std::vector<TableColumn>& columns, bool keepWithNext) {
  const Font titleFont = HeaderFont(canvas, columns);
  std::vector<std::string> titles;
  for (const TableColumn& column : columns) titles.push_back(column.drawTitle ? "" : column.title);
  const WrappedRow titleRow = WrapRow(canvas, columns, titles, titleFont);
  Block headerBlock;
  headerBlock.height = titleRow.height;
  headerBlock.keepWithNext = keepWithNext;
  headerBlock.draw = [columns, titleRow, titleFont](ReportCanvas& canvas, double y) {
    DrawHeaderRow(canvas, columns, titleRow, titleFont, y);
  };
  blocks.push_back(std::move(headerBlock));
}

// The colour in the cell at x (its left edge) of a row at y, inside the cell's padding and
// framed, so that a white or very light colour still shows its edges.
void DrawSwatch(ReportCanvas& canvas, const Colour& colour, double x, double width, double y,
                double height) {
  const double left = x + kCellPadding, right = x + width - kCellPadding;
  const double top = y + 0.8, bottom = y + height - 0.8;
  canvas.FillRectangle(left, top, right, bottom, colour);
  canvas.FrameRectangle(left, top, right, bottom, kGridWidth, kRule);
}

}  // namespace

double RowBaseline(double y) {
  return y + kRowHeight / 2.0 + 1.0;
}

std::vector<double> ColumnWidths(const std::vector<double>& needed,
                                 const std::vector<TableColumn>& columns) {
  std::vector<double> widths;
  double fixed = 0.0, surplus = 0.0, flexibleLeast = 0.0;
  size_t flexible = 0;
  for (size_t c = 0; c < columns.size(); ++c) {
    const double own = columns[c].width;
    widths.push_back(columns[c].flexible ? own : std::max(own, needed[c]));
    if (columns[c].flexible) {
      ++flexible;
      flexibleLeast += own;
    } else {
      fixed += widths[c];
      surplus += widths[c] - own;
    }
  }
  // Over the text column: each fixed column gives up its share of the excess.
  const double excess = fixed + flexibleLeast - kColumnWidth;
  if (excess > 0.0 && surplus > 0.0) {
    const double given = std::min(1.0, excess / surplus);
    for (size_t c = 0; c < columns.size(); ++c) {
      if (columns[c].flexible) continue;
      fixed -= (widths[c] - columns[c].width) * given;
      widths[c] -= (widths[c] - columns[c].width) * given;
    }
  }
  // The flexible columns take what their contents need when all of it fits, then share the
  // rest alike.
  const double room = kColumnWidth - fixed - flexibleLeast;
  double wanted = 0.0;
  for (size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].flexible) wanted += std::max(0.0, needed[c] - columns[c].width);
  }
  const bool allFit = wanted <= room;
  const double shared = allFit ? room - wanted : room;
  for (size_t c = 0; c < columns.size(); ++c) {
    if (!columns[c].flexible || room <= 0.0) continue;
    if (allFit) widths[c] += std::max(0.0, needed[c] - columns[c].width);
    widths[c] += shared / static_cast<double>(flexible);
  }
  // Even the columns' own widths exceed the text column: all shrink alike. A table without
  // a flexible column shares what is left among all its columns.
  const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
  if (total > kColumnWidth) {
    for (double& width : widths) width *= kColumnWidth / total;
  } else if (flexible == 0 && !widths.empty()) {
    for (double& width : widths)
      width += (kColumnWidth - total) / static_cast<double>(widths.size());
  }
  return widths;
}

void AddSectionTitle(std::vector<Block>& blocks, ReportCanvas& canvas, int number,
                     const std::string& title, bool startsPage) {
  const std::vector<std::string> lines =
      canvas.Wrap(std::to_string(number) + "  " + title, kColumnWidth, kSectionFont);
  const std::string bookmark =
      title.empty() ? std::to_string(number) : std::to_string(number) + " " + title;
  const double extra =
      static_cast<double>(std::max<size_t>(lines.size(), 1) - 1) * kSectionLineStep;
  Block block;
  block.height = kSectionHeight + extra;
  block.spaceBefore = kBlockGap;
  block.keepWithNext = true;
  block.startsPage = startsPage;
  block.draw = [lines, bookmark, extra](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark, 0, y);
    TextLines(canvas, lines, kLeft, y + 5.5, kSectionLineStep, kSectionFont, Align::Left, kAccent);
    canvas.Line(kLeft, y + 7.5 + extra, kRight, y + 7.5 + extra, kTableRuleWidth, kHairline);
  };
  blocks.push_back(std::move(block));
}

void AddCaption(std::vector<Block>& blocks, ReportCanvas& canvas, const std::string& title,
                const std::string& note, const Bookmark& bookmark, double spaceBefore) {
  const double noteWidth = note.empty() ? 0.0 : canvas.TextWidth(note, kNoteFont) + 4.0;
  const std::vector<std::string> lines = canvas.Wrap(title, kColumnWidth - noteWidth, kCaptionFont);
  Block block;
  block.height = kCaptionHeight +
                 static_cast<double>(std::max<size_t>(lines.size(), 1) - 1) * kCaptionLineStep;
  block.spaceBefore = spaceBefore;
  block.keepWithNext = true;
  block.draw = [lines, note, bookmark](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark.title, bookmark.level, y);
    const double baseline = y + 4.5;
    TextLines(canvas, lines, kLeft, baseline, kCaptionLineStep, kCaptionFont);
    canvas.Text(note, kRight, baseline, kNoteFont, Align::Right, kMuted);
  };
  blocks.push_back(std::move(block));
}

void AddTextLine(std::vector<Block>& blocks, ReportCanvas& canvas, const std::string& text) {
  const Font font = canvas.Shrunk(text, kColumnWidth - 2 * kCellPadding, Font{kTableSize, true},
                                  kSmallestTableSize);
  const std::vector<std::string> lines = canvas.Wrap(text, kColumnWidth - 2 * kCellPadding, font);
  Block block;
  block.height = RowHeight({lines});
  block.keepWithNext = true;
  block.draw = [lines, font](ReportCanvas& canvas, double y) {
    TextLines(canvas, lines, kLeft + kCellPadding, RowBaseline(y), kTableLineStep, font);
  };
  blocks.push_back(std::move(block));
}

void AddInfoLines(std::vector<Block>& blocks, ReportCanvas& canvas,
                  const std::vector<InfoLine>& lines) {
  double widestLabel = 0.0;
  for (const InfoLine& line : lines) {
    widestLabel = std::max(widestLabel, canvas.TextWidth(line.label, kLabelFont));
  }
  const double textLeft = kLeft + 4.0;
  const double valueX = textLeft + std::min(widestLabel + 5.0, kColumnWidth / 2.0);
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> label =
        canvas.Wrap(lines[i].label, valueX - textLeft - 2.0, kLabelFont);
    const std::vector<std::string> value =
        canvas.Wrap(lines[i].value, kRight - 2.0 - valueX, kValueFont);
    const size_t count = std::max<size_t>({label.size(), value.size(), 1});
    Block block;
    block.height = kInfoLineHeight + static_cast<double>(count - 1) * kInfoLineStep;
    block.keepWithNext = i + 1 < lines.size();
    block.draw = [label, value, textLeft, valueX, height = block.height](ReportCanvas& canvas,
                                                                         double y) {
      const double baseline = y + kInfoLineHeight / 2.0 + 1.2;
      canvas.FillRectangle(kLeft, y, kRight, y + height, kStripeFill);
      canvas.FillRectangle(kLeft, y, kLeft + 1.0, y + height, kAccent);
      TextLines(canvas, label, textLeft, baseline, kInfoLineStep, kLabelFont);
      TextLines(canvas, value, valueX, baseline, kInfoLineStep, kValueFont);
    };
    blocks.push_back(std::move(block));
  }
}

void AddTable(std::vector<Block>& blocks, ReportCanvas& canvas, std::vector<TableColumn> columns,
              const std::vector<TableRow>& rows, bool withHeader) {
  const std::vector<double> widths = ColumnWidths(NeededWidths(canvas, columns, rows), columns);
  for (size_t c = 0; c < columns.size(); ++c) columns[c].width = widths[c];
  const int header = withHeader ? static_cast<int>(blocks.size()) : -1;
  if (withHeader) AddHeaderRow(blocks, canvas, columns, !rows.empty());
  for (size_t r = 0; r < rows.size(); ++r) {
    const Font font{kTableSize, rows[r].bold};
    const WrappedRow row = WrapRow(canvas, columns, rows[r].cells, font);
    Block block;
    block.height = row.height;
    block.repeatedHeader = header;
    block.keepWithNext = !withHeader && r + 1 < rows.size();
    block.draw = [columns, row, font, striped = r % 2 == 1, swatch = rows[r].swatch](
                     ReportCanvas& canvas, double y) {
      if (striped) canvas.FillRectangle(kLeft, y, kRight, y + row.height, kStripeFill);
      DrawRow(canvas, columns, row, y, font);
      if (swatch) {
        const double width = columns.back().width;
        DrawSwatch(canvas, *swatch, kRight - width, width, y, row.height);
      }
      canvas.Line(kLeft, y + row.height, kRight, y + row.height, kGridWidth, kHairline);
    };
    blocks.push_back(std::move(block));
  }
}

}  // namespace lamivex::report
