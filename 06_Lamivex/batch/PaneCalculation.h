// A pane of a batch calculated in memory by the run's own calculation, from the products'
// spectra the batch shares: the values a run of the pane's job writes to its files,
// without the files.
#pragma once

#include <vector>

#include "JobWriter.h"
#include "ProductSpectra.h"
#include "StackRun.h"
#include "glazing/DeclaredValues.h"
#include "glazing/PaneSpectrum.h"

namespace lamivex::batch {

// Sets the result's values, and the pane's assembly spectrum when `spectrum` is given.
// Throws RunError as a run of the pane's job stops: "Please, select the glass!" for a
// product without spectrum, a fault for a product that cannot be loaded.
void CalculatePane(const std::vector<JobLayer>& layers, ProductSpectra& spectra,
                   StackResult& result, glazing::PaneSpectrum* spectrum);

// The declared values in the order of kDeclaredKeys, each the number its text in
// Lamivex_EN410.out reads back as.
std::array<double, kDeclaredCount> DeclaredOf(const glazing::DeclaredValues& declared);

}  // namespace lamivex::batch
