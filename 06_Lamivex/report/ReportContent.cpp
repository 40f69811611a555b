// The report's sections, in order.
#include "ReportContent.h"

#include <algorithm>

#include "ReportCharts.h"
#include "ReportLayout.h"
#include "ReportSections.h"
#include "ReportTables.h"

namespace lamivex::report {
namespace {

constexpr double kMissingNumber = 999999.0;  // what the job reader gives for a missing key

// A value cell: one decimal.
std::string Value(double percent) {
  return OneDecimal(percent);
}

// Two texts joined by two blanks, an empty first one left out.
std::string Joined(const std::string& first, const std::string& second) {
  return first.empty() ? second : first + "  " + second;
}

void AddProject(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  const RunInformation& info = data.info;
  std::vector<InfoLine> lines = {{t.ProjectDescription, info.Description},
                                 {t.ProjectReference, info.ProjectReference},
                                 {t.Glazings, info.Glazing}};
  if (!info.NewGlassName.empty()) lines.push_back({t.NewGlassName, info.NewGlassName});
  if (info.NewGlassThickness != kMissingNumber && info.NewGlassThickness > 0.0) {
    lines.push_back({t.NewThickness, ShortNumber(info.NewGlassThickness) + " mm"});
  }
  const size_t first = blocks.size();
  AddInfoLines(blocks, canvas, lines);
  auto draw = blocks[first].draw;
  const std::string bookmark = Or(WithoutColon(t.ProjectDescription), info.ProjectReference);
  blocks[first].draw = [draw, bookmark](ReportCanvas& canvas, double y) {
    canvas.Bookmark(bookmark, 0, y);
    draw(canvas, y);
  };
}

// Each layer's number, kind, product id, name, source file (a column only when a database
// gave one), whether it is turned, and its emissivities.
void AddLayers(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 1, WithoutColon(t.Glazings), false);
  const bool files =
      std::any_of(data.layers.begin(), data.layers.end(),
                  [](const LayerReport& layer) { return !layer.sourceFile.empty(); });
  std::vector<TableColumn> columns = {{"#", 10.0, Align::Center},
                                      {"", 18.0},
                                      {"Id", 14.0, Align::Right},
                                      {"", 40.0, Align::Left, {}, true}};
  if (files) columns.push_back({t.ImportedFrom, 30.0});
  columns.insert(columns.end(), {{"", 14.0, Align::Center, DrawTurnedTitle},
                                 {"Emn1 (%)", 17.0, Align::Right},
                                 {"Emn2 (%)", 17.0, Align::Right}});
  std::vector<TableRow> rows;
  for (const LayerReport& layer : data.layers) {
    std::vector<std::string> cells = {std::to_string(layer.number), KindText(t, layer.kind),
                                      std::to_string(layer.id), layer.name};
    if (files) cells.push_back(layer.sourceFile);
    cells.insert(cells.end(),
                 {layer.turned ? t.Yes : t.No, ShortNumber(layer.emn1), ShortNumber(layer.emn2)});
    rows.push_back({cells});
  }
  AddTable(blocks, canvas, columns, rows);
}

// A table of integrated characteristics: the assembly first, then every layer.
void AddCharacteristics(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data,
                        const std::vector<std::string>& symbols, bool light) {
  std::vector<TableColumn> columns = {
      {"#", 10.0, Align::Center}, {"", 24.0}, {"", 40.0, Align::Left, {}, true}};
  for (const std::string& symbol : symbols) columns.push_back({symbol, 18.0, Align::Right});
  auto row = [](std::vector<std::string> cells, const Characteristics& c) {
    for (double value : {c.T, c.R1, c.A1, c.R2, c.A2}) cells.push_back(Value(value));
    return cells;
  };
  std::vector<TableRow> rows;
  const Characteristics& assembly = light ? data.assemblyLight : data.assemblyEnergy;
  rows.push_back({row({"", data.info.Glazing, ""}, assembly), true});
  for (const LayerReport& layer : data.layers) {
    rows.push_back(
        {row({std::to_string(layer.number), KindText(data.texts, layer.kind), layer.name},
             light ? layer.light : layer.energy)});
  }
  AddTable(blocks, canvas, columns, rows);
}

// The summary's twelve values under the label's twelve titles. A label that does not hold
// exactly twelve titles cannot be matched to the values: it is printed whole above them,
// and the values keep their own short titles.
void AddSummary(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  static const std::vector<std::string> kSymbols = {"Te",   "Re1", "Ae1", "Emn1", "Re2", "Ae2",
                                                    "Emn2", "Tl",  "Rl1", "Al1",  "Rl2", "Al2"};
  const ReportTexts& t = data.texts;
  std::vector<std::string> titles = SplitColumnTitles(t.ResultColumns);
  const bool labelTitles = titles.size() == kSymbols.size();
  AddCaption(blocks, canvas, t.NewCharacteristics, labelTitles ? "" : "(%)",
             {Or(t.NewCharacteristics, "Lamivex.out"), 1}, kBlockGap);
  if (!labelTitles) {
    if (!t.ResultColumns.empty()) AddTextLine(blocks, canvas, t.ResultColumns);
    titles = kSymbols;
  }
  titles.resize(data.summary.size());
  // Columns as wide as their titles, sharing the rest of the line.
  std::vector<TableColumn> columns;
  for (const std::string& title : titles) columns.push_back({title, 10.0, Align::Center});
  AddTable(blocks, canvas, columns, {{data.summary, true}});
}

void AddResults(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 2, t.IntegratedCalculation, false);
  AddCaption(blocks, canvas, t.EnergyCharacteristics, "300 - 2500 nm  (%)",
             {Or(t.EnergyCharacteristics, "Te, Re1, Ae1, Re2, Ae2"), 1}, kBlockGap / 2.0);
  AddCharacteristics(blocks, canvas, data, {"Te", "Re1", "Ae1", "Re2", "Ae2"}, false);
  AddCaption(blocks, canvas, t.LightCharacteristics, "380 - 780 nm  (%)",
             {Or(t.LightCharacteristics, "Tl, Rl1, Al1, Rl2, Al2"), 1}, kBlockGap);
  AddCharacteristics(blocks, canvas, data, {"Tl", "Rl1", "Al1", "Rl2", "Al2"}, true);
  AddSummary(blocks, canvas, data);
}

