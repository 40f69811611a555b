// Weighted means of a spectrum file and the lines of the result files.
#include "Result_Common_Modul6.h"

#include "platform/TextFiles.h"

namespace lamivex {

IntegratedValues IntegrateSpectrum(const std::vector<SpectrumRecord>& records) {
  double w = 0.0;
  IntegratedValues sums;
  for (const SpectrumRecord& record : records) {
    w += record.weight;
    sums.T += record.t * record.weight;
    sums.R1 += record.r1 * record.weight;
    sums.R2 += record.r2 * record.weight;
  }
  if (w == 0.0) return sums;
  return {sums.T / w, sums.R1 / w, sums.R2 / w};
}

std::string ResultHeaderLine(const std::vector<std::string>& titles) {
  std::vector<std::string> fields{"Lamda"};
  fields.insert(fields.end(), titles.begin(), titles.end());
  return PrintZones(fields);
}

std::string ResultDataLine(const std::string& rangeLabel, const IntegratedValues& values) {
  const double a1 = 100.0 - values.T - values.R1;
  const double a2 = 100.0 - values.T - values.R2;
  return PrintZones({rangeLabel, FormatRunNumber(values.T), FormatRunNumber(values.R1),
                     FormatRunNumber(a1), FormatRunNumber(values.R2), FormatRunNumber(a2)});
}

bool SetsSummary(const LamivexRun& run, const std::string& sourceName,
                 const std::string& assemblyFile) {
  if (run.NumberGlass == 1) return true;
  return run.NumberGlass > 1 && sourceName == assemblyFile;
}

IntegratedValues IntegrateIntoResultFile(const LamivexRun& run, const std::string& sourceName,
                                         const std::string& targetName,
                                         const std::string& rangeLabel) {
  const IntegratedValues values =
      IntegrateSpectrum(ReadSpectrumFile(run.TempFolder() + sourceName));
  WriteTextLines(run.TempFolder() + targetName, {ResultDataLine(rangeLabel, values)}, true);
  return values;
}

}  // namespace lamivex
