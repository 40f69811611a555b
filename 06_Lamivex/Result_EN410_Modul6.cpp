// Lamivex_EN410.out: the values the assembly, taken as one pane, is declared with.
#include "Result_EN410_Modul6.h"

#include <utility>

#include "Interpolation.h"
#include "platform/TextFiles.h"

namespace lamivex {

std::vector<std::string> DeclaredValueLines(const glazing::DeclaredValues& v) {
  const std::pair<const char*, double> keyed[] = {
      {"g", v.g},       {"qi", v.qi},     {"SC", v.SC},     {"S", v.S},       {"Tuv", v.Tuv},
      {"Ra", v.Ra},     {"T_L", v.T.L},   {"T_a", v.T.a},   {"T_b", v.T.b},   {"R1_L", v.R1.L},
      {"R1_a", v.R1.a}, {"R1_b", v.R1.b}, {"R2_L", v.R2.L}, {"R2_a", v.R2.a}, {"R2_b", v.R2.b}};
  std::vector<std::string> lines;
  for (const auto& [key, value] : keyed) {
    lines.push_back("\"" + std::string(key) + "\", " + FormatRunNumber(value));
  }
  return lines;
}

void WriteDeclaredValues(LamivexRun& run, const std::string& fileName) {
  WriteTextLines(run.TempFolder() + fileName, DeclaredValueLines(run.Declared));
}

}  // namespace lamivex
