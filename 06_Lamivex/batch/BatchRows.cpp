// A combination is made by writing its name and layers into a copy of its row and
// reading that row as any other, so that a combination is checked exactly as a row of
// its own would be.
#include "BatchRows.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>

#include "Combinations.h"

namespace lamivex::batch {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The position of the header's column `title` (the header has been checked).
size_t ColumnOf(const CsvRecord& header, const std::string& title) {
  for (size_t i = 0; i < header.fields.size(); ++i) {
    std::string field = Trimmed(header.fields[i]);
    for (char& c : field) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (field == title) return i;
  }
  throw std::logic_error("no column " + title);
}

struct Search {
  std::vector<CsvRecord> records;  // the header, then the rows
  std::shared_ptr<const ProductCatalogue> catalogue;
  size_t nameAt = 0, layersAt = 0;
  std::vector<CombinedRow> rows;      // row r is records[r + 1]
  std::vector<std::string> problems;  // why row r cannot be combined; empty when it can

  std::string Field(const CsvRecord& record, size_t at) const {
    return at < record.fields.size() ? record.fields[at] : std::string();
  }

  Stack Combination(uint64_t number) const {
    const size_t r = RowOfCombination(rows, number);
    CsvRecord record = records[r + 1];
    if (!problems[r].empty()) {
      Stack stack;
      stack.line = record.line;
      stack.name = rows[r].name;
      stack.layersText = Trimmed(Field(record, layersAt));
      stack.problem = problems[r];
      return stack;
    }
    record.fields.resize(std::max({record.fields.size(), nameAt + 1, layersAt + 1}));
    record.fields[nameAt] = CombinationName(rows[r], number - rows[r].first);
    record.fields[layersAt] = CombinationLayers(rows[r].alternatives, number - rows[r].first);
    return ReadStacks({records.front(), record}, *catalogue).front();
  }
};

// Each row's alternatives and count; a row that cannot be split, or whose name another
// row has, is one row with its reason.
void ReadAlternatives(Search& search) {
  std::map<std::string, int> lineOfName;
  for (size_t r = 1; r < search.records.size(); ++r) {
    const CsvRecord& record = search.records[r];
    CombinedRow row{Trimmed(search.Field(record, search.nameAt)), {}, 0, 1};
    std::string problem;
    try {
      row.alternatives = SplitAlternatives(search.Field(record, search.layersAt));
      row.count = CombinationCount(row.alternatives);
    } catch (const std::invalid_argument& e) {
      problem = e.what();
    }
    const auto [it, added] = lineOfName.emplace(row.name, record.line);
    if (!added && problem.empty()) {
      problem =
          "the name \"" + row.name + "\" is already used on line " + std::to_string(it->second);
    }
    if (!problem.empty()) row.count = 1;
    search.rows.push_back(std::move(row));
    search.problems.push_back(problem);
  }
}

}  // namespace

void HintAtCombine(std::vector<Stack>& stacks) {
  for (Stack& stack : stacks) {
    if (!stack.problem.empty() && stack.layersText.find('|') != std::string::npos) {
      stack.problem += "; alternatives separated by | are calculated with --combine FILE";
    }
  }
}

BatchRows TableRows(std::vector<Stack> stacks) {
  auto shared = std::make_shared<const std::vector<Stack>>(std::move(stacks));
  return {shared->size(), [shared](uint64_t n) { return (*shared)[n]; }};
}

BatchRows SearchRows(std::vector<CsvRecord> records,
                     std::shared_ptr<const ProductCatalogue> catalogue) {
  // The input and its header are checked as a table's, with no rows.
  ReadStacks(records.empty() ? records : std::vector<CsvRecord>{records.front()}, *catalogue);
  auto search = std::make_shared<Search>();
  search->nameAt = ColumnOf(records.front(), "name");
  search->layersAt = ColumnOf(records.front(), "layers");
  search->records = std::move(records);
  search->catalogue = std::move(catalogue);
  ReadAlternatives(*search);
  uint64_t count = 0;
  try {
    count = NumberCombinations(search->rows);
  } catch (const std::length_error& e) {
    throw InputRefused(e.what());
  }
  return {count, [search](uint64_t n) { return search->Combination(n); }};
}

}  // namespace lamivex::batch
