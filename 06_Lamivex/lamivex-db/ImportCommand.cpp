// lamivex-db import: every file is read and checked first, then all products go
// into the database in one transaction, so that a refusal leaves it unchanged.
#include <filesystem>
#include <limits>
#include <ostream>

#include "CatalogueDatabase.h"
#include "CommandValues.h"
#include "Commands.h"
#include "ProductReaders.h"

namespace lamivexdb {

namespace {

using lamivex::DatabaseRole;
using lamivex::TableFamily;

std::string RangeText(DatabaseRole role) {
  return role == DatabaseRole::User ? "a user database takes ids from 1000000 up"
                                    : "a suite database takes ids from 1 to 999999";
}

int32_t ChooseId(SqliteConnection& db, DatabaseRole role, TableFamily family,
                 const std::optional<int32_t>& requested) {
  if (!requested) return NextFreeId(db, role);
  const int32_t id = *requested;
  if (!lamivex::IdFitsRole(id, role)) {
    throw DatabaseError(db.Path() + ": id " + std::to_string(id) +
                        " is out of range: " + RangeText(role));
  }
  if (IdTaken(db, family, id)) {
    throw DatabaseError(db.Path() + ": id " + std::to_string(id) + " is taken in the " +
                        lamivex::TablesOf(family).kindName + " tables");
  }
  return id;
}

std::string Report(const ProductSpectrum& product, int32_t id, TableFamily family) {
  std::string line = product.sourceFile + ": imported as id " + std::to_string(id) + " (" +
                     lamivex::TablesOf(family).kindName + ", \"" + product.name + "\", " +
                     std::to_string(product.rows.size()) + " rows";
  if (product.rowsAboveGridLeftOut > 0) {
    line += "; " + std::to_string(product.rowsAboveGridLeftOut) + " rows above 2500 nm left out";
  }
  return line + ")";
}

std::string SameProductText(const ProductSpectrum& product, int32_t id) {
  return "id " + std::to_string(id) + " holds the same product (\"" + product.name +
         "\", the same " + std::to_string(product.rows.size()) + " rows)";
}

}  // namespace

int ImportCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err) {
  if (args.positional.size() < 2) throw UsageError("expects PATH and at least one FILE");
  const std::string& path = args.positional[0];
  const std::vector<std::string> files(args.positional.begin() + 1, args.positional.end());
  if (files.size() > 1 && (args.Has("--id") || args.Has("--name"))) {
    throw UsageError("--id and --name take one FILE");
  }
  const TableFamily kind = ParseKind(args.Value("--kind").value_or("glass"));
  std::optional<int32_t> requestedId;
  if (const auto id = args.Value("--id")) requestedId = ParseProductId(*id, "--id");

  std::vector<ProductSpectrum> products;
  const ColumnValues values =
      args.Has("--fractions") ? ColumnValues::Fractions : ColumnValues::Percent;
  for (const std::string& file : files) products.push_back(ReadProductFile(file, values));
  if (const auto name = args.Value("--name")) products.front().name = *name;
  for (const ProductSpectrum& product : products) {
    for (const std::string& warning : product.warnings)
      err << "lamivex-db import: " << warning << "\n";
  }

  if (!std::filesystem::is_regular_file(path)) {
    throw DatabaseError(path + ": no such database; make one with lamivex-db create");
  }
  SqliteConnection db(path, SqliteConnection::Mode::ReadWrite);
  const DatabaseRole role = RoleOf(db);
  const TableFamily family = role == DatabaseRole::User ? TableFamily::Glass : kind;
  std::vector<std::string> reports;
  std::vector<std::string> duplicates;
  Transaction transaction(db);
  for (std::size_t i = 0; i < products.size(); ++i) {
    const int32_t id = ChooseId(db, role, family, requestedId);
    if (const auto same = FindSameProduct(db, family, products[i])) {
      const std::string message = files[i] + ": " + SameProductText(products[i], *same);
      if (!args.Has("--duplicate")) {
        throw ImportError(message + "; give --duplicate to import it again");
      }
      duplicates.push_back(message + "; imported again (--duplicate)");
    }
    InsertProduct(db, family, id, products[i], args.Value("--origin").value_or(""));
    reports.push_back(Report(products[i], id, family));
  }
  transaction.Commit();
  for (const std::string& duplicate : duplicates) err << "lamivex-db import: " << duplicate << "\n";
  for (const std::string& report : reports) out << report << "\n";
  return kExitOk;
}

}  // namespace lamivexdb
