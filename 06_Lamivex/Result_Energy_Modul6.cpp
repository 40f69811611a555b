// Integrated solar characteristics: Te, Re1, Ae1, Re2, Ae2 over 300 - 2500 nm.
#include "Result_Energy_Modul6.h"

#include "Calculate_Modul6.h"
#include "Interpolation.h"
#include "Result_Common_Modul6.h"
#include "platform/TextFiles.h"

namespace lamivex {

void WriteEnergyResultHeader(LamivexRun& run, const std::string& fileName) {
  WriteTextLines(
      run.TempFolder() + fileName,
      {ResultHeaderLine({"      Te ", "      Re1", "      Ae1", "      Re2", "      Ae2"})});
}

void IntegrateEnergyResult(LamivexRun& run, const std::string& sourceName,
                           const std::string& targetName) {
  const std::string label = FormatRunNumber(run.LambdaMin) + " - " + FormatRunNumber(run.LambdaMax);
  const IntegratedValues values = IntegrateIntoResultFile(run, sourceName, targetName, label);
  if (SetsSummary(run, sourceName, kFinalEnergyFile)) {
    run.SummaryTe = values.T;
    run.SummaryRe1 = values.R1;
    run.SummaryRe2 = values.R2;
  }
}

}  // namespace lamivex
