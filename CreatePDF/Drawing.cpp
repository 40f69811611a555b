// Lines and shapes on the current page. Each shape writes its own stroke state
// (dash pattern, colour, width); nothing is cached in the page. A shape's lines are
// assembled apart and appended whole, so a shape that cannot be written (a number
// that is not finite, a page-format slot that does not exist) leaves the page as
// it was.
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "CreatePDF.h"

// The point (x, y) in user units from the top-left corner, written in points from
// the bottom-left corner and followed by the operator, such as " m" or " l".
std::string CreatePDF::PDFPointOp(double x, double y, const char* op) const {
  return PDFFormatNumber(x * Scale) + " " + PDFFormatNumber(PDFCurrentPageHeight() - y * Scale) +
         op;
}

// `c`: one cubic Bezier segment, the three points already in page points.
std::string CreatePDF::PDFArc(double x1, double y1, double x2, double y2, double x3, double y3) {
  return PDFFormatNumber(x1) + " " + PDFFormatNumber(y1) + " " + PDFFormatNumber(x2) + " " +
         PDFFormatNumber(y2) + " " + PDFFormatNumber(x3) + " " + PDFFormatNumber(y3) + " c";
}

std::string CreatePDF::PDFStrokeWidth() const {
  return PDFFormatNumber(LineWidth * Scale);
}

// The stroke epilogue of lines and outlines: stroke colour, then width and `S`.
void CreatePDF::PDFStrokeEpilogue(std::string& shape) {
  PDFAddLine(shape, LineColorOp);
  PDFAddLine(shape, PDFStrokeWidth() + " w S");
}

// Paints a closed path by DrawMode: outline (empty), fill ("D"), fill and outline ("DB").
void CreatePDF::PDFPaintClosedPath(std::string& shape) {
  if (DrawMode.empty()) {
    PDFStrokeEpilogue(shape);
  } else if (DrawMode == "D") {
    PDFAddLine(shape, DrawColorOp);
    PDFAddLine(shape, PDFStrokeWidth() + " w h f");
  } else if (DrawMode == "DB") {
    PDFAddLine(shape, DrawColorOp);
    PDFAddLine(shape, LineColorOp);
    PDFAddLine(shape, PDFStrokeWidth() + " w b");
  } else {
    PDFAddLine(shape, DrawColorOp);
    PDFAddLine(shape, LineColorOp);
    PDFAddLine(shape, PDFStrokeWidth() + " w h f");
  }
}

// One straight segment with its dash line and stroke epilogue.
void CreatePDF::PDFDrawSegment(const char* operation, double x1, double y1, double x2, double y2) {
  PDFRequireOpenPage(operation);
  std::string shape;
  PDFAddLine(shape, LineDash);
  PDFAddLine(shape, PDFPointOp(x1, y1, " m"));
  PDFAddLine(shape, PDFPointOp(x2, y2, " l"));
  PDFStrokeEpilogue(shape);
  PageContent += shape;
}

void CreatePDF::PDFDrawLine(double x1, double y1, double x2, double y2) {
  PDFDrawSegment("PDFDrawLine", x1, y1, x2, y2);
  CurrentX = std::max(x1, x2);
  CurrentY = std::max(y1, y2);
}

// Horizontal and vertical lines make the fill colour follow the line colour: the
// stroking operator RG or G becomes its filling form rg or g.
void CreatePDF::PDFFillColorFromLineColor() {
  if (LineColorOp.ends_with("RG")) {
    DrawColorOp = LineColorOp.substr(0, LineColorOp.size() - 2) + "rg";
  } else if (!LineColorOp.empty()) {
    DrawColorOp = LineColorOp.substr(0, LineColorOp.size() - 1) + "g";
  }
}

void CreatePDF::PDFDrawLineHor(double x, double y, double w) {
  PDFDrawSegment("PDFDrawLineHor", x, y, x + w, y);
  PDFFillColorFromLineColor();
  CurrentX = x + w;
  CurrentY = y;
}

void CreatePDF::PDFDrawLineVer(double x, double y, double h) {
  PDFDrawSegment("PDFDrawLineVer", x, y, x, y + h);
  PDFFillColorFromLineColor();
  CurrentX = x;
  CurrentY = y + h;
}

