// lamivex-db list: one line per product, so that products of the same name can
// be told apart by their thickness and the file they came from.
#include <algorithm>
#include <charconv>
#include <ostream>

#include "CatalogueDatabase.h"
#include "Commands.h"
#include "DecimalText.h"

namespace lamivexdb {

namespace {

std::string RangeOf(const std::vector<SpectrumRow>& rows) {
  if (rows.empty()) return "-";
  const auto [lowest, highest] = std::minmax_element(
      rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.lambda < b.lambda; });
  return ShortestText(lowest->lambda) + "-" + ShortestText(highest->lambda) + " nm";
}

// Six significant digits: a thickness read from float32 JSON (2.98300004005432) shows as 2.983.
std::string ThicknessOf(const StoredProduct& product) {
  if (!product.thicknessMm) return "-";
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, *product.thicknessMm, std::chars_format::general, 6)
          .ptr;
  return std::string(text, end) + " mm";
}

}  // namespace

int ListCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadOnly);
  for (const StoredProduct& product : ReadProducts(db, RoleOf(db))) {
    out << product.id << '\t' << lamivex::TablesOf(product.family).kindName << '\t' << product.name
        << '\t' << product.rows.size() << " rows\t" << RangeOf(product.rows) << '\t'
        << ThicknessOf(product) << '\t' << (product.sourceFile.empty() ? "-" : product.sourceFile)
        << '\n';
  }
  return kExitOk;
}

}  // namespace lamivexdb
