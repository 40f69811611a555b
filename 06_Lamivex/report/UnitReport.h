// The report of an insulating glazing unit, from values its caller holds in memory: the
// panes and gaps it is made of, each pane's values and the unit's, and their spectra.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "JobWriter.h"
#include "ReportData.h"
#include "glazing/PaneSpectrum.h"
#include "glazing/UnitThermal.h"

namespace lamivex::report {

// The values a pane or the whole unit is declared with: T, R and A in percent, g and Tuv
// in percent, SC and S dimensionless, Ra an index, the three colours.
struct GlazingValues {
  Characteristics energy, light;
  double g = 0.0, SC = 0.0, S = 0.0, Tuv = 0.0, Ra = 0.0;
  CieLab transmitted, reflected1, reflected2;
};

struct UnitPaneReport {
  std::vector<JobLayer> layers;  // outside first
  double thicknessMm = 0.0;
  GlazingValues values;
  glazing::PaneSpectrum spectrum;  // fractions
};

struct UnitReportData {
  RunInformation info;  // the unit's name (Glazing), its layers as written (Description),
                        // the launch date and time
  ReportTexts texts;
  std::vector<UnitPaneReport> panes;      // outside first
  std::vector<glazing::ThermalGap> gaps;  // one between each two panes
  GlazingValues unit;
  std::optional<double> u;         // W/(m²K)
  glazing::PaneSpectrum spectrum;  // the unit's, fractions
};

// Writes the unit's report to `path` with the writer's metrics from `configFolder`, as
// WriteDocument does; reads no file but the metrics.
void WriteUnitReport(const UnitReportData& data, const std::string& configFolder,
                     const std::string& path);

}  // namespace lamivex::report
