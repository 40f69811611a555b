// Integrated light characteristics: Tl, Rl1, Al1, Rl2, Al2 over 380 - 780 nm.
#include "Result_Light_Modul6.h"

#include "Calculate_Modul6.h"
#include "Result_Common_Modul6.h"
#include "platform/TextFiles.h"

namespace lamivex {

void WriteLightResultHeader(LamivexRun& run, const std::string& fileName) {
  WriteTextLines(
      run.TempFolder() + fileName,
      {ResultHeaderLine({"      Tl ", "      Rl1", "      Al1", "      Rl2", "      Al2"})});
}

void IntegrateLightResult(LamivexRun& run, const std::string& sourceName,
                          const std::string& targetName) {
  const IntegratedValues values = IntegrateIntoResultFile(run, sourceName, targetName, "380 - 780");
  if (SetsSummary(run, sourceName, kFinalLightFile)) {
    run.SummaryTl = values.T;
    run.SummaryRl1 = values.R1;
    run.SummaryRl2 = values.R2;
  }
}

}  // namespace lamivex
