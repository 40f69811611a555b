// Spectral databases as lamivex-db sees them: creating one, telling a suite
// catalogue from a user database, choosing ids, storing and reading products.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ProductSpectrum.h"
#include "SqliteConnection.h"
#include "platform/SpectralSchema.h"

namespace lamivexdb {

// A product as the run would find it: its id, its table family, its description
// and its spectral rows in the order the run's own query returns them.
struct StoredProduct {
  int32_t id = 0;
  lamivex::TableFamily family = lamivex::TableFamily::Glass;
  bool hasProductRow = false;
  std::string name;
  std::optional<double> thicknessMm;
  std::string sourceFile;
  FaceEmissivities emissivity;
  std::vector<SpectrumRow> rows;
};

// One product of a database: its table family and id.
struct ProductKey {
  lamivex::TableFamily family;
  int32_t id;
};

// Throws DatabaseError "PATH: no such database; make one with lamivex-db create"
// when PATH is not a file, before anything tries to open it.
void RequireDatabaseFile(const std::string& path);

// Creates a new, empty database with the schema of the given role. Missing parent
// folders are made. Refuses an existing path; leaves no file behind on failure.
void CreateDatabase(const std::string& path, lamivex::DatabaseRole role);

// The role of an open database: a suite catalogue holds film or PVB tables, a
// user database only the glass tables. Throws DatabaseError for a file without
// the spectral tables and columns the run reads.
lamivex::DatabaseRole RoleOf(SqliteConnection& db);

// The next free id of the role's range: one past the largest id the database
// uses in that range (in any table), or the lowest unused id once the top is taken.
int32_t NextFreeId(SqliteConnection& db, lamivex::DatabaseRole role);

// True when the family's product table or spectral table already holds the id.
bool IdTaken(SqliteConnection& db, lamivex::TableFamily family, int32_t id);

// The id of a product of the family with the same name (where the database stores
// names) and exactly the same spectral rows, if there is one.
std::optional<int32_t> FindSameProduct(SqliteConnection& db, lamivex::TableFamily family,
                                       const ProductSpectrum& product);

// Stores the product row, its spectral rows and its emissivities. The caller holds
// the transaction.
void InsertProduct(SqliteConnection& db, lamivex::TableFamily family, int32_t id,
                   const ProductSpectrum& product, const std::string& origin);

// The families of the role whose product or spectral table holds the id.
std::vector<lamivex::TableFamily> FamiliesHolding(SqliteConnection& db, lamivex::DatabaseRole role,
                                                  int32_t id);

// The products of the role's families whose product row carries the name.
std::vector<ProductKey> ProductsNamed(SqliteConnection& db, lamivex::DatabaseRole role,
                                      const std::string& name);

// Removes the product row, the spectral rows and the emissivities of the id. The caller holds the
// transaction.
void DeleteProduct(SqliteConnection& db, lamivex::TableFamily family, int32_t id);

// Sets the name in the product row of the id, which must exist. The caller holds the transaction.
void RenameProduct(SqliteConnection& db, lamivex::TableFamily family, int32_t id,
                   const std::string& name);

// One product of the family, as ReadProducts gives it.
StoredProduct ReadProduct(SqliteConnection& db, lamivex::TableFamily family, int32_t id);

// Every product of the database, by family then id: ids of the product tables and
// of the spectral tables alike, so that rows without a product row show too.
std::vector<StoredProduct> ReadProducts(SqliteConnection& db, lamivex::DatabaseRole role);

}  // namespace lamivexdb
