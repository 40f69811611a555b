#include "UnitRows.h"

#include <cctype>
#include <stdexcept>

#include "Main_modul6.h"

namespace lamivex::batch {
namespace {

bool IsGap(const std::string& token) {
  if (token.size() < 4 || token[3] != ':') return false;
  for (size_t i = 0; i < 3; ++i) {
    if (std::tolower(static_cast<unsigned char>(token[i])) != "gap"[i]) return false;
  }
  return true;
}

std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ':') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// A number from the row in (low, high], or with `lowIncluded` in [low, high].
double Bounded(const std::string& text, double low, double high, bool lowIncluded,
               const std::string& reason) {
  double value = 0;
  if (!ParseNumber(text, value) || value > high || value < low || (!lowIncluded && value == low))
    throw std::invalid_argument("\"" + text + "\" " + reason);
  return value;
}

}  // namespace

glazing::ThermalGap ParseGap(const std::string& token) {
  const std::vector<std::string> fields = Fields(token);
  if (fields.size() < 2 || fields.size() > 4) {
    throw std::invalid_argument("write a gap as gap:WIDTH[:GAS[:PERCENT]] (gap:16:argon:90)");
  }
  glazing::ThermalGap gap;
  gap.widthMm =
      Bounded(fields[1], 0.0, 100.0, false, "is not a gap width above 0 and up to 100 mm");
  if (fields.size() > 2) {
    std::string name = fields[2];
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::optional<glazing::Gas> gas = glazing::GasNamed(name);
    if (!gas)
      throw std::invalid_argument("unknown gas \"" + fields[2] +
                                  "\" (air, argon, krypton or xenon)");
    gap.filling.gas = *gas;
  }
  if (fields.size() > 3) {
    gap.filling.percent =
        Bounded(fields[3], 0.0, 100.0, true, "is not a gas share from 0 to 100 (percent)");
  }
  return gap;
}

PaneTokens SplitAtGaps(const std::vector<std::string>& tokens) {
  PaneTokens parts;
  parts.panes.emplace_back();
  for (size_t k = 0; k < tokens.size(); ++k) {
    if (!IsGap(tokens[k])) {
      parts.panes.back().push_back(tokens[k]);
      continue;
    }
    const std::string where = "layer " + std::to_string(k + 1) + " \"" + tokens[k] + "\": ";
    if (k == 0 || k + 1 == tokens.size())
      throw std::invalid_argument(
          where + "a gap at either end of the layers; a gap lies between two panes");
    if (IsGap(tokens[k + 1]))
      throw std::invalid_argument(where + "two gaps in a row; a pane lies between two gaps");
    try {
      parts.gaps.push_back(ParseGap(tokens[k]));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument(where + e.what());
    }
    parts.panes.emplace_back();
  }
  if (parts.panes.size() > kMaxPanes) {
    throw std::invalid_argument(std::to_string(parts.panes.size()) +
                                " panes; a glazing unit has two or three");
  }
  return parts;
}

std::optional<double> TakeThickness(std::string& token) {
  const size_t close = token.rfind(']');
  const size_t hash = token.find('#', close == std::string::npos ? 0 : close);
  if (hash == std::string::npos) return std::nullopt;
  const size_t end = token.find_first_of("~@", hash);
  const std::string text = token.substr(hash + 1, end == std::string::npos ? end : end - hash - 1);
  token.erase(hash, text.size() + 1);
  return Bounded(text, 0.0, 100.0, false, "is not a thickness above 0 and up to 100 mm");
}

}  // namespace lamivex::batch
