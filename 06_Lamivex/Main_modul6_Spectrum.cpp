// The product check and the spectrum loader: which database and tables hold a
// product, and its spectrum into the run's spectrum arrays.
#include <algorithm>

#include "Main_modul6.h"
#include "platform/RunError.h"
#include "platform/SpectralSchema.h"

namespace lamivex {
namespace {

struct SpectrumSource {
  SpectralDatabase* database = nullptr;
  TableFamily family = TableFamily::Glass;
};

// The user database is always read through the glass tables, whatever the kind; the
// suite's database chooses its table family by kind.
SpectrumSource ChooseSource(LamivexRun& run, int32_t id, int16_t kind) {
  if (IsUserId(id)) return {run.UserSpectralDb.get(), TableFamily::Glass};
  return {run.SpectralDb.get(), FamilyOfKind(kind)};
}

bool IsOpen(const SpectrumSource& source) {
  return source.database != nullptr && source.database->IsOpen();
}

// The rows above 299 nm, faces swapped for a turned layer.
std::vector<SpectrumRow> ReadRows(RecordSet& rows, int16_t inverse) {
  std::vector<SpectrumRow> kept;
  for (; !rows.EndOfFile(); rows.MoveNext()) {
    const double lambda = rows.Field(kColumnLambda);
    if (lambda <= kDroppedAtOrBelowNm) continue;
    const double face1 = rows.Field(kColumnR1);
    const double face2 = rows.Field(kColumnR2);
    kept.push_back(
        {lambda, rows.Field(kColumnT), inverse == 0 ? face1 : face2, inverse == 0 ? face2 : face1});
  }
  return kept;
}

}  // namespace

std::unique_ptr<RecordSet> SelectSpectrum(LamivexRun& run, int32_t id, int16_t kind) {
  if (id < 1) return nullptr;
  const SpectrumSource source = ChooseSource(run, id, kind);
  // A missing user database holds no products.
  if (!IsOpen(source)) return nullptr;
  return source.database->Select(SpectrumQuery(source.family, id));
}

int ProductTables(int32_t id, int16_t kind) {
  return IsUserId(id) ? -1 : static_cast<int>(FamilyOfKind(kind));
}

bool GlassExists(LamivexRun& run, int32_t id, int16_t kind) {
  const auto spectrum = SelectSpectrum(run, id, kind);
  return spectrum != nullptr && spectrum->RecordCount() >= 1;
}

void LoadSpectrum(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse) {
  StoreSpectrum(run, QuerySpectrum(run, id, kind, inverse));
}

std::vector<SpectrumRow> QuerySpectrum(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse) {
  const auto spectrum = SelectSpectrum(run, id, kind);
  if (spectrum == nullptr) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: no spectral database is open for product " + std::to_string(id));
  }
  return SpectrumRows(run, id, kind, inverse, *spectrum);
}

std::vector<SpectrumRow> SpectrumRows(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse,
                                      RecordSet& spectrum) {
  const SpectrumSource source = ChooseSource(run, id, kind);
  const auto product = source.database->Select(ProductQuery(source.family, id));
  std::vector<SpectrumRow> rows = ReadRows(spectrum, inverse);
  if (rows.size() > static_cast<size_t>(kMaxSpectrumRows)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: product " + std::to_string(id) + " of table " +
                       TablesOf(source.family).spectral + " has " + std::to_string(rows.size()) +
                       " rows from 300 nm up; a spectrum holds at most " +
                       std::to_string(kMaxSpectrumRows) + "!");
  }
  // The database gives its rows in no particular order; the resampling needs them ascending.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const SpectrumRow& a, const SpectrumRow& b) { return a.lambda < b.lambda; });
  return rows;
}

void StoreSpectrum(LamivexRun& run, const std::vector<SpectrumRow>& rows) {
  for (size_t s = 1; s <= rows.size(); ++s) {
    run.SpectrumLambda[s] = rows[s - 1].lambda;
    run.SpectrumT[s] = rows[s - 1].t;
    run.SpectrumR1[s] = rows[s - 1].r1;
    run.SpectrumR2[s] = rows[s - 1].r2;
  }
  run.SpectrumCount = static_cast<int16_t>(rows.size());
}

}  // namespace lamivex
