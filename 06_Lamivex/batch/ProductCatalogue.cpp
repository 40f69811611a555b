// Reads the product tables of the spectral databases through SQLite, read-only.
#include "ProductCatalogue.h"

#include <sqlite3.h>

#include <memory>

#include "platform/RunError.h"
#include "platform/SpectralSchema.h"
#include "platform/TextFiles.h"

namespace lamivex::batch {
namespace {

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

Connection OpenReadOnly(const std::string& path) {
  if (!FileExists(path)) {
    throw RunError(kExitFault, "SM5.2", "Error: the spectral database " + path + " is not found!");
  }
  sqlite3* db = nullptr;
  const int status = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  Connection connection(db, &sqlite3_close);
  if (status != SQLITE_OK) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the spectral database " + path +
                       " cannot be opened: " + (db ? sqlite3_errmsg(db) : "out of memory"));
  }
  return connection;
}

// The family a layer of this kind reads in the suite database (any kind other than 1
// and 2 reads the PVB tables): the key under which a name is found from an id.
int16_t KindKey(int16_t kind) {
  return kind == 1 || kind == 2 ? kind : 3;
}

}  // namespace

ProductCatalogue::ProductCatalogue(const std::string& suiteDatabase,
                                   const std::string& userDatabase) {
  for (TableFamily family : FamiliesOf(DatabaseRole::Suite)) {
    ReadTable(suiteDatabase, TablesOf(family).product, TablesOf(family).kind);
  }
  if (FileExists(userDatabase)) ReadTable(userDatabase, TablesOf(TableFamily::Glass).product, 1);
}

void ProductCatalogue::ReadTable(const std::string& path, const char* table, int16_t kind) {
  Connection db = OpenReadOnly(path);
  const std::string sql = std::string("select id, name from ") + table + " order by id";
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    throw RunError(
        kExitFault, "SM5.2",
        "Error: the query \"" + sql + "\" failed in " + path + ": " + sqlite3_errmsg(db.get()));
  }
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
  while (sqlite3_step(raw) == SQLITE_ROW) {
    const auto* text = sqlite3_column_text(raw, 1);
    CatalogueProduct product{kind, sqlite3_column_int(raw, 0),
                             text ? reinterpret_cast<const char*>(text) : ""};
    names_[{kind, product.id}] = product.name;
    products_.push_back(std::move(product));
  }
}

std::vector<CatalogueProduct> ProductCatalogue::FindByName(const std::string& name) const {
  std::vector<CatalogueProduct> found;
  for (const CatalogueProduct& product : products_) {
    if (product.name == name) found.push_back(product);
  }
  return found;
}

std::string ProductCatalogue::NameOf(int16_t kind, int32_t id) const {
  const int16_t key = IsUserId(id) ? int16_t{1} : KindKey(kind);
  const auto it = names_.find({key, id});
  return it == names_.end() ? std::string() : it->second;
}

}  // namespace lamivex::batch
