// Header and footer of the report's pages.
#include "ReportPageFrame.h"

#include "ReportLayout.h"

namespace lamivex::report {
namespace {

const Font kSuiteFont{kSuiteTitleSize, true};
const Font kTitleFont{kBodySize};
const Font kHeaderFont{kHeaderSize};
const Font kFooterFont{kFooterSize};

// Words joined by single blanks, the empty ones left out.
std::string Joined(std::initializer_list<std::string> words) {
  std::string text;
  for (const std::string& word : words) {
    if (word.empty()) continue;
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

constexpr int kSmallestFrameSize = 5;  // type a header or footer text may shrink to

// A line of the header or footer: `right` right-aligned at the column's right edge, `left`
// in what it leaves free, made smaller to fit and, past the smallest type, cut with an
// ellipsis (the report title stands whole in the document's title).
void FrameLine(ReportCanvas& canvas, const std::string& left, const Font& leftFont,
               const Colour& leftColour, const std::string& right, const Font& rightFont,
               double baseline) {
  const double rightWidth = right.empty() ? 0.0 : canvas.TextWidth(right, rightFont) + 6.0;
  const double room = kColumnWidth - rightWidth;
  const Font font = canvas.Shrunk(left, room, leftFont, kSmallestFrameSize);
  canvas.Text(canvas.Fit(left, room, font), kLeft, baseline, font, Align::Left, leftColour);
  canvas.Text(right, kRight, baseline, rightFont, Align::Right, kMuted);
}

void HeaderLine(ReportCanvas& canvas, const std::string& left, const Font& leftFont,
                const std::string& right, double baseline) {
  FrameLine(canvas, left, leftFont, leftFont.bold ? kAccent : kInk, right, kHeaderFont, baseline);
}

}  // namespace

void DrawPageFrame(ReportCanvas& canvas, const DocumentFrame& frame, int page, int pages) {
  const ReportTexts& t = frame.texts;
  const std::string when =
      Joined({t.Date, frame.info.LaunchDate}) + "    " + Joined({t.Time, frame.info.LaunchTime});
  HeaderLine(canvas, t.SuiteTitle, kSuiteFont, when, kHeaderFirstBaseline);
  const std::string pageText = Joined({t.Page, std::to_string(page), "/", std::to_string(pages)});
  HeaderLine(canvas, frame.title, kTitleFont, pageText, kHeaderSecondBaseline);
  canvas.Line(kLeft, kHeaderRule, kRight, kHeaderRule, kRuleWidth, kRule);

  canvas.Line(kLeft, kFooterRule, kRight, kFooterRule, kTableRuleWidth, kHairline);
  const std::string reportOf =
      t.ReportOf.empty() ? std::string() : Joined({t.ReportOf, std::to_string(pages), t.Pages});
  FrameLine(canvas, reportOf, kFooterFont, kMuted, t.DateVersion, kFooterFont, kFooterBaseline);
}

}  // namespace lamivex::report
