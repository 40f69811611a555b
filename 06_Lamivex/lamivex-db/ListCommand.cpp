// lamivex-db list: one line per product, so that products of the same name can
// be told apart by their thickness and the file they came from; then the faces'
// emissivities where the database holds them.
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

// Six significant digits: a thickness read from float32 JSON (2.98300004005432) shows as
// 2.983, an emissivity 0.839999973773956 as 0.84.
std::string SixDigits(const std::optional<double>& value) {
  if (!value) return "-";
  char text[32];
  const auto end =
      std::to_chars(text, text + sizeof text, *value, std::chars_format::general, 6).ptr;
  return std::string(text, end);
}

std::string ThicknessOf(const StoredProduct& product) {
  return product.thicknessMm ? SixDigits(product.thicknessMm) + " mm" : "-";
}

// "emissivity FRONT/BACK", a face not known as "-"; "-" when neither is.
std::string EmissivityOf(const StoredProduct& product) {
  const FaceEmissivities& emissivity = product.emissivity;
  if (!emissivity.front && !emissivity.back) return "-";
  return "emissivity " + SixDigits(emissivity.front) + "/" + SixDigits(emissivity.back);
}

}  // namespace

int ListCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  RequireDatabaseFile(args.positional[0]);
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadOnly);
  for (const StoredProduct& product : ReadProducts(db, RoleOf(db))) {
    out << product.id << '\t' << lamivex::TablesOf(product.family).kindName << '\t' << product.name
        << '\t' << product.rows.size() << " rows\t" << RangeOf(product.rows) << '\t'
        << ThicknessOf(product) << '\t' << (product.sourceFile.empty() ? "-" : product.sourceFile)
        << '\t' << EmissivityOf(product) << '\n';
  }
  return kExitOk;
}

}  // namespace lamivexdb
