// Normal and corrected emissivity of a glass surface (EN 12898): the job and the
// product files give the normal emissivity, the heat transfer needs the corrected one.
#pragma once

namespace lamivex::glazing {

// Normal emissivity of uncoated glass; it corrects to 0.837.
inline constexpr double kUncoatedNormalEmissivity = 0.89;

// The corrected (hemispherical) emissivity of a surface of normal emissivity `normal`,
// both as fractions.
double CorrectedEmissivity(double normal);

// The normal emissivity whose corrected emissivity is `corrected` (fractions). The
// polynomial rises steadily on 0..1, so the inverse is unique; a corrected emissivity
// above what a normal emissivity of 1 gives is taken as 1.
double NormalEmissivity(double corrected);

}  // namespace lamivex::glazing
