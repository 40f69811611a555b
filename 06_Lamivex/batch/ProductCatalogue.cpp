// Reads the product tables of the spectral databases through SQLite, read-only.
#include "ProductCatalogue.h"

#include <sqlite3.h>

#include <cmath>
#include <limits>
#include <memory>

#include "Interpolation.h"
#include "glazing/Emissivity.h"

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

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement Prepare(sqlite3* db, const std::string& sql, const std::string& path) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
    throw RunError(
        kExitFault, "SM5.2",
        "Error: the query \"" + sql + "\" failed in " + path + ": " + sqlite3_errmsg(db));
  }
  return Statement(raw, &sqlite3_finalize);
}

// A face's emissivity column: NaN for NULL (no data).
double FaceEmissivity(sqlite3_stmt* row, int column, const std::string& path) {
  if (sqlite3_column_type(row, column) == SQLITE_NULL)
    return std::numeric_limits<double>::quiet_NaN();
  const double value = sqlite3_column_double(row, column);
  if (!(value >= 0.0 && value <= 1.0)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: product " + std::to_string(sqlite3_column_int(row, 1)) +
                       " of the table " + kEmissivityTable + " in " + path +
                       " has the emissivity " + FormatRunNumber(value) +
                       "; emissivities there are fractions from 0 to 1!");
  }
  return value;
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
  ReadEmissivities(suiteDatabase, false);
  if (FileExists(userDatabase)) {
    ReadTable(userDatabase, TablesOf(TableFamily::Glass).product, 1);
    ReadEmissivities(userDatabase, true);
  }
}

void ProductCatalogue::ReadTable(const std::string& path, const char* table, int16_t kind) {
  Connection db = OpenReadOnly(path);
  // A database made elsewhere may lack the thickness column: every column is read and
  // the thickness taken where there is one.
  const Statement statement =
      Prepare(db.get(), std::string("select * from ") + table + " order by id", path);
  sqlite3_stmt* raw = statement.get();
  int id = -1, name = -1, thickness = -1;
  for (int column = 0; column < sqlite3_column_count(raw); ++column) {
    const std::string title = sqlite3_column_name(raw, column);
    if (title == kColumnId) id = column;
    if (title == "name") name = column;
    if (title == "thickness") thickness = column;
  }
  while (sqlite3_step(raw) == SQLITE_ROW) {
    const auto* text = name >= 0 ? sqlite3_column_text(raw, name) : nullptr;
    CatalogueProduct product{kind, sqlite3_column_int(raw, id),
                             text ? reinterpret_cast<const char*>(text) : ""};
    names_[{kind, product.id}] = product.name;
    if (thickness >= 0 && sqlite3_column_type(raw, thickness) != SQLITE_NULL) {
      thicknesses_[{kind, product.id}] = sqlite3_column_double(raw, thickness);
    }
    products_.push_back(std::move(product));
  }
}

// A database without the table has no emissivities. The user's database serves every
// kind from its glass tables, so its rows are kept under kind 1 whatever their family.
void ProductCatalogue::ReadEmissivities(const std::string& path, bool user) {
  Connection db = OpenReadOnly(path);
  const Statement present =
      Prepare(db.get(),
              std::string("select 1 from sqlite_master where type = 'table' and name = '") +
                  kEmissivityTable + "'",
              path);
  if (sqlite3_step(present.get()) != SQLITE_ROW) return;
  const Statement statement = Prepare(
      db.get(), std::string("select family, id, front, back from ") + kEmissivityTable, path);
  sqlite3_stmt* row = statement.get();
  while (sqlite3_step(row) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, 0));
    int16_t kind = 0;
    for (TableFamily family : FamiliesOf(DatabaseRole::Suite)) {
      if (text != nullptr && TablesOf(family).kindName == std::string(text)) {
        kind = TablesOf(family).kind;
      }
    }
    if (kind == 0) continue;  // a family no layer reads
    const std::pair<double, double> faces = {FaceEmissivity(row, 2, path),
                                             FaceEmissivity(row, 3, path)};
    emissivities_[{user ? int16_t{1} : kind, sqlite3_column_int(row, 1)}] = faces;
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

std::pair<double, double> ProductCatalogue::NormalEmissivities(int16_t kind, int32_t id) const {
  const auto it = emissivities_.find({IsUserId(id) ? int16_t{1} : KindKey(kind), id});
  const auto normal = [&](double hemispherical) {
    if (std::isnan(hemispherical)) return glazing::kUncoatedNormalEmissivity * 100.0;
    return std::round(glazing::NormalEmissivity(hemispherical) * 10000.0) / 100.0;
  };
  if (it == emissivities_.end()) return {normal(NAN), normal(NAN)};
  return {normal(it->second.first), normal(it->second.second)};
}

std::optional<double> ProductCatalogue::ThicknessOf(int16_t kind, int32_t id) const {
  const int16_t key = IsUserId(id) ? int16_t{1} : KindKey(kind);
  const auto it = thicknesses_.find({key, id});
  return it == thicknesses_.end() ? std::nullopt : std::optional<double>(it->second);
}

}  // namespace lamivex::batch
