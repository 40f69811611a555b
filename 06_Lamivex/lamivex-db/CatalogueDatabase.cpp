#include "CatalogueDatabase.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <set>

#include "EmissivityTable.h"

namespace lamivexdb {

using lamivex::DatabaseRole;
using lamivex::TableFamily;
using lamivex::TablesOf;

namespace {

// Makes the file itself, refusing one that exists, so that no other writer can
// slip in between the test and the creation.
void CreateEmptyFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) {
    if (errno == EEXIST) throw DatabaseError(path + ": exists; create never overwrites a file");
    throw DatabaseError(path + ": cannot be created: " + std::strerror(errno));
  }
  ::close(fd);
}

void RequireSpectralColumns(SqliteConnection& db, TableFamily family) {
  const char* table = TablesOf(family).spectral;
  for (const char* column : {lamivex::kColumnProductId, lamivex::kColumnLambda, lamivex::kColumnT,
                             lamivex::kColumnR1, lamivex::kColumnR2}) {
    if (!db.HasColumn(table, column)) {
      throw DatabaseError(db.Path() + ": table " + table + " has no column " + column);
    }
  }
  if (!db.HasColumn(TablesOf(family).product, lamivex::kColumnId)) {
    throw DatabaseError(db.Path() + ": table " + TablesOf(family).product + " has no column id");
  }
}

std::set<int32_t> IdsOf(SqliteConnection& db, TableFamily family) {
  const auto& tables = TablesOf(family);
  Statement query =
      db.Prepare(std::string("select ") + lamivex::kColumnId + " from " + tables.product +
                 " union select " + lamivex::kColumnProductId + " from " + tables.spectral);
  std::set<int32_t> ids;
  while (query.Step()) {
    const int64_t id = query.Integer(0);
    if (id >= std::numeric_limits<int32_t>::min() && id <= std::numeric_limits<int32_t>::max()) {
      ids.insert(static_cast<int32_t>(id));
    }
  }
  return ids;
}

// The product-table columns beyond the id that this database has; a database made
// elsewhere may hold only the id.
std::vector<std::string> DescriptionColumns(SqliteConnection& db, TableFamily family) {
  std::vector<std::string> present;
  for (const char* column : {"name", "maker", "thickness", "source_file", "origin"}) {
    if (db.HasColumn(TablesOf(family).product, column)) present.push_back(column);
  }
  return present;
}

void BindDescription(Statement& insert, int index, const std::string& column,
                     const ProductSpectrum& product, const std::string& origin) {
  const auto bindText = [&](const std::string& text) {
    text.empty() ? insert.BindNull(index) : insert.Bind(index, text);
  };
  if (column == "name") bindText(product.name);
  if (column == "maker") bindText(product.maker);
  if (column == "source_file") bindText(product.sourceFile);
  if (column == "origin") bindText(origin);
  if (column == "thickness") {
    product.thicknessMm ? insert.Bind(index, *product.thicknessMm) : insert.BindNull(index);
  }
}

void InsertProductRow(SqliteConnection& db, TableFamily family, int32_t id,
                      const ProductSpectrum& product, const std::string& origin) {
  const std::vector<std::string> columns = DescriptionColumns(db, family);
  std::string names = lamivex::kColumnId;
  std::string marks = "?";
  for (const std::string& column : columns) names += ", " + column, marks += ", ?";
  Statement insert = db.Prepare("insert into " + std::string(TablesOf(family).product) + " (" +
                                names + ") values (" + marks + ")");
  insert.Bind(1, static_cast<int64_t>(id));
  for (std::size_t i = 0; i < columns.size(); ++i) {
    BindDescription(insert, static_cast<int>(i) + 2, columns[i], product, origin);
  }
  insert.Step();
}

