// The fill gases of an insulating glazing unit's gaps and their properties at the
// mean temperature of the declared U value (10 °C), as EN 673 gives them.
#pragma once

#include <optional>
#include <string_view>

namespace lamivex::glazing {

enum class Gas { Air, Argon, Krypton, Xenon };

// The properties the gap's convection needs, in SI units.
struct GasProperties {
  double density = 0.0;       // kg/m³
  double viscosity = 0.0;     // dynamic, kg/(m s)
  double conductivity = 0.0;  // W/(m K)
  double specificHeat = 0.0;  // J/(kg K)
};

// A gap's filling: `percent` of `gas` by volume, the rest air.
struct GasFilling {
  Gas gas = Gas::Air;
  double percent = 100.0;
};

// The gas named `name` ("air", "argon", "krypton", "xenon"), or nothing.
std::optional<Gas> GasNamed(std::string_view name);

std::string_view GasName(Gas gas);

// The properties of a pure gas at 10 °C.
GasProperties PropertiesOf(Gas gas);

// The properties of a filling: each one the volume-weighted mean of the gas's and air's.
GasProperties PropertiesOf(const GasFilling& filling);

}  // namespace lamivex::glazing
