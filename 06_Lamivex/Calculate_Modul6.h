// The assembly: combines the layer spectra, laminated or layer by layer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Interpolation.h"
#include "MdlDeclarations.h"
#include "glazing/PaneSpectrum.h"

namespace lamivex {

inline constexpr const char* kFinalEnergyFile = "Final_Energy_Lamivex.out";
inline constexpr const char* kFinalLightFile = "Final_Light_Lamivex.out";

// The layers of the assembly at every solar grid point, as fractions: layer k
// (1..n) at grid point i (1..441). Rho and RhoBack are the reflectances of one glass/air
// interface as face 1 and as face 2 give them, set for glass layers only.
class AssemblyLayers {
 public:
  explicit AssemblyLayers(int layerCount);

  int Count() const { return count_; }
  int16_t& Kind(int k) { return kind_[k]; }
  int16_t Kind(int k) const { return kind_[k]; }
  bool IsGlass(int k) const { return kind_[k] == 1; }

  double& T(int i, int k) { return t_[At(i, k)]; }
  double& R1(int i, int k) { return r1_[At(i, k)]; }
  double& R2(int i, int k) { return r2_[At(i, k)]; }
  double& Rho(int i, int k) { return rho_[At(i, k)]; }
  double& RhoBack(int i, int k) { return rhoBack_[At(i, k)]; }
  // Stores layer k at grid point i; for a glass also its two interface reflectances.
  void Set(int i, int k, double t, double r1, double r2);
  double T(int i, int k) const { return t_[At(i, k)]; }
  double R1(int i, int k) const { return r1_[At(i, k)]; }
  double R2(int i, int k) const { return r2_[At(i, k)]; }
  double Rho(int i, int k) const { return rho_[At(i, k)]; }
  double RhoBack(int i, int k) const { return rhoBack_[At(i, k)]; }

  // Wavelength of grid point i as the layer files hold it.
  std::array<double, kSolarPoints + 1> Lambda{};

 private:
  size_t At(int i, int k) const { return static_cast<size_t>(i) * (count_ + 2) + k; }
  int count_;
  std::vector<int16_t> kind_;
  std::vector<double> t_, r1_, r2_, rho_, rhoBack_;
};

// Values of the assembly at one grid point, as fractions.
struct AssemblyPoint {
  double T = 1.0;
  double R1 = 0.0;
  double R2 = 0.0;
};

// The layers of kinds[k - 1] and solar spectra spectra[k - 1] (percent, as the layers'
// files hold them). Throws RunError(kExitBadJob) for no layers or more than 1000.
AssemblyLayers AssemblyLayersOf(const std::vector<int16_t>& kinds,
                                const std::vector<GridSpectrum>& spectra);

// How the layers are combined.
enum class AssemblyModel { OneLayer, Laminated, LayerByLayer };
AssemblyModel ModelOf(const AssemblyLayers& layers);

// True when the first and last layers are glass and every layer between is PVB
// (kind 3), with at least two layers: the stack is one laminated slab.
bool UsesLaminatedModel(const AssemblyLayers& layers);

// T1^2 * ... * Tj^2 at grid point i (1 when j < 1).
double FrontPathT2(const AssemblyLayers& layers, int i, int j);
// Tj^2 * ... * Tn^2 at grid point i (1 when j > n).
double BackPathT2(const AssemblyLayers& layers, int i, int j);

// Internal transmittance of a glass of measured transmittance t between two
// interfaces of reflectance rho (fractions): at most 1, and 0 for t <= 0 or rho <= 0.
double InternalTransmittance(double t, double rho);

AssemblyPoint LaminatedPoint(const AssemblyLayers& layers, int i);
AssemblyPoint LayerByLayerPoint(const AssemblyLayers& layers, int i);
// An assembly of one layer, of any kind, is that layer: its T, R1 and R2 at grid point i
// as its spectrum file holds them (faces already swapped for a turned layer).
AssemblyPoint SingleLayerPoint(const AssemblyLayers& layers, int i);

// The assembly's solar spectrum as Final_Energy_Lamivex.out holds it (percent; its text
// too when asked for), and its values before they are written, as fractions.
GridSpectrum CalculateAssembly(const AssemblyLayers& layers, glazing::PaneSpectrum& fractions,
                               bool withText);

}  // namespace lamivex
