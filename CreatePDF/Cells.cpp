// Cells: text broken into lines that fit a width, each line drawn with its fill, borders
// and alignment.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "CreatePDF.h"
#include "Encoding.h"

namespace {

bool Has(const std::string& text, char letter) {
  return text.find(letter) != std::string::npos;
}

// Borders of the first and of the following lines of a cell with the given border.
struct LineBorders {
  std::string first, following;
};

LineBorders BordersOfLines(const std::string& border) {
  if (border == "1" || border == "LRTB") return {"LRT", "LR"};
  std::string following = std::string(Has(border, 'L') ? "L" : "") + (Has(border, 'R') ? "R" : "");
  return {following + (Has(border, 'T') ? "T" : ""), following};
}

}  // namespace

// What each character adds to the width of a line, in whole points, when the width is
// rounded to the nearest whole point (halves to even) after every character: the whole
// points of its width at the font size and the thousandths left over. As the line width
// is a whole number, adding these is exact, and it costs much less per character than
// floating-point rounding.
struct CreatePDF::CellWidthSteps {
  const std::array<int32_t, 256>* font;  // the widths and size they were made for
  int16_t size;
  std::array<int64_t, 256> step{};  // whole points, plus one when the rest is above 500
  std::array<bool, 256> half{};     // the rest is exactly 500: rounds to an even width

  CellWidthSteps(const std::array<int32_t, 256>& widths, int16_t fontSize)
      : font(&widths), size(fontSize) {
    for (std::size_t code = 0; code < widths.size(); ++code) {
      const int64_t thousandths = int64_t{fontSize} * widths[code];
      int64_t points = thousandths / 1000;
      int64_t left = thousandths % 1000;
      if (left < 0) left += 1000, points -= 1;  // a negative width in a metrics file
      step[code] = points + (left > 500 ? 1 : 0);
      half[code] = left == 500;
    }
  }

  int64_t Add(int64_t l, char c) const {
    const auto code = static_cast<unsigned char>(c);
    l += step[code];
    if (half[code] && l % 2 != 0) ++l;
    return l;
  }
};

namespace {

// The largest whole line width within a budget, so that the widths compare as integers;
// a budget that is not a number admits no width at all, as a comparison with it would.
int64_t WholeBudget(double budget) {
  if (std::isnan(budget) || budget < -9.0e18) return std::numeric_limits<int64_t>::min();
  if (budget > 9.0e18) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(std::floor(budget));
}

}  // namespace

const CreatePDF::CellWidthSteps& CreatePDF::PDFCellWidthSteps() {
  const auto& widths = PDFCurrentFontWidths();
  if (!cellWidthSteps_ || cellWidthSteps_->font != &widths || cellWidthSteps_->size != FontSize) {
    cellWidthSteps_ = std::make_shared<const CellWidthSteps>(widths, FontSize);
  }
  return *cellWidthSteps_;
}

void CreatePDF::PDFSetBorder(int32_t gBorder) {
  static const char* const kSingle[] = {"0", "1", "T", "B", "L", "R"};
  if (gBorder >= 0 && gBorder <= 5) {
    BorderSpec = kSingle[gBorder];
    return;
  }
  // Other codes combine the digits of the single sides: 45 is "LR", 2345 "LRTB".
  const std::string digits = std::to_string(gBorder);
  BorderSpec.clear();
  if (Has(digits, '4')) BorderSpec += "L";
  if (Has(digits, '5')) BorderSpec += "R";
  if (Has(digits, '2')) BorderSpec += "T";
  if (Has(digits, '3')) BorderSpec += "B";
}

void CreatePDF::PDFSetFill(bool bFill) {
  FillCell = bFill;
}

void CreatePDF::PDFCell(const std::string& text, double x, double y, double w, double h) {
  PDFRequireOpenPage("PDFCell");
  PDFWholeOrNothing([&] { PDFCellLines(text, x, y, w, h); });
}

void CreatePDF::PDFCellLines(const std::string& text, double x, double y, double w, double h) {
  const std::string s = createpdf::ToWindows1252(text);
  if (FontSize == 0) FontSize = 10;
  const CellWidthSteps& steps = PDFCellWidthSteps();
  // The line widths (points at the font size) are compared with this budget.
  const int64_t budget = WholeBudget((w - 2.0 * CellMargin) * 10 / FontSize);
  std::size_t nb = s.size();
  if (nb > 0 && s[nb - 1] == '\n') nb -= (nb > 1 && s[nb - 2] == '\r') ? 2 : 1;

  const std::string border = BorderSpec;
  const LineBorders borders = BordersOfLines(border);
  constexpr std::size_t kNone = std::string::npos;
  std::size_t i = 0, j = 0, sep = kNone;
  int64_t l = 0;  // width of the line so far in whole points, rounded after each character
  int lines = 1;
  auto writeLine = [&](std::size_t from, std::size_t to, double at) {
    BorderSpec = lines >= 2 ? borders.following : borders.first;
    PDFCellLine(std::string_view(s).substr(from, to - from), at, y, w, h);
    y = CurrentY;
  };
  auto nextLine = [&] {
    sep = kNone;
    j = i;
    l = 0;
    ++lines;
  };
  while (i < nb) {
    const char c = s[i];
    if (c == '\n' || (c == '\r' && i + 1 < nb && s[i + 1] == '\n')) {
      // A line feed (LF or CR LF) ends the line; it is not drawn.
      writeLine(j, i, x - CellMargin);
      i += c == '\r' ? 2 : 1;
      nextLine();
      continue;
    }
    if (c == ' ') sep = i;
    l = steps.Add(l, c);
    if (l <= budget) {
      ++i;
      continue;
    }
    if (sep == kNone) {  // one word fills the line: cut it
      if (i == j) ++i;
      writeLine(j, i, x);
    } else {  // break at the last blank, which is not drawn
      writeLine(j, sep, x - CellMargin);
      i = sep + 1;
    }
    nextLine();
  }
  // The bottom border belongs to the last line, whatever the lines before it received.
  std::string last = lines >= 2 ? borders.following : borders.first;
  if (border == "1" || Has(border, 'B')) last += "B";
  BorderSpec = last;
  PDFCellLine(std::string_view(s).substr(j, nb - j), x - CellMargin, y, w, h);
  FontUnderline = false;
  if (Alignment == "FJ") {
    PDFAddLine(PageContent, "0 Tw");
    WordSpacing = 0;
  }
}
