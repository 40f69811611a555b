// The product check and the spectrum loader: which database and tables hold a
// product, and its spectrum into the run's spectrum arrays.
#include <algorithm>
#include <array>

#include "Main_modul6.h"
#include "platform/RunError.h"

namespace lamivex {
namespace {

// Ids from 1,000,000 up are the user's own products.
constexpr double kFirstUserId = 1000000.0;

struct SpectrumSource {
  SpectralDatabase* database = nullptr;
  const char* spectrumTable = "";
  const char* productTable = "";
};

// The user database is always read through the glass tables, whatever the kind; the
// suite's database chooses its table family by kind.
SpectrumSource ChooseSource(LamivexRun& run, int32_t id, int16_t kind) {
  if (static_cast<double>(id) >= kFirstUserId) {
    return {run.UserSpectralDb.get(), "spectral_energy", "glass"};
  }
  if (kind == 1) return {run.SpectralDb.get(), "spectral_energy", "glass"};
  if (kind == 2) return {run.SpectralDb.get(), "spectral_energy_film", "film"};
  return {run.SpectralDb.get(), "spectral_energy_PVB", "PVB"};
}

std::string SpectrumQuery(const SpectrumSource& source, int32_t id) {
  return std::string("select * from ") + source.spectrumTable +
         " where glass_id=" + std::to_string(id);
}

std::string ProductQuery(const SpectrumSource& source, int32_t id) {
  return std::string("select * from ") + source.productTable + " where id=" + std::to_string(id);
}

struct SpectrumRow {
  double lambda, t, r1, r2;
};

// The rows above 299 nm, faces swapped for a turned layer.
std::vector<SpectrumRow> ReadRows(RecordSet& rows, int16_t inverse) {
  std::vector<SpectrumRow> kept;
  for (; !rows.EndOfFile(); rows.MoveNext()) {
    const double lambda = rows.Field("lamda");
    if (lambda <= 299) continue;
    const double face1 = rows.Field("reflection_energy_face1");
    const double face2 = rows.Field("reflection_energy_face2");
    kept.push_back({lambda, rows.Field("transmission_energy"), inverse == 0 ? face1 : face2,
                    inverse == 0 ? face2 : face1});
  }
  return kept;
}

}  // namespace

bool GlassExists(LamivexRun& run, int32_t id, int16_t kind) {
  if (id < 1) return false;
  const SpectrumSource source = ChooseSource(run, id, kind);
  // A missing user database holds no products.
  if (source.database == nullptr || !source.database->IsOpen()) return false;
  return source.database->Select(SpectrumQuery(source, id))->RecordCount() >= 1;
}

void LoadSpectrum(LamivexRun& run, int32_t id, int16_t kind, int16_t inverse) {
  const SpectrumSource source = ChooseSource(run, id, kind);
  if (source.database == nullptr || !source.database->IsOpen()) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: no spectral database is open for product " + std::to_string(id));
  }
  const auto spectrum = source.database->Select(SpectrumQuery(source, id));
  const auto product = source.database->Select(ProductQuery(source, id));
  std::vector<SpectrumRow> rows = ReadRows(*spectrum, inverse);
  if (rows.size() > static_cast<size_t>(kSolarPoints)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: product " + std::to_string(id) + " of table " + source.spectrumTable +
                       " has " + std::to_string(rows.size()) +
                       " rows from 300 nm up; a spectrum holds at most " +
                       std::to_string(kSolarPoints) + "!");
  }
  // The database gives its rows in no particular order; the resampling needs them ascending.
  std::stable_sort(rows.begin(), rows.end(),
                   [](const SpectrumRow& a, const SpectrumRow& b) { return a.lambda < b.lambda; });
  for (size_t s = 1; s <= rows.size(); ++s) {
    run.SpectrumLambda[s] = rows[s - 1].lambda;
    run.SpectrumT[s] = rows[s - 1].t;
    run.SpectrumR1[s] = rows[s - 1].r1;
    run.SpectrumR2[s] = rows[s - 1].r2;
  }
  run.SpectrumCount = static_cast<int16_t>(rows.size());
}

}  // namespace lamivex