void InsertSpectralRows(SqliteConnection& db, TableFamily family, int32_t id,
                        const std::vector<SpectrumRow>& rows) {
  Statement insert = db.Prepare(std::string("insert into ") + TablesOf(family).spectral + " (" +
                                lamivex::kColumnProductId + ", " + lamivex::kColumnLambda + ", " +
                                lamivex::kColumnT + ", " + lamivex::kColumnR1 + ", " +
                                lamivex::kColumnR2 + ") values (?, ?, ?, ?, ?)");
  for (const SpectrumRow& row : rows) {
    insert.Bind(1, static_cast<int64_t>(id));
    insert.Bind(2, row.lambda);
    insert.Bind(3, row.t);
    insert.Bind(4, row.r1);
    insert.Bind(5, row.r2);
    insert.Step();
    insert.Reset();
  }
}

// The description of the product row, where the table has the columns.
void ReadDescription(SqliteConnection& db, TableFamily family, StoredProduct& product) {
  Statement query = db.Prepare(lamivex::ProductQuery(family, product.id));
  product.hasProductRow = query.Step();
  if (!product.hasProductRow) return;
  const int name = query.ColumnIndex("name");
  const int thickness = query.ColumnIndex("thickness");
  const int sourceFile = query.ColumnIndex("source_file");
  if (name >= 0) product.name = query.Text(name);
  if (thickness >= 0 && !query.IsNull(thickness)) product.thicknessMm = query.Number(thickness);
  if (sourceFile >= 0) product.sourceFile = query.Text(sourceFile);
}

// The rows through the run's own query, in the order the database gives them.
std::vector<SpectrumRow> SpectralRows(SqliteConnection& db, TableFamily family, int32_t id) {
  Statement query = db.Prepare(lamivex::SpectrumQuery(family, id));
  const int lambda = query.ColumnIndex(lamivex::kColumnLambda);
  const int t = query.ColumnIndex(lamivex::kColumnT);
  const int r1 = query.ColumnIndex(lamivex::kColumnR1);
  const int r2 = query.ColumnIndex(lamivex::kColumnR2);
  std::vector<SpectrumRow> rows;
  while (query.Step()) {
    rows.push_back({query.Number(lambda), query.Number(t), query.Number(r1), query.Number(r2),
                    "row " + std::to_string(rows.size() + 1)});
  }
  return rows;
}

bool SameRows(const std::vector<SpectrumRow>& a, const std::vector<SpectrumRow>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.lambda == y.lambda && x.t == y.t && x.r1 == y.r1 && x.r2 == y.r2;
  });
}

}  // namespace

void RequireDatabaseFile(const std::string& path) {
  if (!std::filesystem::is_regular_file(path)) {
    throw DatabaseError(path + ": no such database; make one with lamivex-db create");
  }
}

void CreateDatabase(const std::string& path, DatabaseRole role) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  std::error_code error;
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  CreateEmptyFile(path);
  try {
    SqliteConnection db(path, SqliteConnection::Mode::ReadWrite);
    Transaction transaction(db);
    db.Execute(lamivex::SchemaSql(role));
    transaction.Commit();
  } catch (...) {
    std::filesystem::remove(path, error);
    throw;
  }
}

DatabaseRole RoleOf(SqliteConnection& db) {
  const auto hasFamily = [&](TableFamily family) {
    return db.HasTable(TablesOf(family).product) || db.HasTable(TablesOf(family).spectral);
  };
  const DatabaseRole role = hasFamily(TableFamily::Film) || hasFamily(TableFamily::PVB)
                                ? DatabaseRole::Suite
                                : DatabaseRole::User;
  for (TableFamily family : lamivex::FamiliesOf(role)) {
    if (!db.HasTable(TablesOf(family).spectral) || !db.HasTable(TablesOf(family).product)) {
      throw DatabaseError(db.Path() + ": not a spectral database: no tables " +
                          TablesOf(family).product + " and " + TablesOf(family).spectral);
    }
    RequireSpectralColumns(db, family);
  }
  return role;
}

