// Reads go through the run's own product check and spectrum query, so that a product
// is found, refused or loaded exactly as a lamivex run finds, refuses or loads it.
#include "ProductSpectra.h"

#include "Main_modul6.h"
#include "platform/Folders.h"
#include "platform/SpectralSchema.h"
#include "platform/TextFiles.h"

namespace lamivex::batch {

ProductSpectra::ProductSpectra(const std::string& programFolder, const std::string& userDatabase) {
  run_.ProgramFolder = programFolder;
  run_.UserDatabase = userDatabase;
  run_.SpectralDb = std::make_unique<SpectralDatabase>();
  run_.SpectralDb->Open(programFolder + "/" + kSuiteDatabaseInProgramFolder, "", true);
  run_.UserSpectralDb = std::make_unique<SpectralDatabase>();
  if (FileExists(userDatabase)) run_.UserSpectralDb->Open(userDatabase, "", true);
}

const ProductSpectra::Product& ProductSpectra::Find(int32_t id, int16_t kind) {
  // The user's database serves every kind through its glass tables.
  const int family = IsUserId(id) ? -1 : static_cast<int>(FamilyOfKind(kind));
  const std::lock_guard lock(mutex_);
  auto [at, added] = products_.try_emplace({family, id});
  Entry& entry = at->second;
  if (added) {
    try {
      entry.product.exists = GlassExists(run_, id, kind);
    } catch (...) {
      entry.checkFault = std::current_exception();
    }
    try {
      if (entry.product.exists) entry.product.rows = QuerySpectrum(run_, id, kind, 0);
    } catch (...) {
      entry.product.loadFault = std::current_exception();
    }
  }
  if (entry.checkFault) std::rethrow_exception(entry.checkFault);
  return entry.product;
}

std::function<const std::vector<SpectrumRow>*(int32_t, int16_t, bool)> ProductSpectra::ForRun() {
  return [this](int32_t id, int16_t kind, bool load) -> const std::vector<SpectrumRow>* {
    const Product& product = Find(id, kind);
    if (!product.exists) return nullptr;
    if (load && product.loadFault) std::rethrow_exception(product.loadFault);
    return &product.rows;
  };
}

std::string ProductSpectra::MissingDetail(int k, int32_t id, int16_t kind) {
  const std::lock_guard lock(mutex_);
  run_.GlassId[k] = id;
  run_.GlassKind[k] = kind;
  return MissingProductDetail(run_, k, run_.UserDatabase);
}

}  // namespace lamivex::batch
