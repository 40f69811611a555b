#include <gtest/gtest.h>

#include <regex>

#include "ReportFixture.h"
#include "UnitReport.h"

namespace lamivex::report {
namespace {

// Flat spectra and values a reader can follow: pane k has T = 80 - 10 k %, R 8 %.
GlazingValues Values(double t) {
  GlazingValues v;
  v.energy = v.light = {t, 8.0, 92.0 - t, 8.0, 92.0 - t};
  v.g = t + 3.0;
  v.SC = v.g / 87.0;
  v.S = t / v.g;
  v.Tuv = t / 2.0;
  v.Ra = 98.0;
  v.transmitted = {90.0, -1.0, 2.0};
  v.reflected1 = v.reflected2 = {35.0, -0.5, -1.0};
  return v;
}

// A triple unit with long layer names, in every language: nothing off its page or
// overlapping, the labels, the gaps' gases and shares and the unit's U printed.
TEST(UnitReport, PanesGapsAndValuesInEveryLanguage) {
  testing::ReportFolder folder;
  UnitReportData data;
  data.info.Glazing = "Triple krypton argon";
  data.info.LaunchDate = "2024-05-14";
  for (int k = 1; k <= 3; ++k) {
    UnitPaneReport pane{{}, 4.0 + k, Values(80.0 - 10.0 * k), {}};
    for (int layer = 1; layer <= k; ++layer) {
      pane.layers.push_back({static_cast<int16_t>(layer == 2 ? 3 : 1), 1000 + layer, 89, 3.5,
                             layer == 3, "Layer " + std::to_string(layer) + " coated laminated"});
    }
    pane.spectrum.T.fill(0.8 - 0.1 * k);
    data.panes.push_back(pane);
  }
  data.gaps = {{16.0, {glazing::Gas::Krypton, 90.0}}, {12.5, {glazing::Gas::Argon, 100.0}}};
  data.unit = Values(38.4);
  data.u = 0.654;
  for (const char* language : {"Français", "Anglais", "Allemand", "Espagnol"}) {
    SCOPED_TRACE(language);
    data.texts = LoadReportTexts(LAMIVEX_PROGRAM_DIR, language);
    const ReportTexts& t = data.texts;
    const std::string pdf = folder.Temp("unit.pdf");
    WriteUnitReport(data, LAMIVEX_PROGRAM_DIR, pdf);
    const std::vector<std::string> findings = testing::LayoutFindings(testing::PdfWords(pdf));
    EXPECT_TRUE(findings.empty()) << findings.size() << " findings, first: " << findings.front();
    const std::string text = std::regex_replace(
        pdftest::RunCommand("pdftotext -layout -enc UTF-8 '" + pdf + "' -").output,
        std::regex("\\s+"), " ");
    for (const std::string& part :
         {t.UnitReportTitle, t.UnitComposition, t.Thickness, t.ThermalTransmittance,
          t.Unit + " 46.5",  // 5 + 16 + 6 + 12.5 + 7 mm
          t.Gap + " 1 " + t.Krypton + " 90 %, " + t.Air + " 10 % 16",
          t.Gap + " 2 " + t.Argon + " 100 % 12.5", t.Unit + " 41.40 0.476 0.928 19.20 98.00 0.65",
          t.Pane + " 3 53.00 0.609 0.943 25.00 98.00 g " + t.SolarFactor,
          t.Pane + " 3 " + t.Transmitted,
          "3.3 " + t.Glass + " 1003 Layer 3 coated laminated " + t.Yes + " 89 3.5"}) {
      EXPECT_NE(text.find(part), std::string::npos) << "missing: \"" << part << "\"";
    }
  }
}

}  // namespace
}  // namespace lamivex::report
