// The report's drawing surface: the writer's text, lines and filled rectangles in
// millimetres from the top-left corner, each call setting every state it depends on
// (font, colours, line width), so that no drawing leaks its state into the next.
#pragma once

#include <array>
#include <string>
#include <vector>

class CreatePDF;

namespace lamivex::report {

using Colour = std::array<double, 3>;  // red, green, blue, 0..255

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kInk{33, 37, 41};          // body text
inline constexpr Colour kMuted{108, 117, 125};     // header, footer and axis texts
inline constexpr Colour kAccent{31, 58, 95};       // section titles
inline constexpr Colour kRule{73, 80, 87};         // rules and the chart frame
inline constexpr Colour kHairline{206, 212, 218};  // table and grid lines
inline constexpr Colour kHeaderFill{228, 234, 242};
inline constexpr Colour kStripeFill{246, 248, 251};
inline constexpr Colour kVisibleFill{255, 244, 204};  // the visible range in the charts

enum class Align { Left, Center, Right };

struct Font {
  int size = 9;
  bool bold = false;
  bool italic = false;
};

class ReportCanvas {
 public:
  // Sets millimetres and zero margins, so that a text's x is its distance from the page's
  // left edge.
  explicit ReportCanvas(CreatePDF& pdf);

  // Writes one line of text whose baseline is at y; x is its left end, centre or right end.
  void Text(const std::string& text, double x, double y, const Font& font,
            Align align = Align::Left, const Colour& colour = kInk);
  // Width of the text in millimetres.
  double TextWidth(const std::string& text, const Font& font);
  // The text cut with an ellipsis to the width (millimetres).
  std::string Fit(const std::string& text, double width, const Font& font);
  // The text in lines no wider than the width (millimetres); see WrapText.
  std::vector<std::string> Wrap(const std::string& text, double width, const Font& font);
  // The font made smaller, one point at a time down to minSize, until the text fits the width.
  Font Shrunk(const std::string& text, double width, Font font, int minSize);

  void Line(double x1, double y1, double x2, double y2, double width, const Colour& colour);
  void FillRectangle(double x1, double y1, double x2, double y2, const Colour& colour);
  void FrameRectangle(double x1, double y1, double x2, double y2, double width,
                      const Colour& colour);

  // A bookmark to the height y of the current page.
  void Bookmark(const std::string& title, int level, double y);

  CreatePDF& Writer() { return pdf_; }

 private:
  void SelectFont(const Font& font);
  CreatePDF& pdf_;
};

}  // namespace lamivex::report
