// Product names of the spectral databases, for the rows of a batch: a layer given by
// a product's name is found here, and a layer given by its id takes its name from here.
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
  // Reads every product's id and name from the suite database and, when present, the
  // user database. Throws RunError(kExitFault) naming a database that cannot be read.
  ProductCatalogue(const std::string& suiteDatabase, const std::string& userDatabase);

  // Every product of that exact name (case and accents count).
  std::vector<CatalogueProduct> FindByName(const std::string& name) const;
  // The name of the product a layer of that kind and id reads, empty when unknown.
  std::string NameOf(int16_t kind, int32_t id) const;

 private:
  void ReadTable(const std::string& path, const char* table, int16_t kind);
  std::vector<CatalogueProduct> products_;
  std::map<std::pair<int16_t, int32_t>, std::string> names_;  // by (kind read, id)
};

}  // namespace lamivex::batch
