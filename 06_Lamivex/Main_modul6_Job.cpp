// The job file beyond its keyed readers: the layer table, the face-inversion list and
// the run information held for the report.
#include "Main_modul6.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t comma = text.find(','); comma != std::string::npos; comma = text.find(',', start)) {
    pieces.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string WithoutQuotes(std::string text) {
  std::erase(text, '"');
  return text;
}

[[noreturn]] void BadJob(const std::string& text) {
  throw RunError(kExitBadJob, "SM5.2", text);
}

double LayerField(const std::vector<std::string>& fields, size_t index, int k, size_t lineNumber) {
  static const char* const kFieldNames[] = {"kind", "product id", "Emn1", "Emn2"};
  const std::string field = TrimBlanks(fields[index]);
  double value = 0.0;
  if (!ParseNumber(field, value)) {
    BadJob("Error: the " + std::string(kFieldNames[index]) + " of layer " + std::to_string(k) +
           " (line " + std::to_string(lineNumber) + " of the job file) is not a number: \"" +
           field + "\"");
  }
  return value;
}

// An emissivity is a normal emissivity in percent: outside 0..100 the job is refused; a
// value between 0 and 1 was most likely written as a fraction, which the run cannot tell
// from a very low emissivity in percent, so it runs and says so.
double Emissivity(const std::vector<std::string>& fields, size_t index, int k, size_t lineNumber) {
  const double value = LayerField(fields, index, k, lineNumber);
  const std::string where = (index == 2 ? "Emn1" : "Emn2") + std::string(" of layer ") +
                            std::to_string(k) + " (line " + std::to_string(lineNumber) +
                            " of the job file) is " + TrimBlanks(fields[index]);
  if (value < 0.0 || value > 100.0) {
    BadJob("Error: the " + where + "; an emissivity is in percent, from 0 to 100!");
  }
  if (value > 0.0 && value < 1.0) {
    ShowMessage("SM5.2", "Warning: the " + where +
                             "; emissivities are in percent (84 for 0.84), the run goes on with " +
                             TrimBlanks(fields[index]) + " %.");
  }
  return value;
}

std::string Text(const KeyValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::string();
}

// A missing job file gives the empty text, which counts as 0.
double Number(const KeyValue& value) {
  if (const auto* number = std::get_if<double>(&value)) return *number;
  return LeadingNumber(std::get<std::string>(value));
}

}  // namespace

void ReadLayerTable(LamivexRun& run, const std::string& jobPath) {
  ReadLayerTable(run, KeyedFile{jobPath, true, ReadTextLines(jobPath)});
}

void ReadLayerTable(LamivexRun& run, const KeyedFile& job) {
  const std::vector<std::string>& lines = job.lines;
  for (int k = 1; k <= run.NumberGlass; ++k) {
    const size_t lineNumber = static_cast<size_t>(k) + 2;  // two lines are skipped
    if (lineNumber > lines.size()) {
      BadJob("Error: the job file has no line for layer " + std::to_string(k) + " (line " +
             std::to_string(lineNumber) + ")!");
    }
    const std::vector<std::string> fields = SplitAtCommas(lines[lineNumber - 1]);
    if (fields.size() != 4) {
      BadJob("Error: layer " + std::to_string(k) + " (line " + std::to_string(lineNumber) +
             " of the job file) needs four fields (kind, product id, Emn1, Emn2), found " +
             std::to_string(fields.size()) + "!");
    }
    const std::string layer = " of layer " + std::to_string(k);
    run.GlassKind[k] = ToInt16(LayerField(fields, 0, k, lineNumber), "the kind" + layer);
    run.GlassId[k] = ToInt32(LayerField(fields, 1, k, lineNumber), "the product id" + layer);
    run.GlassEmn1[k] = Emissivity(fields, 2, k, lineNumber);
    run.GlassEmn2[k] = Emissivity(fields, 3, k, lineNumber);
  }
}

void ReadInversionList(LamivexRun& run, const std::string& jobPath) {
  ReadInversionList(run, ReadKeyedFile(jobPath));
}

void ReadInversionList(LamivexRun& run, const KeyedFile& job) {
  const std::string key = "Inverse the face glasses";
  if (!job.exists) BadJob("Error: the job file " + job.path + " is not found!");
  // The reader gives the empty text for a missing key; tell that from an empty list.
  if (!KeyPresent(job, key)) BadJob("Error: the key \"" + key + "\" is missing in the job file!");
  const std::vector<std::string> entries =
      SplitAtCommas(WithoutQuotes(Text(ReadKeyText(job, key))));
  if (entries.size() < 10) {
    BadJob("Error: \"" + key + "\" lists " + std::to_string(entries.size()) +
           " flag(s); ten are needed!");
  }
  // Flags are read for the first ten layers only; later layers are never turned.
  for (size_t j = 0; j < 10; ++j) {
    const std::string entry = TrimBlanks(entries[j]);
    double value = 0.0;
    if (!ParseNumber(entry, value)) {
      BadJob("Error: entry " + std::to_string(j + 1) + " of \"" + key + "\" is not a number: \"" +
             entry + "\"");
    }
    run.InverseFace[j] = ToInt16(value, "entry " + std::to_string(j + 1) + " of \"" + key + "\"");
  }
}

void ReadRunInformation(LamivexRun& run, const std::string& fileName) {
  ReadRunInformation(run, ReadKeyedFile(run.TempFolder() + fileName));
}

void ReadRunInformation(LamivexRun& run, const KeyedFile& f) {
  RunInformation& info = run.Info;
  info.NewGlassThickness = Number(ReadKeyNumber(f, "Ep_Nouveau_verre"));
  info.SuiteVersion40 = Text(ReadKeyText(f, "SM4.0"));
  info.SuiteVersion52 = Text(ReadKeyText(f, "SM5.2"));
  info.LaunchDate = Text(ReadKeyText(f, "Date de lancement du calcul"));
  info.LaunchTime = Text(ReadKeyText(f, "Heure de lancement du calcul"));
  info.Language = Text(ReadKeyText(f, "Langue"));
  info.ProjectReference = Text(ReadKeyText(f, "Projet/Référence"));
  info.Glazing = Text(ReadKeyText(f, "Vitrage"));
  info.Description = Text(ReadKeyText(f, "Description"));
  info.InitialGlassName = Text(ReadKeyText(f, "Nom du verre Ini"));
  info.NewGlassName = Text(ReadKeyText(f, "Nom Nouveau verre"));
  info.Emn1 = Number(ReadKeyNumber(f, "Emn1"));
  info.Emn2 = Number(ReadKeyNumber(f, "Emn2"));
  for (std::string* text : {&info.SuiteVersion40, &info.SuiteVersion52, &info.LaunchDate,
                            &info.LaunchTime, &info.Language, &info.ProjectReference, &info.Glazing,
                            &info.Description, &info.InitialGlassName, &info.NewGlassName}) {
    *text = WithoutQuotes(*text);
  }
}

}  // namespace lamivex