// A closed polygon: the dash line, a move to the first corner, a line to each of the
// others and back to the first, then the painting lines of the drawing mode.
void CreatePDF::PDFDrawPolygon(std::initializer_list<std::array<double, 2>> corners) {
  std::string shape;
  PDFAddLine(shape, LineDash);
  const std::array<double, 2>& first = *corners.begin();
  PDFAddLine(shape, PDFPointOp(first[0], first[1], " m"));
  for (auto corner = corners.begin() + 1; corner != corners.end(); ++corner) {
    PDFAddLine(shape, PDFPointOp((*corner)[0], (*corner)[1], " l"));
  }
  PDFAddLine(shape, PDFPointOp(first[0], first[1], " l"));
  PDFPaintClosedPath(shape);
  PageContent += shape;
}

void CreatePDF::PDFDrawTriangle(double x1, double y1, double x2, double y2, double x3, double y3) {
  PDFRequireOpenPage("PDFDrawTriangle");
  PDFDrawPolygon({{x3, y3}, {x1, y1}, {x2, y2}});
  CurrentX = x3;
  CurrentY = y3;
}

void CreatePDF::PDFDrawRectangle(double x1, double y1, double x2, double y2,
                                 const std::string& URLLink) {
  PDFRequireOpenPage("PDFDrawRectangle");
  PDFDrawPolygon({{x1, y1}, {x1, y2}, {x2, y2}, {x2, y1}});

  // The link anchor: left edge + 5, half-way down; a flat rectangle gets no link.
  if (x1 != x2 && y1 != y2) {
    const double left = std::min(x1, x2), right = std::max(x1, x2);
    const double top = std::min(y1, y2), bottom = std::max(y1, y2);
    const double length = std::nearbyint(right - 40 * Scale);
    if (!(length >= INT32_MIN && length <= INT32_MAX)) {
      throw std::overflow_error("PDFDrawRectangle: the link width does not fit a 32-bit integer");
    }
    LinkObjectLength = static_cast<int32_t>(length);
    PDFShapeLink(URLLink, "RECTANGLE", std::floor(left + 5), std::floor(top + (bottom - top) / 2));
  }
  CurrentX = x2;
  CurrentY = y2;
}

void CreatePDF::PDFDrawEllipse(double x, double y, double w, double h, const std::string& URLLink) {
  PDFRequireOpenPage("PDFDrawEllipse");
  const double cx = x + w / 2, cy = y + h / 2, rx = w / 2, ry = h / 2;
  // Control offsets with the Bezier constant 0.55.
  const double lx = rx * 11 / 20, ly = ry * 11 / 20;
  const double H = PDFCurrentPageHeight();
  // A point in user units as page points.
  const auto X = [this](double ux) { return ux * Scale; };
  const auto Y = [this, H](double uy) { return H - uy * Scale; };
  std::string shape;
  PDFAddLine(shape, LineDash);
  PDFAddLine(shape, PDFPointOp(x, cy, " m"));
  PDFAddLine(shape, PDFArc(X(x), Y(cy - ly), X(cx - lx), Y(y), X(cx), Y(y)));
  PDFAddLine(shape, PDFArc(X(cx + lx), Y(y), X(x + w), Y(cy - ly), X(x + w), Y(cy)));
  PDFAddLine(shape, PDFArc(X(x + w), Y(cy + ly), X(cx + lx), Y(y + h), X(cx), Y(y + h)));
  PDFAddLine(shape, PDFArc(X(cx - lx), Y(y + h), X(x), Y(cy + ly), X(x), Y(cy)));
  PDFPaintClosedPath(shape);
  PageContent += shape;

  PDFShapeLink(URLLink, "ELLIPSE", std::floor(x - w / 2), std::floor(y + ry - ly));
  CurrentX = x;
  CurrentY = y + h / 2;
}

// Records the link of a rectangle or an ellipse at the anchor (x, y). The link
// operation writes its own operators in white and leaves the caller's text colour
// in force; an empty URLLink records nothing.
void CreatePDF::PDFShapeLink(const std::string& URLLink, const std::string& objectType, double x,
                             double y) {
  LinkObjectText = "LINK";
  LinkObjectType = objectType;
  try {
    PDFLinkObject(URLLink, objectType, x, y);
  } catch (...) {
    LinkObjectType.clear();  // a later text link must not be taken for this shape's
    throw;
  }
  LinkObjectType.clear();
}
