// The line that follows "Please, select the glass!": which layer, which product, and
// where the run looked for its spectrum.
#include "Main_modul6.h"
#include "platform/SpectralSchema.h"

namespace lamivex {
namespace {

std::string KindText(int16_t kind) {
  if (kind == 1) return "kind 1, glass";
  if (kind == 2) return "kind 2, film";
  return "kind " + std::to_string(kind) + ", PVB interlayer";
}

}  // namespace

std::string MissingProductDetail(const LamivexRun& run, int k, const std::string& userDatabase) {
  const int32_t id = run.GlassId[k];
  const int16_t kind = run.GlassKind[k];
  const std::string layer = "Layer " + std::to_string(k) + ": product " + std::to_string(id) +
                            " (" + KindText(kind) + ")";
  if (id < 1) return layer + ": product ids start at 1.";
  if (IsUserId(id)) {
    const bool open = run.UserSpectralDb != nullptr && run.UserSpectralDb->IsOpen();
    if (!open) {
      return layer + " is a user product (ids from " + std::to_string(kFirstUserId) +
             " up), but the user database " + userDatabase +
             " does not exist; lamivex-db create makes it, lamivex-db import adds products to "
             "it and lamivex-db list shows them.";
    }
    return layer + " has no spectrum in the table " + TablesOf(TableFamily::Glass).spectral +
           " of the user database " + userDatabase + "; lamivex-db list '" + userDatabase +
           "' shows its products.";
  }
  const std::string suite = run.SpectralDb != nullptr ? run.SpectralDb->Path() : std::string();
  return layer + " has no spectrum in the table " + TablesOf(FamilyOfKind(kind)).spectral +
         " of the suite database " + suite +
         " (kind 1 reads the glass tables, kind 2 the film tables, any other kind the PVB "
         "tables).";
}

}  // namespace lamivex
