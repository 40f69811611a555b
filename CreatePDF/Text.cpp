// One line of text at a position, optionally rotated and underlined.
#include <algorithm>
#include <cmath>

#include "CreatePDF.h"
#include "Encoding.h"

double CreatePDF::PDFTextHeight() const {
  return FontSize * Scale;
}

// Kept with the opposite sign: the text matrix then turns the text counter-clockwise.
void CreatePDF::PDFSetRotation(double pAngle) {
  Rotation = -pAngle;
}

void CreatePDF::PDFTextOut(const std::string& text, double x, double y) {
  PDFRequireOpenPage("PDFTextOut");
  PDFWholeOrNothing([&] { PDFTextOutEncoded(createpdf::ToWindows1252(text), x, y); });
}

CreatePDF::DrawingState CreatePDF::PDFSaveDrawingState() const {
  return {PageContent.size(), BorderSpec, CurrentX, CurrentY, WordSpacing, Rotation, FontUnderline};
}

void CreatePDF::PDFRestoreDrawingState(const DrawingState& state) {
  PageContent.resize(state.contentSize);
  BorderSpec = state.border;
  CurrentX = state.currentX;
  CurrentY = state.currentY;
  WordSpacing = state.wordSpacing;
  Rotation = state.rotation;
  FontUnderline = state.underline;
}

void CreatePDF::PDFTextOutEncoded(const std::string& text, double x, double y) {
  if (x == 0) x = CurrentX;
  if (y == 0) y = CurrentY;
  if (FontSize == 0) FontSize = 10;
  const double pageHeight = PDFCurrentPageHeight();
  const bool coloured = !TextColorOp.empty();
  if (coloured) PDFAddLine(PageContent, "q " + TextColorOp + " ");
  std::string underline;
  if (FontUnderline) underline = PDFUnderlineOfText(text, x * Scale, y * Scale);
  PDFAddLine(PageContent, "BT");
  if (Rotation != 0) {
    PDFAddLine(PageContent, PDFRotationMatrix(x, y));
    Rotation = 0;
  } else {
    // The left margin is added to unrotated text only.
    PDFAddLine(PageContent, PDFFormatNumber((LeftMargin + x) * Scale) + " " +
                                PDFFormatNumber(pageHeight - y * Scale) + " Td");
  }
  PDFAddLine(PageContent,
             "/F" + std::to_string(PDFFontResource()) + " " + PDFFormatNumber(FontSize) + " Tf");
  PDFAddLine(PageContent, "(" + createpdf::EscapePdfString(text) + ") Tj");
  PDFAddLine(PageContent, "ET");
  if (!underline.empty()) PDFAddLine(PageContent, underline);
  if (coloured) PDFAddLine(PageContent, "Q");
  FontUnderline = false;
  // The width in points is added to a position in user units, as the layout expects.
  CurrentX = x + PDFTextWidth(text, PDFCurrentFontWidths(), FontSize);
  CurrentY = y + FontSize;
}

// "c -s s c X Y Tm" for the angle held in Rotation (3.1416 for pi, as the layout always had).
std::string CreatePDF::PDFRotationMatrix(double x, double y) const {
  const double angle = Rotation * 3.1416 / 180;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return PDFFormatNumber(c, 5) + " " + PDFFormatNumber(-s, 5) + " " + PDFFormatNumber(s, 5) + " " +
         PDFFormatNumber(c, 5) + " " + PDFFormatNumber(x * Scale) + " " +
         PDFFormatNumber(PDFCurrentPageHeight() - y * Scale) + " Tm";
}

// Length of the underline of a text: its width less 3 points, stretched by the word
// spacing of a justified line.
double CreatePDF::PDFUnderlineLength(std::string_view text, double textWidth) const {
  const auto blanks = static_cast<double>(std::count(text.begin(), text.end(), ' '));
  double length = textWidth - 3 + blanks * WordSpacing;
  if (WordSpacing != 0) length -= (blanks + 1) * CellMargin;
  return length;
}

// Rise of the underline above the baseline: the width of "up" in points, in thousandths.
double CreatePDF::PDFUnderlineRise() {
  const double up = std::nearbyint(PDFTextWidth("up", PDFCurrentFontWidths(), FontSize));
  return up / 1000 * FontSize;
}

// "X Y W T re f": a thin filled rectangle whose thickness grows with its length.
std::string CreatePDF::PDFUnderlineRectangle(double x, double y, double w, double length) const {
  return PDFFormatNumber(x) + " " + PDFFormatNumber(y) + " " + PDFFormatNumber(w) + " " +
         PDFFormatNumber(-0.002 * length) + " re f";
}

std::string CreatePDF::PDFUnderlineOfText(const std::string& text, double px, double py) {
  const double length =
      PDFUnderlineLength(text, PDFTextWidth(text, PDFCurrentFontWidths(), FontSize));
  const double x = std::nearbyint(LeftMargin * Scale + px);
  const double y = PDFCurrentPageHeight() - (py - PDFUnderlineRise()) - 2;
  return PDFUnderlineRectangle(x, y, length, length);
}
