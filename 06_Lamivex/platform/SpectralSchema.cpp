#include "platform/SpectralSchema.h"

#include <array>

namespace lamivex {

namespace {

constexpr std::array<FamilyTables, 3> kFamilies{{
    {"spectral_energy", "glass", "glass", 1},
    {"spectral_energy_film", "film", "film", 2},
    {"spectral_energy_PVB", "PVB", "pvb", 3},
}};

std::string FamilySchema(const FamilyTables& tables) {
  std::string sql;
  sql += "CREATE TABLE " + std::string(tables.product) + " (\n";
  sql += "  " + std::string(kColumnId) + " INTEGER PRIMARY KEY,\n";
  sql += "  name TEXT NOT NULL,\n  maker TEXT,\n  thickness REAL,\n";
  sql += "  source_file TEXT,\n  origin TEXT\n);\n";
  sql += "CREATE TABLE " + std::string(tables.spectral) + " (\n";
  sql += "  " + std::string(kColumnProductId) + " INTEGER NOT NULL,\n";
  sql += "  " + std::string(kColumnLambda) + " REAL NOT NULL,\n";
  sql += "  " + std::string(kColumnT) + " REAL NOT NULL,\n";
  sql += "  " + std::string(kColumnR1) + " REAL NOT NULL,\n";
  sql += "  " + std::string(kColumnR2) + " REAL NOT NULL,\n";
  sql += "  PRIMARY KEY (" + std::string(kColumnProductId) + ", " + kColumnLambda + ")\n";
  sql += ") WITHOUT ROWID;\n";
  return sql;
}

}  // namespace

const FamilyTables& TablesOf(TableFamily family) {
  return kFamilies[static_cast<std::size_t>(family)];
}

TableFamily FamilyOfKind(int16_t kind) {
  if (kind == 1) return TableFamily::Glass;
  if (kind == 2) return TableFamily::Film;
  return TableFamily::PVB;
}

bool IsUserId(int32_t id) {
  return static_cast<double>(id) >= static_cast<double>(kFirstUserId);
}

bool IdFitsRole(int32_t id, DatabaseRole role) {
  if (role == DatabaseRole::User) return IsUserId(id);
  return id >= 1 && !IsUserId(id);
}

std::string SpectrumQuery(TableFamily family, int32_t id) {
  return "select * from " + std::string(TablesOf(family).spectral) + " where " + kColumnProductId +
         "=" + std::to_string(id);
}

std::string ProductQuery(TableFamily family, int32_t id) {
  return "select * from " + std::string(TablesOf(family).product) + " where " + kColumnId + "=" +
         std::to_string(id);
}

std::vector<TableFamily> FamiliesOf(DatabaseRole role) {
  if (role == DatabaseRole::User) return {TableFamily::Glass};
  return {TableFamily::Glass, TableFamily::Film, TableFamily::PVB};
}

std::string SchemaSql(DatabaseRole role) {
  std::string sql;
  for (TableFamily family : FamiliesOf(role)) sql += FamilySchema(TablesOf(family));
  return sql + EmissivitySchemaSql();
}

std::string EmissivitySchemaSql() {
  return "CREATE TABLE IF NOT EXISTS " + std::string(kEmissivityTable) +
         " (family TEXT NOT NULL, id INTEGER NOT NULL, front REAL, back REAL, "
         "PRIMARY KEY (family, id));\n";
}

}  // namespace lamivex
