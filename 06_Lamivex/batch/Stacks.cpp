// Reading the rows of the input table into stacks; a row that cannot be understood
// keeps its reason and the other rows go on.
#include "Stacks.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

#include "BatchOutput.h"
#include "Main_modul6.h"
#include "UnitRows.h"
#include "platform/SpectralSchema.h"

namespace lamivex::batch {
namespace {

enum Column { kName, kLayers, kEmn1, kEmn2, kColumnCount };
const char* const kColumnNames[kColumnCount] = {"name", "layers", "emn1", "emn2"};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Position of each known column in the header; -1 for an optional column left out.
std::vector<int> HeaderColumns(const CsvRecord& header) {
  std::vector<int> at(kColumnCount, -1);
  for (size_t i = 0; i < header.fields.size(); ++i) {
    const std::string title = Lowered(Trimmed(header.fields[i]));
    int column = 0;
    while (column < kColumnCount && title != kColumnNames[column]) ++column;
    if (column == kColumnCount) {
      const bool semicolons = title.find(';') != std::string::npos;
      throw InputRefused("line " + std::to_string(header.line) + ": unknown column \"" + title +
                         "\" in the header (known: name, layers, emn1, emn2)" +
                         (semicolons ? "; columns are separated by commas, not semicolons" : ""));
    }
    if (at[column] >= 0) {
      throw InputRefused("line " + std::to_string(header.line) + ": column \"" + title +
                         "\" given twice in the header");
    }
    at[column] = static_cast<int>(i);
  }
  for (int column : {kName, kLayers}) {
    if (at[column] < 0) {
      throw InputRefused("line " + std::to_string(header.line) + ": the header has no column \"" +
                         kColumnNames[column] + "\" (the first line names the columns)");
    }
  }
  return at;
}

int16_t KindOf(const std::string& word) {
  const std::string kind = Lowered(word);
  if (kind == "glass") return 1;
  if (kind == "film") return 2;
  if (kind == "pvb") return 3;
  double value = 0;
  if (ParseNumber(kind, value) && value >= 1 && value <= 32767 &&
      value == static_cast<int>(value)) {
    return static_cast<int16_t>(value);
  }
  throw std::invalid_argument("unknown kind \"" + word +
                              "\" (glass, film, pvb or a whole number from 1 to 32767)");
}

// The product of a name in brackets: exactly one product of that name, among those a
// layer of the kind reads when the kind is given.
JobLayer NamedProduct(const std::string& name, int16_t kind, bool kindGiven,
                      const ProductCatalogue& catalogue) {
  std::vector<CatalogueProduct> found;
  for (const CatalogueProduct& product : catalogue.FindByName(name)) {
    // The user's products serve every kind; the suite's only the kinds of their tables.
    const bool fits =
        !kindGiven || IsUserId(product.id) || product.kind == (kind == 1 || kind == 2 ? kind : 3);
    if (fits) found.push_back(product);
  }
  if (found.empty()) throw std::invalid_argument("no product named \"" + name + "\"");
  if (found.size() > 1) {
    std::string ids;
    for (const CatalogueProduct& product : found) {
      ids += (ids.empty() ? "" : ", ") + std::to_string(product.id);
    }
    throw std::invalid_argument("several products are named \"" + name + "\" (ids " + ids +
                                "); give the layer as kind:id");
  }
  JobLayer layer;
  layer.kind = kindGiven ? kind : found[0].kind;
  layer.id = found[0].id;
  return layer;
}

// An emissivity column: empty keeps the face's value.
double Emissivity(const std::string& text, const char* column, double face) {
  if (Trimmed(text).empty()) return face;
  double value = 0;
  if (!ParseNumber(Trimmed(text), value) || value < 0 || value > 100) {
    throw std::invalid_argument(std::string(column) + " \"" + text +
                                "\" is not a number from 0 to 100 (percent)");
  }
  return value;
}

// The "e1/e2" after a layer's '@': the emissivities of its face 1 and face 2 in percent.
void SetFaceEmissivities(const std::string& text, JobLayer& layer) {
  const size_t slash = text.find('/');
  const bool read = slash != std::string::npos && ParseNumber(text.substr(0, slash), layer.emn1) &&
                    ParseNumber(text.substr(slash + 1), layer.emn2);
  if (!read || layer.emn1 < 0 || layer.emn1 > 100 || layer.emn2 < 0 || layer.emn2 > 100) {
    throw std::invalid_argument("the emissivities \"" + text +
                                "\" are not e1/e2, two numbers from 0 to 100 (percent)");
  }
}

// A layer's thickness in mm: the database's, else the row's "#mm", else assumed.
double LayerThickness(const JobLayer& layer, std::optional<double> given,
                      const ProductCatalogue& catalogue, const std::string& where,
                      std::string& assumed) {
  const std::optional<double> stored = catalogue.ThicknessOf(layer.kind, layer.id);
  if (stored && given && *stored != *given) {
    throw std::invalid_argument(where + "the database gives product " + std::to_string(layer.id) +
                                " a thickness of " + Fixed(*stored, 2) + " mm, not the row's " +
                                Fixed(*given, 2) + " mm");
  }
  if (stored || given) return stored ? *stored : *given;
  const double mm = layer.kind == 1 ? kAssumedGlassMm : kAssumedInterlayerMm;
  assumed += (assumed.empty() ? "" : ", ") + where.substr(0, where.size() - 2) + " " +
             (layer.kind == 1 ? "4" : "0.76") + " mm";
  return mm;
}

// The layers of one pane (the whole row when it has no gap); `paneName` prefixes the
// layer numbers of a glazing unit's messages.
UnitPane ParsePane(std::vector<std::string> tokens, const ProductCatalogue& catalogue,
                   const std::string& paneName, std::string& assumed) {
  if (tokens.size() > static_cast<size_t>(kMaxLayers)) {
    throw std::invalid_argument(paneName + std::to_string(tokens.size()) + " layers; at most 101");
  }
  UnitPane pane;
  pane.thermal.glassMm = 0.0;
  for (size_t k = 0; k < tokens.size(); ++k) {
    const std::string where =
        paneName + "layer " + std::to_string(k + 1) + " \"" + tokens[k] + "\": ";
    try {
      const std::optional<double> given = TakeThickness(tokens[k]);
      pane.layers.push_back(ParseLayer(tokens[k], catalogue));
      const double mm = LayerThickness(pane.layers.back(), given, catalogue, where, assumed);
      (pane.layers.back().kind == 1 ? pane.thermal.glassMm : pane.thermal.interlayerMm) += mm;
    } catch (const std::invalid_argument& e) {
      const std::string reason = e.what();
      throw std::invalid_argument(reason.starts_with(where) ? reason : where + reason);
    }
    if (k >= 10 && pane.layers.back().turned) {
      throw std::invalid_argument(paneName + "layer " + std::to_string(k + 1) +
                                  " is turned; only layers 1 to 10 can be turned");
    }
  }
  return pane;
}

// The row's panes and gaps: one pane into stack.layers, two or three into stack.panes.
void ParseLayers(Stack& stack, const ProductCatalogue& catalogue) {
  const std::vector<std::string> tokens = SplitLayers(stack.layersText);
  if (tokens.empty()) throw std::invalid_argument("no layers");
  PaneTokens parts = SplitAtGaps(tokens);
  std::string assumed;
  if (parts.panes.size() == 1) {
    stack.layers = ParsePane(parts.panes[0], catalogue, "", assumed).layers;
    return;
  }
  for (size_t p = 0; p < parts.panes.size(); ++p) {
    const std::string paneName = "pane " + std::to_string(p + 1) + " ";
    stack.panes.push_back(ParsePane(parts.panes[p], catalogue, paneName, assumed));
  }
  stack.gaps = parts.gaps;
  if (!assumed.empty()) stack.assumedThicknesses = "thicknesses assumed: " + assumed;
}

void ReadRow(Stack& stack, const CsvRecord& record, const std::vector<int>& at,
             const ProductCatalogue& catalogue) {
  auto field = [&](int column) {
    return at[column] >= 0 && static_cast<size_t>(at[column]) < record.fields.size()
               ? record.fields[at[column]]
               : std::string();
  };
  stack.name = Trimmed(field(kName));
  stack.layersText = Trimmed(field(kLayers));
  // Empty fields beyond the header's columns are the padding of spreadsheet exports.
  const size_t columns = static_cast<size_t>(std::max({at[0], at[1], at[2], at[3]}) + 1);
  for (size_t i = columns; i < record.fields.size(); ++i) {
    if (!Trimmed(record.fields[i]).empty()) {
      throw std::invalid_argument(std::to_string(record.fields.size()) +
                                  " fields, more than the header's columns");
    }
  }
  if (stack.name.empty()) throw std::invalid_argument("the stack has no name");
  ParseLayers(stack, catalogue);
  std::vector<JobLayer>& first = stack.panes.empty() ? stack.layers : stack.panes.front().layers;
  std::vector<JobLayer>& last = stack.panes.empty() ? stack.layers : stack.panes.back().layers;
  first.front().emn1 = Emissivity(field(kEmn1), "emn1", first.front().emn1);
  last.back().emn2 = Emissivity(field(kEmn2), "emn2", last.back().emn2);
  // The faces towards the gaps, the outside and the room are the panes' outer faces.
  for (UnitPane& pane : stack.panes) {
    pane.thermal.emissivity1 = pane.layers.front().emn1 / 100.0;
    pane.thermal.emissivity2 = pane.layers.back().emn2 / 100.0;
  }
}

}  // namespace

std::vector<std::string> SplitLayers(const std::string& text) {
  std::vector<std::string> tokens;
  std::string token;
  bool inName = false;
  for (char c : text) {
    if (c == '[') inName = true;
    if (c == ']') inName = false;
    if ((c == ' ' || c == '\t') && !inName) {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
    } else {
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(token);
  return tokens;
}

JobLayer ParseLayer(const std::string& token, const ProductCatalogue& catalogue) {
  std::string rest = token;
  const size_t at = rest.rfind('@');
  const size_t close = rest.rfind(']');
  const bool facesGiven = at != std::string::npos && (close == std::string::npos || at > close);
  std::string faces;
  if (facesGiven) {
    faces = rest.substr(at + 1);
    rest.erase(at);
  }
  const bool turned = rest.ends_with('~');
  if (turned) rest.pop_back();
  const size_t bracket = rest.find('[');
  const size_t colon = rest.find(':');
  const bool kindGiven =
      colon != std::string::npos && (bracket == std::string::npos || colon < bracket);
  const int16_t kind = kindGiven ? KindOf(rest.substr(0, colon)) : int16_t{1};
  if (kindGiven) rest.erase(0, colon + 1);
  JobLayer layer;
  if (rest.starts_with('[') && rest.ends_with(']') && rest.size() > 2) {
    layer = NamedProduct(rest.substr(1, rest.size() - 2), kind, kindGiven, catalogue);
  } else {
    double id = 0;
    if (!kindGiven) throw std::invalid_argument("write kind:id (glass:1102) or [product name]");
    if (!ParseNumber(rest, id) || id < 1 || id > 2147483647 || id != static_cast<int64_t>(id)) {
      throw std::invalid_argument("the product id \"" + rest +
                                  "\" is not a whole number from 1 to 2147483647");
    }
    layer.kind = kind;
    layer.id = static_cast<int32_t>(id);
  }
  layer.turned = turned;
  layer.name = catalogue.NameOf(layer.kind, layer.id);
  // The product's faces in the order the stack meets them: a turned layer shows face 2 first.
  const auto [front, back] = catalogue.NormalEmissivities(layer.kind, layer.id);
  layer.emn1 = turned ? back : front;
  layer.emn2 = turned ? front : back;
  if (facesGiven) SetFaceEmissivities(faces, layer);
  return layer;
}

std::vector<Stack> ReadStacks(const std::vector<CsvRecord>& records,
                              const ProductCatalogue& catalogue) {
  if (records.empty()) throw InputRefused("the input is empty; its first line names the columns");
  const std::vector<int> at = HeaderColumns(records.front());
  std::vector<Stack> stacks;
  std::map<std::string, int> lineOfName;
  for (size_t r = 1; r < records.size(); ++r) {
    Stack stack;
    stack.line = records[r].line;
    try {
      ReadRow(stack, records[r], at, catalogue);
      const auto [it, added] = lineOfName.emplace(stack.name, stack.line);
      if (!added) {
        throw std::invalid_argument("the name \"" + stack.name + "\" is already used on line " +
                                    std::to_string(it->second));
      }
    } catch (const std::invalid_argument& e) {
      stack.problem = e.what();
    }
    stacks.push_back(std::move(stack));
  }
  return stacks;
}

}  // namespace lamivex::batch