int32_t NextFreeId(SqliteConnection& db, DatabaseRole role) {
  const int32_t first = role == DatabaseRole::User ? lamivex::kFirstUserId : 1;
  const int32_t last =
      role == DatabaseRole::User ? std::numeric_limits<int32_t>::max() : lamivex::kLastSuiteId;
  std::set<int32_t> used;
  for (TableFamily family : lamivex::FamiliesOf(role)) {
    for (int32_t id : IdsOf(db, family)) {
      if (id >= first && id <= last) used.insert(id);
    }
  }
  if (used.empty()) return first;
  if (*used.rbegin() < last) return *used.rbegin() + 1;
  int64_t candidate = first;
  for (int32_t id : used) {
    if (id != candidate) return static_cast<int32_t>(candidate);
    ++candidate;
  }
  throw DatabaseError(db.Path() + ": no free id left between " + std::to_string(first) + " and " +
                      std::to_string(last));
}

bool IdTaken(SqliteConnection& db, TableFamily family, int32_t id) {
  return IdsOf(db, family).contains(id);
}

std::optional<int32_t> FindSameProduct(SqliteConnection& db, TableFamily family,
                                       const ProductSpectrum& product) {
  const bool storesNames = db.HasColumn(TablesOf(family).product, "name");
  for (int32_t id : IdsOf(db, family)) {
    StoredProduct stored;
    stored.id = id;
    if (storesNames) ReadDescription(db, family, stored);
    if (storesNames && stored.name != product.name) continue;
    if (SameRows(SpectralRows(db, family, id), product.rows)) return id;
  }
  return std::nullopt;
}

void InsertProduct(SqliteConnection& db, TableFamily family, int32_t id,
                   const ProductSpectrum& product, const std::string& origin) {
  InsertProductRow(db, family, id, product, origin);
  InsertSpectralRows(db, family, id, product.rows);
  StoreEmissivities(db, family, id, product.emissivity);
}

std::vector<TableFamily> FamiliesHolding(SqliteConnection& db, DatabaseRole role, int32_t id) {
  std::vector<TableFamily> families;
  for (TableFamily family : lamivex::FamiliesOf(role)) {
    if (IdTaken(db, family, id)) families.push_back(family);
  }
  return families;
}

void DeleteProduct(SqliteConnection& db, TableFamily family, int32_t id) {
  const std::pair<const char*, const char*> keyed[] = {
      {TablesOf(family).product, lamivex::kColumnId},
      {TablesOf(family).spectral, lamivex::kColumnProductId}};
  for (const auto& [table, column] : keyed) {
    Statement remove = db.Prepare("delete from " + std::string(table) + " where " + column + "=?");
    remove.Bind(1, static_cast<int64_t>(id));
    remove.Step();
  }
  DeleteEmissivities(db, family, id);
}

std::vector<ProductKey> ProductsNamed(SqliteConnection& db, DatabaseRole role,
                                      const std::string& name) {
  std::vector<ProductKey> named;
  for (TableFamily family : lamivex::FamiliesOf(role)) {
    const char* table = TablesOf(family).product;
    if (!db.HasColumn(table, "name")) continue;
    Statement query = db.Prepare("select " + std::string(lamivex::kColumnId) + " from " + table +
                                 " where name=? order by " + lamivex::kColumnId);
    query.Bind(1, name);
    while (query.Step()) named.push_back({family, static_cast<int32_t>(query.Integer(0))});
  }
  return named;
}

void RenameProduct(SqliteConnection& db, TableFamily family, int32_t id, const std::string& name) {
  Statement update = db.Prepare("update " + std::string(TablesOf(family).product) +
                                " set name=? where " + lamivex::kColumnId + "=?");
  update.Bind(1, name);
  update.Bind(2, static_cast<int64_t>(id));
  update.Step();
}

StoredProduct ReadProduct(SqliteConnection& db, TableFamily family, int32_t id) {
  StoredProduct product;
  product.id = id;
  product.family = family;
  ReadDescription(db, family, product);
  product.emissivity = ReadEmissivities(db, family, id);
  product.rows = SpectralRows(db, family, id);
  return product;
}

std::vector<StoredProduct> ReadProducts(SqliteConnection& db, DatabaseRole role) {
  std::vector<StoredProduct> products;
  for (TableFamily family : lamivex::FamiliesOf(role)) {
    for (int32_t id : IdsOf(db, family)) products.push_back(ReadProduct(db, family, id));
  }
  return products;
}

}  // namespace lamivexdb
