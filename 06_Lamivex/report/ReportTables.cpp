// Section titles, captions, project lines and tables.
#include "ReportTables.h"

#include <algorithm>
#include <memory>

#include "ReportLayout.h"

namespace lamivex::report {
namespace {

constexpr double kCellPadding = 1.5;

const Font kSectionFont{kSectionSize, true};
const Font kCaptionFont{kCaptionSize, true};
const Font kNoteFont{kTableSize};
const Font kLabelFont{kBodySize, true};
const Font kValueFont{kBodySize};

double CellTextX(const TableColumn& column, double x) {
  switch (column.align) {
    case Align::Left:
      return x + kCellPadding;
    case Align::Center:
      return x + column.width / 2.0;
    case Align::Right:
      return x + column.width - kCellPadding;
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

void DrawRow(ReportCanvas& canvas, const std::vector<TableColumn>& columns,
             const std::vector<std::string>& cells, double y, const Font& font) {
  double x = kLeft;
  for (size_t c = 0; c < columns.size() && c < cells.size(); ++c) {
    const double span = CellSpan(columns, cells, c);
    const std::string text = canvas.Fit(cells[c], span - 2 * kCellPadding, font);
    canvas.Text(text, CellTextX(columns[c], x), RowBaseline(y), font, columns[c].align);
    x += columns[c].width;
  }
}

// The titles' font: one point smaller for the whole row when a title is a little too wide.
Font HeaderFont(ReportCanvas& canvas, const std::vector<TableColumn>& columns) {
  Font font{kTableSize, true};
  for (const TableColumn& column : columns) {
    if (canvas.TextWidth(column.title, font) > column.width - 2 * kCellPadding) {
      --font.size;
      break;
    }
  }
  return font;
}

void DrawHeaderRow(ReportCanvas& canvas, const std::vector<TableColumn>& columns, double y) {
  canvas.FillRectangle(kLeft, y, kRight, y + kRowHeight, kHeaderFill);
  const Font font = HeaderFont(canvas, columns);
  double x = kLeft;
  for (const TableColumn& column : columns) {
    if (column.drawTitle) {
      column.drawTitle(canvas, x, column.width, RowBaseline(y));
    } else {
      const std::string text = canvas.Fit(column.title, column.width - 2 * kCellPadding, font);
      canvas.Text(text, CellTextX(column, x), RowBaseline(y), font, column.align);
    }
    x += column.width;
  }
  canvas.Line(kLeft, y + kRowHeight, kRight, y + kRowHeight, kTableRuleWidth, kRule);
}

}  // namespace

double RowBaseline(double y) {
  return y + kRowHeight / 2.0 + 1.0;
}

void AddSectionTitle(std::vector<Block>& blocks, int number, const std::string& title,
                     bool startsPage) {
  const std::string numbered = std::to_string(number) + "  " + title;
  const std::string bookmark =
      title.empty() ? std::to_string(number) : std::to_string(number) + " " + title;
  Block block;
  block.height = kSectionHeight;
  block.spaceBefore = kBlockGap;
  block.keepWithNext = true;
  block.startsPage = startsPage;
  block.draw = [numbered, bookmark](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark, 0, y);
    canvas.Text(canvas.Fit(numbered, kColumnWidth, kSectionFont), kLeft, y + 5.5, kSectionFont,
                Align::Left, kAccent);
    canvas.Line(kLeft, y + 7.5, kRight, y + 7.5, kTableRuleWidth, kHairline);
  };
  blocks.push_back(std::move(block));
}

void AddCaption(std::vector<Block>& blocks, const std::string& title, const std::string& note,
                const Bookmark& bookmark, double spaceBefore) {
  Block block;
  block.height = kCaptionHeight;
  block.spaceBefore = spaceBefore;
  block.keepWithNext = true;
  block.draw = [title, note, bookmark](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark.title, bookmark.level, y);
    const double baseline = y + 4.5;
    const double noteWidth = note.empty() ? 0.0 : canvas.TextWidth(note, kNoteFont) + 4.0;
    canvas.Text(canvas.Fit(title, kColumnWidth - noteWidth, kCaptionFont), kLeft, baseline,
                kCaptionFont);
    canvas.Text(note, kRight, baseline, kNoteFont, Align::Right, kMuted);
  };
  blocks.push_back(std::move(block));
}

void AddInfoLines(std::vector<Block>& blocks, const std::vector<InfoLine>& lines) {
  auto widestLabel = std::make_shared<double>(-1.0);
  for (size_t i = 0; i < lines.size(); ++i) {
    Block block;
    block.height = kInfoLineHeight;
    block.keepWithNext = i + 1 < lines.size();
    block.draw = [lines, widestLabel, line = lines[i]](ReportCanvas& canvas, double y) {
      if (*widestLabel < 0.0) {
        *widestLabel = 0.0;
        for (const InfoLine& l : lines) {
          *widestLabel = std::max(*widestLabel, canvas.TextWidth(l.label, kLabelFont));
        }
      }
      const double textLeft = kLeft + 4.0;
      const double valueX = textLeft + std::min(*widestLabel + 5.0, kColumnWidth / 2.0);
      const double baseline = y + kInfoLineHeight / 2.0 + 1.2;
      canvas.FillRectangle(kLeft, y, kRight, y + kInfoLineHeight, kStripeFill);
      canvas.FillRectangle(kLeft, y, kLeft + 1.0, y + kInfoLineHeight, kAccent);
      canvas.Text(canvas.Fit(line.label, valueX - textLeft - 2.0, kLabelFont), textLeft, baseline,
                  kLabelFont);
      canvas.Text(canvas.Fit(line.value, kRight - 2.0 - valueX, kValueFont), valueX, baseline,
                  kValueFont);
    };
    blocks.push_back(std::move(block));
  }
}

void AddTable(std::vector<Block>& blocks, const std::vector<TableColumn>& columns,
              const std::vector<TableRow>& rows) {
  const int header = static_cast<int>(blocks.size());
  Block headerBlock;
  headerBlock.height = kRowHeight;
  headerBlock.keepWithNext = !rows.empty();
  headerBlock.draw = [columns](ReportCanvas& canvas, double y) {
    DrawHeaderRow(canvas, columns, y);
  };
  blocks.push_back(std::move(headerBlock));
  for (size_t r = 0; r < rows.size(); ++r) {
    Block block;
    block.height = kRowHeight;
    block.repeatedHeader = header;
    block.draw = [columns, row = rows[r], striped = r % 2 == 1](ReportCanvas& canvas, double y) {
      if (striped) canvas.FillRectangle(kLeft, y, kRight, y + kRowHeight, kStripeFill);
      DrawRow(canvas, columns, row.cells, y, Font{kTableSize, row.bold});
      canvas.Line(kLeft, y + kRowHeight, kRight, y + kRowHeight, kGridWidth, kHairline);
    };
    blocks.push_back(std::move(block));
  }
}

}  // namespace lamivex::report
