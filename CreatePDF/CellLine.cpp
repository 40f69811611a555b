// One line of a cell: colours, the box or its edges, the aligned text and its underline.
#include <algorithm>
#include <cmath>

#include "CreatePDF.h"
#include "Encoding.h"

namespace {

std::string_view WithoutOuterBlanks(std::string_view text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Appends one line of page content from its parts, in place: a cell writes some ten lines
// for every line of text, so no line is assembled in a string of its own first.
void AppendLine(std::string& content, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) content.append(part);
  content.append("\r\n");
}

}  // namespace

// " x1 y1 m x2 y2 l S" and CR LF: one edge between two points in user units.
std::string CreatePDF::PDFCellEdge(double x1, double y1, double x2, double y2) const {
  const double pageHeight = PDFCurrentPageHeight();
  return " " + PDFFormatNumber(x1 * Scale) + " " + PDFFormatNumber(pageHeight - y1 * Scale) +
         " m " + PDFFormatNumber(x2 * Scale) + " " + PDFFormatNumber(pageHeight - y2 * Scale) +
         " l S\r\n";
}

// The path of the box and the edges of the line, by FillCell and BorderSpec; writes the
// line width when edges are drawn.
std::string CreatePDF::PDFCellFrame(double x, double y, double w, double h) {
  std::string path;
  const bool allSides = BorderSpec == "1";
  if (FillCell || allSides) {
    const char* op = FillCell && allSides ? "B" : (FillCell ? "f" : "S");
    path = PDFFormatNumber(x * Scale) + " " + PDFFormatNumber(PDFCurrentPageHeight() - y * Scale) +
           " " + PDFFormatNumber(w * Scale) + " " + PDFFormatNumber(-h * Scale) + " re " + op +
           "\r\n";
  }
  if (BorderSpec != "0" && !allSides) {
    AppendLine(PageContent, {PDFFormatNumber(LineWidth * Scale), " w"});
    auto has = [this](char side) { return BorderSpec.find(side) != std::string::npos; };
    if (has('L')) path += PDFCellEdge(x, y, x, y + h);
    if (has('T')) path += PDFCellEdge(x, y, x + w, y);
    if (has('R')) path += PDFCellEdge(x + w, y, x + w, y + h);
    if (has('B')) path += PDFCellEdge(x, y + h, x + w, y + h);
  }
  return path;
}

// Horizontal offset of the text in points; a justified line also sets the word spacing.
double CreatePDF::PDFCellTextOffset(std::string_view text, double textWidth, double w) {
  if (Alignment.empty()) Alignment = "L";
  if (Alignment == "R") return std::nearbyint(w * Scale - CellMargin - std::nearbyint(textWidth));
  if (Alignment == "C") return std::nearbyint((w * Scale - std::nearbyint(textWidth)) / 2);
  if (Alignment == "FJ") {
    const auto blanks = static_cast<double>(std::count(text.begin(), text.end(), ' '));
    // The cell margin counted once per word can exceed the spare width of a line with
    // many blanks; a negative spacing would then run the words into one another, so such
    // a line keeps its natural spacing.
    WordSpacing =
        std::max(0.0, (w * Scale - (blanks + 1) * CellMargin - textWidth) / std::max(blanks, 1.0));
    AppendLine(PageContent, {PDFFormatNumber(WordSpacing * Scale, 3), " Tw"});
  }
  return 2.0 * CellMargin;
}

void CreatePDF::PDFCellLine(std::string_view text, double x, double y, double w, double h) {
  if (FontSize == 0) FontSize = 10;
  if (!LineColorOp.empty()) AppendLine(PageContent, {WithoutOuterBlanks(LineColorOp)});
  if (!DrawColorOp.empty()) AppendLine(PageContent, {DrawColorOp});
  const std::string frame = PDFCellFrame(x, y, w, h);
  BorderSpec = "0";  // borders apply to one line only
  const double textWidth = PDFTextWidth(text, PDFCurrentFontWidths(), FontSize);
  const double dx = PDFCellTextOffset(text, textWidth, w);
  if (!frame.empty()) AppendLine(PageContent, {frame});
  const double textX = x * Scale + dx;
  const double textY = PDFCurrentPageHeight() - ((y + 0.5 * h) * Scale + 0.3 * FontSize);
  const bool coloured = !TextColorOp.empty();
  if (coloured) {
    AppendLine(PageContent, {"q ", TextColorOp, " "});
    if (FontUnderline) {
      const double length = PDFUnderlineLength(text, textWidth);
      AppendLine(PageContent,
                 {PDFUnderlineRectangle(textX, textY - 3, length - CellMargin, length)});
    }
  }
  CellX = x;
  CellY = y;
  AppendLine(PageContent, {"BT"});
  AppendLine(PageContent,
             {"/F", std::to_string(PDFFontResource()), " ", std::to_string(FontSize), " Tf"});
  AppendLine(PageContent, {PDFFormatNumber(textX), " ", PDFFormatNumber(textY), " Td"});
  PageContent += '(';
  createpdf::AppendEscapedPdfString(PageContent, text);
  AppendLine(PageContent, {") Tj"});
  AppendLine(PageContent, {"ET"});
  if (coloured) AppendLine(PageContent, {"Q"});
  CurrentX = x + w;
  CurrentY = y + h;
}
