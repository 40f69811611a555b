#include "glazing/GasProperties.h"

#include <array>
#include <cstddef>

namespace lamivex::glazing {
namespace {

struct GasRow {
  Gas gas;
  std::string_view name;
  GasProperties properties;
};

// EN 673's gas properties at 10 °C, written once from en673_gas_properties.csv.
constexpr std::array<GasRow, 4> kGases{{
    {Gas::Air, "air", {1.232, 1.761e-05, 2.496e-02, 1008.0}},
    {Gas::Argon, "argon", {1.699, 2.164e-05, 1.684e-02, 519.0}},
    {Gas::Krypton, "krypton", {3.560, 2.400e-05, 0.900e-02, 245.0}},
    {Gas::Xenon, "xenon", {5.689, 2.226e-05, 0.529e-02, 161.0}},
}};

const GasRow& RowOf(Gas gas) {
  return kGases[static_cast<std::size_t>(gas)];
}

}  // namespace

std::optional<Gas> GasNamed(std::string_view name) {
  for (const GasRow& row : kGases) {
    if (row.name == name) return row.gas;
  }
  return std::nullopt;
}

std::string_view GasName(Gas gas) {
  return RowOf(gas).name;
}

GasProperties PropertiesOf(Gas gas) {
  return RowOf(gas).properties;
}

GasProperties PropertiesOf(const GasFilling& filling) {
  const double share = filling.percent / 100.0;
  const GasProperties gas = PropertiesOf(filling.gas);
  const GasProperties air = PropertiesOf(Gas::Air);
  const auto mix = [share](double own, double rest) { return share * own + (1.0 - share) * rest; };
  return {mix(gas.density, air.density), mix(gas.viscosity, air.viscosity),
          mix(gas.conductivity, air.conductivity), mix(gas.specificHeat, air.specificHeat)};
}

}  // namespace lamivex::glazing
