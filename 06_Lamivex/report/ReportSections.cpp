// Pieces shared by the reports.
#include "ReportSections.h"

#include "ReportColour.h"
#include "ReportLayout.h"

namespace lamivex::report {

std::string Or(const std::string& label, const std::string& fallback) {
  return label.empty() ? fallback : label;
}

void DrawTurnedTitle(ReportCanvas& canvas, double x, double width, double baseline) {
  const Font font{kTableSize, true};
  const double middle = x + width / 2.0;
  const double y = baseline - 1.0;
  canvas.Text("1", middle - 3.6, baseline, font, Align::Right);
  canvas.Text("2", middle + 3.6, baseline, font, Align::Left);
  canvas.Line(middle - 2.8, y, middle + 2.8, y, kTableRuleWidth, kInk);
  for (double side : {-1.0, 1.0}) {
    const double tip = middle + side * 2.8;
    canvas.Line(tip, y, tip - side * 1.0, y - 0.7, kTableRuleWidth, kInk);
    canvas.Line(tip, y, tip - side * 1.0, y + 0.7, kTableRuleWidth, kInk);
  }
}

void KeepTogether(std::vector<Block>& blocks, size_t first) {
  for (size_t i = first; i < blocks.size(); ++i) blocks[i].keepWithNext = i + 1 < blocks.size();
}

std::vector<TableColumn> ColourColumns(const ReportTexts& texts, std::vector<TableColumn> leading) {
  leading.insert(leading.end(), {{"", 50.0, Align::Left, {}, true},
                                 {"L*", 16.0, Align::Right},
                                 {"a*", 16.0, Align::Right},
                                 {"b*", 16.0, Align::Right},
                                 {texts.Swatch, 26.0, Align::Center}});
  return leading;
}

std::vector<TableRow> ColourRows(const ReportTexts& texts, const CieLab& transmitted,
                                 const CieLab& reflected1, const CieLab& reflected2,
                                 const std::vector<std::string>& leading, bool bold) {
  const std::pair<std::string, const CieLab*> kLights[] = {
      {Or(texts.Transmitted, "T"), &transmitted},
      {Or(texts.ReflectedFace1, "R1"), &reflected1},
      {Or(texts.ReflectedFace2, "R2"), &reflected2}};
  std::vector<TableRow> rows;
  for (const auto& [name, lab] : kLights) {
    std::vector<std::string> cells =
        rows.empty() ? leading : std::vector<std::string>(leading.size());
    cells.insert(cells.end(),
                 {name, Decimals(lab->L, 2), Decimals(lab->a, 2), Decimals(lab->b, 2), ""});
    rows.push_back({cells, bold, SrgbOfLab(lab->L, lab->a, lab->b)});
  }
  return rows;
}

}  // namespace lamivex::report
