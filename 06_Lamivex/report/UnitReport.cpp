// The report of a glazing unit: its composition, the unit's and each pane's values, and
// their spectral charts.
#include "UnitReport.h"

#include <cmath>

#include "Report.h"
#include "ReportCharts.h"
#include "ReportLayout.h"
#include "ReportSections.h"
#include "ReportTables.h"

namespace lamivex::report {
namespace {

// "Pane 2", or without labels "#2".
std::string PaneName(const ReportTexts& t, size_t p) {
  return (t.Pane.empty() ? "#" : t.Pane + " ") + std::to_string(p + 1);
}

// A thickness or an emissivity to at most two decimals: 29.48, 16, 0.76.
std::string Short(double value) {
  return ShortNumber(std::round(value * 100.0) / 100.0);
}

std::string UnitName(const UnitReportData& data) {
  return Or(data.texts.Unit, data.info.Glazing);
}

std::string GasName(const ReportTexts& t, glazing::Gas gas) {
  const std::string name(glazing::GasName(gas));
  switch (gas) {
    case glazing::Gas::Air:
      return Or(t.Air, name);
    case glazing::Gas::Argon:
      return Or(t.Argon, name);
    case glazing::Gas::Krypton:
      return Or(t.Krypton, name);
    case glazing::Gas::Xenon:
      return Or(t.Xenon, name);
  }
  return name;
}

// "Gap 1  Argon 90 %, Air 10 %", or "Gap 1  Air".
std::string GapText(const ReportTexts& t, const glazing::ThermalGap& gap, size_t g) {
  const glazing::GasFilling& filling = gap.filling;
  std::string text =
      (t.Gap.empty() ? "" : t.Gap + " ") + std::to_string(g + 1) + "  " + GasName(t, filling.gas);
  if (filling.gas == glazing::Gas::Air) return text;
  text += " " + ShortNumber(filling.percent) + " %";
  if (filling.percent < 100.0) {
    text +=
        ", " + GasName(t, glazing::Gas::Air) + " " + ShortNumber(100.0 - filling.percent) + " %";
  }
  return text;
}

void AddProject(std::vector<Block>& blocks, ReportCanvas& canvas, const UnitReportData& data) {
  const ReportTexts& t = data.texts;
  const size_t first = blocks.size();
  AddInfoLines(blocks, canvas,
               {{t.ProjectDescription, data.info.Description}, {t.Glazings, data.info.Glazing}});
  auto draw = blocks[first].draw;
  const std::string bookmark = Or(WithoutColon(t.ProjectDescription), data.info.Glazing);
  blocks[first].draw = [draw, bookmark](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark, 0, y);
    draw(canvas, y);
  };
}

// The unit and its whole thickness, then each pane with its layers, and the gaps between.
void AddComposition(std::vector<Block>& blocks, ReportCanvas& canvas, const UnitReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 1, Or(t.UnitComposition, UnitName(data)), false);
  const std::vector<TableColumn> columns = {{"#", 10.0, Align::Center},
                                            {"", 18.0},
                                            {"Id", 14.0, Align::Right},
                                            {"", 40.0, Align::Left, {}, true},
                                            {"", 14.0, Align::Center, DrawTurnedTitle},
                                            {"Emn1 (%)", 17.0, Align::Right},
                                            {"Emn2 (%)", 17.0, Align::Right},
                                            {Or(t.Thickness, "mm"), 18.0, Align::Right}};
  double total = 0.0;
  for (const UnitPaneReport& pane : data.panes) total += pane.thicknessMm;
  for (const glazing::ThermalGap& gap : data.gaps) total += gap.widthMm;
  std::vector<TableRow> rows = {{{"", UnitName(data), "", "", "", "", "", Short(total)}, true}};
  for (size_t p = 0; p < data.panes.size(); ++p) {
    const UnitPaneReport& pane = data.panes[p];
    rows.push_back(
        {{std::to_string(p + 1), PaneName(t, p), "", "", "", "", "", Short(pane.thicknessMm)},
         true});
    for (size_t k = 0; k < pane.layers.size(); ++k) {
      const JobLayer& layer = pane.layers[k];
      rows.push_back({{std::to_string(p + 1) + "." + std::to_string(k + 1), KindText(t, layer.kind),
                       std::to_string(layer.id), layer.name, layer.turned ? t.Yes : t.No,
                       Short(layer.emn1), Short(layer.emn2), ""}});
    }
    if (p < data.gaps.size()) {
      rows.push_back(
          {{"", GapText(t, data.gaps[p], p), "", "", "", "", "", Short(data.gaps[p].widthMm)}});
    }
  }
  AddTable(blocks, canvas, columns, rows);
}

