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

// A line of the header: `left` fitted into what `right` leaves free.
void HeaderLine(ReportCanvas& canvas, const std::string& left, const Font& leftFont,
                const std::string& right, double baseline) {
  const double rightWidth = right.empty() ? 0.0 : canvas.TextWidth(right, kHeaderFont) + 6.0;
  canvas.Text(canvas.Fit(left, kColumnWidth - rightWidth, leftFont), kLeft, baseline, leftFont,
              Align::Left, leftFont.bold ? kAccent : kInk);
  canvas.Text(right, kRight, baseline, kHeaderFont, Align::Right, kMuted);
}

}  // namespace

void DrawPageFrame(ReportCanvas& canvas, const ReportData& data, int page, int pages) {
  const ReportTexts& t = data.texts;
  const std::string when =
      Joined({t.Date, data.info.LaunchDate}) + "    " + Joined({t.Time, data.info.LaunchTime});
  HeaderLine(canvas, t.SuiteTitle, kSuiteFont, when, kHeaderFirstBaseline);
  const std::string pageText = Joined({t.Page, std::to_string(page), "/", std::to_string(pages)});
  HeaderLine(canvas, t.ReportTitle, kTitleFont, pageText, kHeaderSecondBaseline);
  canvas.Line(kLeft, kHeaderRule, kRight, kHeaderRule, kRuleWidth, kRule);

  canvas.Line(kLeft, kFooterRule, kRight, kFooterRule, kTableRuleWidth, kHairline);
  if (!t.ReportOf.empty()) {
    canvas.Text(Joined({t.ReportOf, std::to_string(pages), t.Pages}), kLeft, kFooterBaseline,
                kFooterFont, Align::Left, kMuted);
  }
  canvas.Text(t.DateVersion, kRight, kFooterBaseline, kFooterFont, Align::Right, kMuted);
}

}  // namespace lamivex::report
