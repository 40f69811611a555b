// Pieces shared by the reports.
#include "ReportSections.h"

#include "ReportColour.h"
#include "ReportLayout.h"

namespace lamivex::report {

std::string Or(const std::string& label, const std::string& fallback) {
  return label.empty() ? fallback : label;
}

void KeepTogether(std::vector<Block>& blocks, size_t first) {
  for (size_t i = first; i + 1 < blocks.size(); ++i) blocks[i].keepWithNext = true;
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
