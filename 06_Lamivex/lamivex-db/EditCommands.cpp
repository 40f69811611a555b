// lamivex-db delete and rename: change one stored product in a transaction, so
// that a failure leaves the database as it was.
#include <algorithm>
#include <ostream>

#include "CatalogueDatabase.h"
#include "CommandValues.h"
#include "Commands.h"

namespace lamivexdb {

namespace {

using lamivex::DatabaseRole;
using lamivex::TableFamily;

std::string KindName(TableFamily family) {
  return lamivex::TablesOf(family).kindName;
}

// The family that holds the id: the one --kind names, or the only one that holds it.
// A user database keeps every kind in its glass tables and has no others.
TableFamily FamilyOfId(SqliteConnection& db, DatabaseRole role, int32_t id,
                       const ParsedArguments& args) {
  const std::string idText = std::to_string(id);
  const std::vector<TableFamily> holding = FamiliesHolding(db, role, id);
  if (const auto kind = args.Value("--kind")) {
    const TableFamily family = ParseKind(*kind);
    if (std::find(holding.begin(), holding.end(), family) == holding.end()) {
      const bool userTables = role == DatabaseRole::User && family != TableFamily::Glass;
      throw DatabaseError(
          db.Path() + ": no product with id " + idText + " in the " + KindName(family) + " tables" +
          (userTables ? "; a user database keeps every kind in its glass tables" : ""));
    }
    return family;
  }
  if (holding.empty()) {
    throw DatabaseError(db.Path() + ": no product with id " + idText +
                        "; lamivex-db list shows the products");
  }
  if (holding.size() > 1) {
    std::string kinds = KindName(holding[0]);
    for (std::size_t i = 1; i < holding.size(); ++i) kinds += " and " + KindName(holding[i]);
    throw UsageError("id " + idText + " is in the " + kinds + " tables; give --kind");
  }
  return holding.front();
}

// Another product that carries the name already, if any.
std::optional<ProductKey> OtherNamed(SqliteConnection& db, DatabaseRole role,
                                     const StoredProduct& product, const std::string& name) {
  for (const ProductKey& named : ProductsNamed(db, role, name)) {
    if (named.family != product.family || named.id != product.id) return named;
  }
  return std::nullopt;
}

std::string Description(const StoredProduct& product) {
  return "id " + std::to_string(product.id) + " (" + KindName(product.family) + ", \"" +
         product.name + "\", " + std::to_string(product.rows.size()) + " rows)";
}

}  // namespace

int DeleteCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 2) throw UsageError("expects PATH and ID");
  const int32_t id = ParseProductId(args.positional[1], "ID");
  RequireDatabaseFile(args.positional[0]);
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadWrite);
  const DatabaseRole role = RoleOf(db);
  Transaction transaction(db);
  const TableFamily family = FamilyOfId(db, role, id, args);
  const StoredProduct product = ReadProduct(db, family, id);
  DeleteProduct(db, family, id);
  transaction.Commit();
  out << "deleted " << Description(product) << "\n";
  return kExitOk;
}

int RenameCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err) {
  if (args.positional.size() != 3) throw UsageError("expects PATH, ID and NAME");
  const int32_t id = ParseProductId(args.positional[1], "ID");
  const std::string& name = args.positional[2];
  if (name.empty()) throw UsageError("NAME must not be empty");
  RequireDatabaseFile(args.positional[0]);
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadWrite);
  const DatabaseRole role = RoleOf(db);
  Transaction transaction(db);
  const TableFamily family = FamilyOfId(db, role, id, args);
  const StoredProduct product = ReadProduct(db, family, id);
  const char* table = lamivex::TablesOf(family).product;
  if (!db.HasColumn(table, "name")) {
    throw DatabaseError(db.Path() + ": table " + table + " has no column name");
  }
  if (!product.hasProductRow) {
    throw DatabaseError(db.Path() + ": id " + std::to_string(id) +
                        " has spectral rows but no row in table " + table + "; nothing to rename");
  }
  std::string alsoNamed;
  if (const auto other = OtherNamed(db, role, product, name)) {
    alsoNamed = "id " + std::to_string(other->id) + " (" + KindName(other->family) +
                ") is named \"" + name + "\" already";
    if (!args.Has("--duplicate")) {
      throw DatabaseError(db.Path() + ": " + alsoNamed +
                          "; give --duplicate to use the name twice");
    }
  }
  RenameProduct(db, family, id, name);
  transaction.Commit();
  if (!alsoNamed.empty())
    err << "lamivex-db rename: " << alsoNamed << "; renamed all the same (--duplicate)\n";
  out << "renamed " << Description(product) << " to \"" << name << "\"\n";
  return kExitOk;
}

}  // namespace lamivexdb
