// The calculation of one stack over data in memory: the layers' product spectra in; the
// layers' and the assembly's solar spectra, their integrated characteristics, the summary
// values and the declared values out. lamivex writes the files that stay after a run from
// it; a caller without files (a batch of stacks) uses the values alone.
#pragma once

#include <cstdint>
#include <vector>

#include "Calculate_Modul6.h"
#include "Calculate_Modul6_LayerCache.h"
#include "Interpolation.h"
#include "MdlDeclarations.h"
#include "Result_Common_Modul6.h"
#include "glazing/DeclaredValues.h"
#include "glazing/PaneSpectrum.h"

namespace lamivex {

// One layer of the stack, from face 1 (outside) to face 2.
struct StackLayer {
  int16_t kind = 1;     // 1 glass, 2 film, 3 PVB interlayer, 4 a layer not bonded to its neighbours
  bool turned = false;  // turned face for face: the product's face-2 reflectance faces outside
  double emn1 = 0.0;    // normal emissivities of face 1 and face 2, percent
  double emn2 = 0.0;
  // The product's rows as QuerySpectrum loads them with no turn (ascending wavelengths from
  // 300 nm up, 1 to 441 rows); not owned, so that stacks can share a loaded product.
  const std::vector<SpectrumRow>* product = nullptr;
};

// The six values of the summary Lamivex.out before rounding: the layer's own for a stack of
// one layer, else the assembly's.
struct SummaryResults {
  double Te = 0.0, Re1 = 0.0, Re2 = 0.0;
  double Tl = 0.0, Rl1 = 0.0, Rl2 = 0.0;
};

struct StackCalculation {
  AssemblyModel model = AssemblyModel::OneLayer;
  // Layer k at index k - 1: the content of Energy_k.out (its text when asked for), and the
  // values of its energy and light result lines.
  std::vector<GridSpectrum> layerSpectra;
  std::vector<IntegratedValues> layerEnergy, layerLight;
  // The content of Final_Energy_Lamivex.out, and the assembly's result lines.
  GridSpectrum assemblySpectrum;
  IntegratedValues assemblyEnergy, assemblyLight;
  // The assembly's spectrum before it is written (fractions), as the declared values take it.
  glazing::PaneSpectrum assembly;
  SummaryResults summary;
  // The values of Lamivex_EN410.out, with the last layer's face-2 emissivity.
  glazing::DeclaredValues declared;
};

// Calculates the stack; withFileText: also the text of Energy_k.out and of
// Final_Energy_Lamivex.out. With a cache (and no file text), each layer is taken from it,
// resampled there the first time a stack uses it. Every number of a spectrum is the one its file's
// text reads back as, and every integration takes those numbers, so that the values are those of
// the run that writes and reads its files. Throws RunError: kExitBadJob for no layers or more than
// 1000, kExitFault for a product of no rows or more than 441.
StackCalculation CalculateStack(const std::vector<StackLayer>& layers, bool withFileText,
                                LayerCache* cache = nullptr);

// The stack of the run's layer table, each layer's product taken from run.LayerSpectra.
std::vector<StackLayer> StackLayersOf(const LamivexRun& run);

}  // namespace lamivex
