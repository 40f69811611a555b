#include "EmissivityTable.h"

#include <string>

namespace lamivexdb {

namespace {

void BindKey(Statement& statement, lamivex::TableFamily family, int32_t id) {
  statement.Bind(1, std::string(lamivex::TablesOf(family).kindName));
  statement.Bind(2, static_cast<int64_t>(id));
}

void BindValue(Statement& statement, int index, const std::optional<double>& value) {
  value ? statement.Bind(index, *value) : statement.BindNull(index);
}

std::optional<double> ValueOf(const Statement& row, int column) {
  if (row.IsNull(column)) return std::nullopt;
  return row.Number(column);
}

}  // namespace

void StoreEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id,
                       const FaceEmissivities& emissivity) {
  db.Execute(lamivex::EmissivitySchemaSql());
  Statement insert = db.Prepare("insert or replace into " + std::string(lamivex::kEmissivityTable) +
                                " (family, id, front, back) values (?, ?, ?, ?)");
  BindKey(insert, family, id);
  BindValue(insert, 3, emissivity.front);
  BindValue(insert, 4, emissivity.back);
  insert.Step();
}

FaceEmissivities ReadEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id) {
  if (!db.HasTable(lamivex::kEmissivityTable)) return {};
  Statement query = db.Prepare("select front, back from " + std::string(lamivex::kEmissivityTable) +
                               " where family=? and id=?");
  BindKey(query, family, id);
  if (!query.Step()) return {};
  return {ValueOf(query, 0), ValueOf(query, 1)};
}

void DeleteEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id) {
  if (!db.HasTable(lamivex::kEmissivityTable)) return;
  Statement remove = db.Prepare("delete from " + std::string(lamivex::kEmissivityTable) +
                                " where family=? and id=?");
  BindKey(remove, family, id);
  remove.Step();
}

}  // namespace lamivexdb