// The rows of a values table: the unit's in bold, then each pane's.
template <typename Cells>
std::vector<TableRow> UnitAndPaneRows(const UnitReportData& data, const Cells& cells) {
  std::vector<TableRow> rows = {{cells(UnitName(data), data.unit, true), true}};
  for (size_t p = 0; p < data.panes.size(); ++p) {
    rows.push_back({cells(PaneName(data.texts, p), data.panes[p].values, false)});
  }
  return rows;
}

void AddCharacteristics(std::vector<Block>& blocks, ReportCanvas& canvas,
                        const UnitReportData& data, const std::vector<std::string>& symbols,
                        Characteristics GlazingValues::*which) {
  std::vector<TableColumn> columns = {{"", 40.0, Align::Left, {}, true}};
  for (const std::string& symbol : symbols) columns.push_back({symbol, 18.0, Align::Right});
  const auto cells = [which](const std::string& name, const GlazingValues& v, bool) {
    std::vector<std::string> row = {name};
    const Characteristics& c = v.*which;
    for (double value : {c.T, c.R1, c.A1, c.R2, c.A2}) row.push_back(OneDecimal(value));
    return row;
  };
  AddTable(blocks, canvas, columns, UnitAndPaneRows(data, cells));
}

void AddResults(std::vector<Block>& blocks, ReportCanvas& canvas, const UnitReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 2, t.IntegratedCalculation, false);
  AddCaption(blocks, canvas, t.EnergyCharacteristics, "300 - 2500 nm  (%)",
             {Or(t.EnergyCharacteristics, "Te, Re1, Ae1, Re2, Ae2"), 1}, kBlockGap / 2.0);
  AddCharacteristics(blocks, canvas, data, {"Te", "Re1", "Ae1", "Re2", "Ae2"},
                     &GlazingValues::energy);
  AddCaption(blocks, canvas, t.LightCharacteristics, "380 - 780 nm  (%)",
             {Or(t.LightCharacteristics, "Tl, Rl1, Al1, Rl2, Al2"), 1}, kBlockGap);
  AddCharacteristics(blocks, canvas, data, {"Tl", "Rl1", "Al1", "Rl2", "Al2"},
                     &GlazingValues::light);
}

// What the symbols of the declared values stand for, two to a row.
void AddSymbols(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportTexts& t) {
  const std::vector<std::string> cells = {"g",  t.SolarFactor,     "SC",  t.ShadingCoefficient,
                                          "S",  t.Selectivity,     "Tuv", t.UvTransmittance,
                                          "Ra", t.ColourRendering, "U",   t.ThermalTransmittance};
  if (t.SolarFactor.empty()) return;  // no labels: the symbols stand alone
  std::vector<TableRow> rows;
  for (size_t i = 0; i < cells.size(); i += 4)
    rows.push_back({{cells.begin() + i, cells.begin() + i + 4}});
  const std::vector<TableColumn> columns = {
      {"", 10.0}, {"", 40.0, Align::Left, {}, true}, {"", 10.0}, {"", 40.0, Align::Left, {}, true}};
  AddTable(blocks, canvas, columns, rows, false);
}