// The declared values, two to a row, each with its name, symbol, value and unit, then the
// three colours with their swatches: kept together on one page, so that a short stack's
// report holds them on its first page and a longer one moves them whole to the next.
void AddDeclaredValues(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  const DeclaredValues& v = data.declared;
  const size_t first = blocks.size();
  AddSectionTitle(blocks, canvas, 3, Or(t.DeclaredValues, "EN 410"), false);
  std::vector<TableColumn> valueColumns;
  for (int half = 0; half < 2; ++half) {
    valueColumns.insert(
        valueColumns.end(),
        {{"", 40.0, Align::Left, {}, true}, {"", 8.0}, {"", 14.0, Align::Right}, {"", 6.0}});
  }
  const std::vector<TableRow> values = {{{t.SolarFactor, "g", Decimals(v.g, 2), "%",
                                          t.SecondaryHeatTransfer, "qi", Decimals(v.qi, 2), "%"}},
                                        {{t.ShadingCoefficient, "SC", Decimals(v.SC, 3), "",
                                          t.Selectivity, "S", Decimals(v.S, 3), ""}},
                                        {{t.UvTransmittance, "Tuv", Decimals(v.Tuv, 2), "%",
                                          t.ColourRendering, "Ra", Decimals(v.Ra, 2), ""}}};
  AddTable(blocks, canvas, valueColumns, values, false);
  AddCaption(blocks, canvas, t.ColourCaption, "D65  2°  380 - 780 nm",
             {Or(t.ColourCaption, "L* a* b*"), 1}, kBlockGap);
  AddTable(blocks, canvas, ColourColumns(t),
           ColourRows(t, v.transmitted, v.reflected1, v.reflected2));
  KeepTogether(blocks, first);
}

std::vector<std::pair<double, double>> Series(const std::vector<SpectrumRecord>& spectrum,
                                              double SpectrumRecord::*value) {
  std::vector<std::pair<double, double>> series;
  series.reserve(spectrum.size());
  for (const SpectrumRecord& record : spectrum) series.emplace_back(record.lambda, record.*value);
  return series;
}

// The layers' transmittance curves, kCurvesPerChart to a chart; with more than one chart,
// each caption and bookmark names its layers' numbers.
void AddLayerCharts(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  const size_t count = data.layers.size();
  for (size_t first = 0; first < count; first += kCurvesPerChart) {
    const size_t end = std::min(count, first + kCurvesPerChart);
    const std::string range = std::to_string(first + 1) + " - " + std::to_string(end);
    const std::string title = count > kCurvesPerChart ? Joined(WithoutColon(t.Glazings), range)
                                                      : WithoutColon(t.Glazings);
    AddCaption(blocks, canvas, title, "T  (%)", {"T " + range, 1}, 2.0 * kBlockGap);
    std::vector<ChartCurve> curves;
    for (size_t k = first; k < end; ++k) {
      const LayerReport& layer = data.layers[k];
      ChartCurve curve = CurveStyle(static_cast<int>(k - first));
      curve.legend =
          std::to_string(layer.number) + "  " + KindText(t, layer.kind) + "  " + layer.name;
      curve.values = Series(layer.spectrum, &SpectrumRecord::t);
      curves.push_back(std::move(curve));
    }
    AddChart(blocks, canvas, curves);
  }
}

void AddCharts(std::vector<Block>& blocks, ReportCanvas& canvas, const ReportData& data) {
  const ReportTexts& t = data.texts;
  AddSectionTitle(blocks, canvas, 4, t.SpectralCalculation, false);
  const std::string title = data.info.Glazing.empty() ? "T, R1, R2" : data.info.Glazing;
  AddCaption(blocks, canvas, data.info.Glazing, "T, R1, R2  (%)", {title, 1}, kBlockGap / 2.0);
  std::vector<ChartCurve> assembly;
  const std::pair<const char*, double SpectrumRecord::*> kSeries[] = {
      {"T", &SpectrumRecord::t}, {"R1", &SpectrumRecord::r1}, {"R2", &SpectrumRecord::r2}};
  for (const auto& [name, value] : kSeries) {
    ChartCurve curve = CurveStyle(static_cast<int>(assembly.size()));
    curve.legend = name;
    curve.values = Series(data.assemblySpectrum, value);
    assembly.push_back(std::move(curve));
  }
  AddChart(blocks, canvas, assembly);
  if (data.layers.size() >= 2) AddLayerCharts(blocks, canvas, data);
}

}  // namespace

std::vector<Block> ReportBlocks(const ReportData& data, ReportCanvas& canvas) {
  std::vector<Block> blocks;
  AddProject(blocks, canvas, data);
  AddLayers(blocks, canvas, data);
  AddResults(blocks, canvas, data);
  AddDeclaredValues(blocks, canvas, data);
  AddCharts(blocks, canvas, data);
  return blocks;
}

}  // namespace lamivex::report
