// The spectra of the products a batch's stacks use, each read from its database once
// and shared by every stack that uses it, and their layers, each resampled once. A batch never
// writes the databases, and it expects no one else to while it runs.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Calculate_Modul6_LayerCache.h"
#include "MdlDeclarations.h"

namespace lamivex::batch {

class ProductSpectra {
 public:
  // Opens the suite database of the program folder and, when it exists, the user's.
  ProductSpectra(const std::string& programFolder, const std::string& userDatabase);

  struct Product {
    bool exists = false;  // the run's product check finds it
    std::vector<SpectrumRow> rows;
    std::exception_ptr loadFault;  // what loading its spectrum threw
  };

  // The product a layer of that kind reads: whether it exists and its rows as the run
  // loads them (from 300 nm up, ascending, not turned). Throws as the run's product check
  // throws (a database fault), to every stack that asks. Safe to call from several
  // threads; the product stays in place as long as this object.
  const Product& Find(int32_t id, int16_t kind);

  // The products as a run of a stack's job takes them instead of its databases
  // (LamivexRun::LoadedProducts).
  std::function<const std::vector<SpectrumRow>*(int32_t id, int16_t kind, bool load)> ForRun();

  // The products' layers, resampled once for every stack that uses them.
  LayerCache& Layers() { return layers_; }

  // What the run's "Please, select the glass!" says of layer k whose product is missing.
  std::string MissingDetail(int k, int32_t id, int16_t kind);

 private:
  struct Entry {
    Product product;
    std::exception_ptr checkFault;
  };
  std::mutex mutex_;
  LamivexRun run_;  // its database connections, and a layer slot for the messages
  std::map<std::pair<int, int32_t>, Entry> products_;
  LayerCache layers_;  // by (table family, id)
};

}  // namespace lamivex::batch
