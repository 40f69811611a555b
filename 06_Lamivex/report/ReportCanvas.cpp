// The report's drawing surface over the writer.
#include "ReportCanvas.h"

#include <algorithm>

#include "CreatePDF.h"
#include "ReportText.h"

namespace lamivex::report {
namespace {

constexpr int kUnitMillimetre = 1;
constexpr int kFamilyHelvetica = 0;
constexpr int kStyleItalic = 1, kStyleBold = 2, kStyleBoldItalic = 12;
constexpr int kDrawBorder = 0, kDrawFill = 1;
constexpr int kLineSolid = 0;
constexpr double kMillimetresPerPoint = 25.4 / 72.0;

}  // namespace

ReportCanvas::ReportCanvas(CreatePDF& pdf) : pdf_(pdf) {
  pdf_.PDFSetUnit(kUnitMillimetre);
  pdf_.PDFSetMargins(0, 0, 0, 0);
  pdf_.PDFSetLineStyle(kLineSolid);
}

void ReportCanvas::SelectFont(const Font& font) {
  int style = 0;
  if (font.bold && font.italic) {
    style = kStyleBoldItalic;
  } else if (font.bold) {
    style = kStyleBold;
  } else if (font.italic) {
    style = kStyleItalic;
  }
  pdf_.PDFSetFont(kFamilyHelvetica, static_cast<int16_t>(font.size), style);
}

double ReportCanvas::TextWidth(const std::string& text, const Font& font) {
  SelectFont(font);
  return pdf_.PDFGetStringWidth(text, "", static_cast<int16_t>(font.size)) * kMillimetresPerPoint;
}

std::string ReportCanvas::Fit(const std::string& text, double width, const Font& font) {
  return FitText(text, width, [&](const std::string& t) { return TextWidth(t, font); });
}

std::vector<std::string> ReportCanvas::Wrap(const std::string& text, double width,
                                            const Font& font) {
  return WrapText(text, width, [&](const std::string& t) { return TextWidth(t, font); });
}

Font ReportCanvas::Shrunk(const std::string& text, double width, Font font, int minSize) {
  while (font.size > minSize && TextWidth(text, font) > width) --font.size;
  return font;
}

void ReportCanvas::Text(const std::string& text, double x, double y, const Font& font, Align align,
                        const Colour& colour) {
  if (text.empty()) return;
  if (align != Align::Left) {
    const double width = TextWidth(text, font);
    x -= align == Align::Right ? width : width / 2.0;
  }
  SelectFont(font);
  pdf_.PDFSetTextColor(colour);
  // The writer reads a position of 0 as "the current position"; the report never writes
  // at the page's very edge, so a tiny offset keeps the meaning.
  pdf_.PDFTextOut(text, std::max(x, 0.01), std::max(y, 0.01));
}

void ReportCanvas::Line(double x1, double y1, double x2, double y2, double width,
                        const Colour& colour) {
  pdf_.PDFSetLineWidth(width);
  pdf_.PDFSetLineColor(colour);
  pdf_.PDFDrawLine(x1, y1, x2, y2);
}

void ReportCanvas::FillRectangle(double x1, double y1, double x2, double y2, const Colour& colour) {
  pdf_.PDFSetDrawMode(kDrawFill);
  pdf_.PDFSetDrawColor(colour);
  pdf_.PDFDrawRectangle(x1, y1, x2, y2);
}

void ReportCanvas::FrameRectangle(double x1, double y1, double x2, double y2, double width,
                                  const Colour& colour) {
  pdf_.PDFSetDrawMode(kDrawBorder);
  pdf_.PDFSetLineWidth(width);
  pdf_.PDFSetLineColor(colour);
  pdf_.PDFDrawRectangle(x1, y1, x2, y2);
}

void ReportCanvas::Bookmark(const std::string& title, int level, double y) {
  pdf_.PDFSetBookmark(title, static_cast<int16_t>(level), y);
}

}  // namespace lamivex::report