// g, SC, S, Tuv, Ra of the unit and of each pane, the unit's U, what each symbol stands
// for; then the colours of the unit and of each pane. Each table kept whole on a page.
void AddDeclaredValues(std::vector<Block>& blocks, ReportCanvas& canvas,
                       const UnitReportData& data) {
  const ReportTexts& t = data.texts;
  size_t first = blocks.size();
  AddSectionTitle(blocks, canvas, 3, Or(t.DeclaredValues, "EN 410"), false);
  std::vector<TableColumn> columns = {{"", 40.0, Align::Left, {}, true}};
  for (const char* title : {"g (%)", "SC", "S", "Tuv (%)", "Ra", "U (W/(m²K))"}) {
    columns.push_back({title, 18.0, Align::Right});
  }
  const std::string u = data.u ? Decimals(*data.u, 2) : "";
  const auto cells = [&u](const std::string& name, const GlazingValues& v, bool unit) {
    return std::vector<std::string>{name,
                                    Decimals(v.g, 2),
                                    Decimals(v.SC, 3),
                                    Decimals(v.S, 3),
                                    Decimals(v.Tuv, 2),
                                    Decimals(v.Ra, 2),
                                    unit ? u : ""};
  };
  AddTable(blocks, canvas, columns, UnitAndPaneRows(data, cells));
  AddSymbols(blocks, canvas, t);
  KeepTogether(blocks, first);

  first = blocks.size();
  AddCaption(blocks, canvas, t.ColourCaption, "D65  2°  380 - 780 nm",
             {Or(t.ColourCaption, "L* a* b*"), 1}, kBlockGap);
  std::vector<TableRow> rows = ColourRows(t, data.unit.transmitted, data.unit.reflected1,
                                          data.unit.reflected2, {UnitName(data)}, true);
  for (size_t p = 0; p < data.panes.size(); ++p) {
    const GlazingValues& v = data.panes[p].values;
    for (TableRow& row :
         ColourRows(t, v.transmitted, v.reflected1, v.reflected2, {PaneName(t, p)})) {
      rows.push_back(std::move(row));
    }
  }
  AddTable(blocks, canvas, ColourColumns(t, {{"", 30.0}}), rows);
  KeepTogether(blocks, first);
}

// One of a spectrum's curves in percent against the wavelength.
std::vector<std::pair<double, double>> Series(
    const std::array<double, glazing::kGridPoints>& values) {
  std::vector<std::pair<double, double>> series;
  for (size_t i = 0; i < values.size(); ++i) {
    series.emplace_back(glazing::kGridStart + glazing::kGridStep * static_cast<double>(i),
                        100.0 * values[i]);
  }
  return series;
}

ChartCurve Curve(int n, std::string legend,
                 const std::array<double, glazing::kGridPoints>& values) {
  ChartCurve curve = CurveStyle(n);
  curve.legend = std::move(legend);
  curve.values = Series(values);
  return curve;
}

// The unit's T, R1 and R2 and the transmittance of each pane, named by its layers, in one
// chart: how the panes make the unit.
void AddSpectralChart(std::vector<Block>& blocks, ReportCanvas& canvas,
                      const UnitReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 4, t.SpectralCalculation, false);
  const std::string title = Or(data.info.Glazing, UnitName(data));
  AddCaption(blocks, canvas, title, "T, R1, R2  (%)", {title, 1}, kBlockGap / 2.0);
  std::vector<ChartCurve> curves = {Curve(0, "T", data.spectrum.T),
                                    Curve(1, "R1", data.spectrum.R1),
                                    Curve(2, "R2", data.spectrum.R2)};
  for (size_t p = 0; p < data.panes.size(); ++p) {
    std::string names;
    for (const JobLayer& layer : data.panes[p].layers) {
      names += (names.empty() ? "" : " / ") + layer.name;
    }
    curves.push_back(Curve(static_cast<int>(curves.size()), "T  " + PaneName(t, p) + ": " + names,
                           data.panes[p].spectrum.T));
  }
  AddChart(blocks, canvas, curves);
}

std::vector<Block> UnitReportBlocks(const UnitReportData& data, ReportCanvas& canvas) {
  std::vector<Block> blocks;
  AddProject(blocks, canvas, data);
  AddComposition(blocks, canvas, data);
  AddResults(blocks, canvas, data);
  AddDeclaredValues(blocks, canvas, data);
  AddSpectralChart(blocks, canvas, data);
  return blocks;
}

}  // namespace

void WriteUnitReport(const UnitReportData& data, const std::string& configFolder,
                     const std::string& path) {
  WriteDocument(
      {data.texts, data.info, Or(data.texts.UnitReportTitle, data.texts.ReportTitle)},
      [&data](ReportCanvas& canvas) { return UnitReportBlocks(data, canvas); }, configFolder, path);
}

}  // namespace lamivex::report
