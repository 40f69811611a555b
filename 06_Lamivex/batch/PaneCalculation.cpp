// Every number the run would write to a file and read back (an emissivity of the job, a
// declared value, a spectrum's values) takes the same text form here, so that the values
// are those of the files to the last digit.
#include "PaneCalculation.h"

#include <algorithm>
#include <exception>

#include "Calculate_Modul6_Stack.h"
#include "Interpolation.h"
#include "Main_modul6.h"
#include "Result_EN410_Modul6.h"
#include "platform/RunError.h"

namespace lamivex::batch {
namespace {

double ThroughText(double value) {
  double read = 0.0;
  ParseNumber(FormatRunNumber(value), read);
  return read;
}

// As the run: every layer's product is checked before any spectrum is loaded.
std::vector<StackLayer> LayersWithProducts(const std::vector<JobLayer>& layers,
                                           ProductSpectra& spectra) {
  std::vector<const ProductSpectra::Product*> products;
  for (size_t k = 0; k < layers.size(); ++k) {
    products.push_back(&spectra.Find(layers[k].id, layers[k].kind));
    if (!products.back()->exists) {
      const int layer = static_cast<int>(k + 1);
      throw RunError(kExitMissingProduct, "SM5.2",
                     "Please, select the glass!\n" +
                         spectra.MissingDetail(layer, layers[k].id, layers[k].kind));
    }
  }
  std::vector<StackLayer> stack;
  for (size_t k = 0; k < layers.size(); ++k) {
    if (products[k]->loadFault) std::rethrow_exception(products[k]->loadFault);
    stack.push_back({layers[k].kind, layers[k].turned, ThroughText(layers[k].emn1),
                     ThroughText(layers[k].emn2), &products[k]->rows});
  }
  return stack;
}

}  // namespace

std::array<double, kDeclaredCount> DeclaredOf(const glazing::DeclaredValues& declared) {
  const glazing::DeclaredValues& v = declared;
  const double values[kDeclaredCount] = {v.g,   v.SC,   v.S,    v.Tuv,  v.Ra,   v.T.L,  v.T.a,
                                         v.T.b, v.R1.L, v.R1.a, v.R1.b, v.R2.L, v.R2.a, v.R2.b};
  std::array<double, kDeclaredCount> read{};
  for (size_t k = 0; k < kDeclaredCount; ++k) read[k] = ThroughText(values[k]);
  return read;
}

void CalculatePane(const std::vector<JobLayer>& layers, ProductSpectra& spectra,
                   StackResult& result, glazing::PaneSpectrum* spectrum) {
  const StackCalculation pane =
      CalculateStack(LayersWithProducts(layers, spectra), false, &spectra.Layers());
  const SummaryResults& s = pane.summary;
  result.values = {s.Te, s.Re1, 100.0 - s.Te - s.Re1, s.Re2, 100.0 - s.Te - s.Re2,
                   s.Tl, s.Rl1, 100.0 - s.Tl - s.Rl1, s.Rl2, 100.0 - s.Tl - s.Rl2};
  const std::array<double, kDeclaredCount> declared = DeclaredOf(pane.declared);
  std::copy(declared.begin(), declared.end(), result.values.begin() + kIntegratedCount);
  result.calculated = true;
  if (!spectrum) return;
  const std::vector<SpectrumRecord>& records = pane.assemblySpectrum.records;
  if (records.size() != static_cast<size_t>(glazing::kGridPoints)) {
    throw RunError(kExitFault, "SM5.2",
                   "Error: the assembly spectrum holds " + std::to_string(records.size()) +
                       " points, not 441");
  }
  for (int i = 0; i < glazing::kGridPoints; ++i) {
    spectrum->T[i] = records[i].t / 100.0;
    spectrum->R1[i] = records[i].r1 / 100.0;
    spectrum->R2[i] = records[i].r2 / 100.0;
  }
}

}  // namespace lamivex::batch
