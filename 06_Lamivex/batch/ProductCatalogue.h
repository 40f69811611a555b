// Product names and face emissivities of the spectral databases, for the rows of a
// batch: a layer given by a product's name is found here, and a layer given by its id
// takes its name and its faces' emissivities from here.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lamivex::batch {

struct CatalogueProduct {
  int16_t kind = 1;  // 1 glass, 2 film, 3 PVB; the user's products are glasses
  int32_t id = 0;
  std::string name;
};

class ProductCatalogue {
 public:
  // Reads every product's id and name, and the face emissivities of the table
  // product_emissivity where the database has one, from the suite database and, when
  // present, the user database. Throws RunError(kExitFault) naming a database that
  // cannot be read or an emissivity outside 0 to 1.
  ProductCatalogue(const std::string& suiteDatabase, const std::string& userDatabase);

  // Every product of that exact name (case and accents count).
  std::vector<CatalogueProduct> FindByName(const std::string& name) const;
  // The name of the product a layer of that kind and id reads, empty when unknown.
  std::string NameOf(int16_t kind, int32_t id) const;
  // The normal emissivities in percent of the product's face 1 and face 2, converted
  // from the hemispherical fractions the database holds (EN 12898), to two decimals; a
  // face without data is uncoated glass, 89.
  std::pair<double, double> NormalEmissivities(int16_t kind, int32_t id) const;
  // The thickness in mm the database gives for that product, if any.
  std::optional<double> ThicknessOf(int16_t kind, int32_t id) const;

 private:
  void ReadTable(const std::string& path, const char* table, int16_t kind);
  void ReadEmissivities(const std::string& path, bool user);
  std::vector<CatalogueProduct> products_;
  std::map<std::pair<int16_t, int32_t>, std::string> names_;  // by (kind read, id)
  // Hemispherical emissivities (fractions; NaN: no data) by (kind read, id).
  std::map<std::pair<int16_t, int32_t>, std::pair<double, double>> emissivities_;
  std::map<std::pair<int16_t, int32_t>, double> thicknesses_;  // mm, where given
};

}  // namespace lamivex::batch
