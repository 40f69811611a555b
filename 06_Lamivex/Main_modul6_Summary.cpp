// The summary Lamivex.out: one record of the characteristics of the element the
// run produces, and the record writer behind it.
#include <cmath>
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "Interpolation.h"
#include "Main_modul6.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

// Whole percent, halves to the even neighbour (the default rounding mode).
double RoundPercent(double value) {
  return std::nearbyint(value);
}

std::string RecordField(const RecordValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return "\"" + *text + "\"";
  return FormatRunNumber(std::get<double>(value));
}

}  // namespace

std::vector<RecordValue> SummaryValues(const LamivexRun& run) {
  const double te = RoundPercent(run.SummaryTe);
  const double re1 = RoundPercent(run.SummaryRe1);
  const double re2 = RoundPercent(run.SummaryRe2);
  const double tl = RoundPercent(run.SummaryTl);
  const double rl1 = RoundPercent(run.SummaryRl1);
  const double rl2 = RoundPercent(run.SummaryRl2);
  const int last = run.NumberGlass >= 1 && run.NumberGlass < kLayerSlots ? run.NumberGlass : 0;
  return {std::string("Caractéristiques de l'élément sortant"),
          te,
          re1,
          100.0 - te - re1,
          run.GlassEmn1[1],
          re2,
          100.0 - te - re2,
          run.GlassEmn2[last],
          tl,
          rl1,
          100.0 - tl - rl1,
          rl2,
          100.0 - tl - rl2};
}

std::string RecordLine(const std::vector<RecordValue>& values, int16_t count) {
  std::string line;
  for (int n = 0; n < count; ++n) {
    if (n > 0) line += ',';
    line += RecordField(values[n]);
  }
  return line;
}

// The summary is the run's result: a summary that cannot be written ends the
// run with an error instead of leaving it missing without a word.
void WriteSummary(LamivexRun& run, const std::string& fileName) {
  const std::string path = run.TempFolder() + fileName;
  DeleteIfPresent(path);
  if (!WriteRecord(path, SummaryValues(run), 13)) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be written!");
  }
}

// Appends one comma-separated record. A count outside 1..13 (or beyond the values
// given) writes nothing, says so, and gives false; so does a failing write,
// without a message.
bool WriteRecord(const std::string& path, const std::vector<RecordValue>& values, int16_t count) {
  if (count < 1 || count > 13 || static_cast<size_t>(count) > values.size()) {
    ShowMessage("SM5.2", "PROBLEME D'ECRITURE DU FICHIER");
    return false;
  }
  try {
    WriteTextLines(path, {RecordLine(values, count)}, true);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace lamivex
