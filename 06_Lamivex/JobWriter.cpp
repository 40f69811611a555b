// The job file writer: every key the run and the report read, in the run's layout.
#include "JobWriter.h"

#include <stdexcept>

#include "Interpolation.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

// The run reads inversion flags for the first ten layers only.
constexpr size_t kInversionFlags = 10;

// A text value in quotes. The readers remove every quote of a value and read one line,
// so quotes and line ends inside the text would change what is read back.
std::string Quoted(const std::string& text) {
  std::string value;
  for (char c : text) {
    if (c == '"') continue;
    value += c == '\r' || c == '\n' ? ' ' : c;
  }
  return "\"" + value + "\"";
}

std::string KeyedLine(const std::string& key, const std::string& value) {
  return "\"" + key + "\", " + value;
}

void CheckLayers(const std::vector<JobLayer>& layers) {
  if (layers.size() > static_cast<size_t>(kMaxLayers)) {
    throw std::invalid_argument(std::to_string(layers.size()) +
                                " layers: a job holds at most 101 layers");
  }
  for (size_t k = kInversionFlags; k < layers.size(); ++k) {
    if (layers[k].turned) {
      throw std::invalid_argument("layer " + std::to_string(k + 1) +
                                  " is turned: only layers 1 to 10 can be turned");
    }
  }
}

std::string InversionList(const std::vector<JobLayer>& layers) {
  std::string flags;
  for (size_t k = 0; k < kInversionFlags; ++k) {
    if (k > 0) flags += ',';
    flags += k < layers.size() && layers[k].turned ? '1' : '0';
  }
  return "\"" + flags + "\"";
}

void AddRunInformation(const RunInformation& info, std::vector<std::string>& lines) {
  lines.push_back(KeyedLine("Ep_Nouveau_verre", FormatRunNumber(info.NewGlassThickness)));
  lines.push_back(KeyedLine("SM4.0", Quoted(info.SuiteVersion40)));
  lines.push_back(KeyedLine("SM5.2", Quoted(info.SuiteVersion52)));
  lines.push_back(KeyedLine("Date de lancement du calcul", Quoted(info.LaunchDate)));
  lines.push_back(KeyedLine("Heure de lancement du calcul", Quoted(info.LaunchTime)));
  lines.push_back(KeyedLine("Projet/Référence", Quoted(info.ProjectReference)));
  lines.push_back(KeyedLine("Vitrage", Quoted(info.Glazing)));
  lines.push_back(KeyedLine("Description", Quoted(info.Description)));
  lines.push_back(KeyedLine("Nom du verre Ini", Quoted(info.InitialGlassName)));
  lines.push_back(KeyedLine("Nom Nouveau verre", Quoted(info.NewGlassName)));
  lines.push_back(KeyedLine("Emn1", FormatRunNumber(info.Emn1)));
  lines.push_back(KeyedLine("Emn2", FormatRunNumber(info.Emn2)));
}

}  // namespace

std::vector<std::string> JobLines(const JobDescription& job) {
  CheckLayers(job.layers);
  std::vector<std::string> lines = {KeyedLine("Number glass", std::to_string(job.layers.size())),
                                    KeyedLine("Langue", Quoted(job.info.Language))};
  for (const JobLayer& layer : job.layers) {
    lines.push_back(std::to_string(layer.kind) + ", " + std::to_string(layer.id) + ", " +
                    FormatRunNumber(layer.emn1) + ", " + FormatRunNumber(layer.emn2));
  }
  lines.push_back(KeyedLine("Inverse the face glasses", InversionList(job.layers)));
  for (size_t k = 0; k < job.layers.size(); ++k) {
    lines.push_back(KeyedLine("glass" + std::to_string(k + 1), Quoted(job.layers[k].name)));
  }
  AddRunInformation(job.info, lines);
  return lines;
}

void WriteJobFile(const std::string& path, const JobDescription& job) {
  WriteTextLines(path, JobLines(job));
}

}  // namespace lamivex
