#include <algorithm>
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

}  // namespace

int ListCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadOnly);
  for (const StoredProduct& product : ReadProducts(db, RoleOf(db))) {
    out << product.id << '\t' << lamivex::TablesOf(product.family).kindName << '\t' << product.name
        << '\t' << product.rows.size() << " rows\t" << RangeOf(product.rows) << '\n';
  }
  return kExitOk;
}

}  // namespace lamivexdb
