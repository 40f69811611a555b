// A glazing unit's values as its report shows them.
#include "UnitReportOf.h"

#include "ReportFonts.h"
#include "UnitReport.h"
#include "platform/RunError.h"

namespace lamivex::batch {
namespace {

// The columns of a batch row (Te ... Al2, then the declared values in the order of
// kDeclaredKeys) as the report's values.
report::GlazingValues ValuesOf(const std::array<double, kValueCount>& v) {
  report::GlazingValues values;
  values.energy = {v[0], v[1], v[2], v[3], v[4]};
  values.light = {v[5], v[6], v[7], v[8], v[9]};
  values.g = v[10];
  values.SC = v[11];
  values.S = v[12];
  values.Tuv = v[13];
  values.Ra = v[14];
  values.transmitted = {v[15], v[16], v[17]};
  values.reflected1 = {v[18], v[19], v[20]};
  values.reflected2 = {v[21], v[22], v[23]};
  return values;
}

report::UnitReportData ReportDataOf(const Stack& stack,
                                    const std::vector<glazing::PaneSpectrum>& panes,
                                    const glazing::PaneSpectrum& unit,
                                    const BatchSettings& settings, const StackResult& result) {
  report::UnitReportData data;
  data.info.Glazing = stack.name;
  data.info.Description = stack.layersText;
  data.info.LaunchDate = settings.launchDate;
  data.info.LaunchTime = settings.launchTime;
  data.texts = report::LoadReportTexts(settings.programFolder, settings.language);
  for (size_t p = 0; p < stack.panes.size(); ++p) {
    const glazing::ThermalPane& thermal = stack.panes[p].thermal;
    data.panes.push_back({stack.panes[p].layers, thermal.glassMm + thermal.interlayerMm,
                          ValuesOf(result.panes[p].values), panes[p]});
  }
  data.gaps = stack.gaps;
  data.unit = ValuesOf(result.values);
  data.u = result.u;
  data.spectrum = unit;
  return data;
}

}  // namespace

void WriteUnitReportOf(const Stack& stack, const std::vector<glazing::PaneSpectrum>& panes,
                       const glazing::PaneSpectrum& unit, const std::string& folder,
                       const BatchSettings& settings, StackResult& result) {
  std::string failure;
  try {
    report::WriteUnitReport(ReportDataOf(stack, panes, unit, settings, result),
                            report::FontMetricsFolder(settings.programFolder),
                            settings.reportsFolder + "/" + folder + ".pdf");
    return;
  } catch (const RunError& e) {
    result.status = e.Status();
    failure = e.Title() + ": " + e.what();
  } catch (const std::exception& e) {
    result.status = kExitFault;
    failure = std::string("SM5.2: Error: unexpected fault: ") + e.what();
  }
  for (char& c : failure) c = c == '\n' || c == '\r' ? ' ' : c;
  result.message += (result.message.empty() ? "" : " ") + failure;
}

}  // namespace lamivex::batch
