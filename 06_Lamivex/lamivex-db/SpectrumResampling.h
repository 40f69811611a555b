// Spectrophotometer exports the run cannot take as they stand: rows listed from
// the longest wavelength down, and grids denser than the run's 5-nm solar grid.
#pragma once

#include "ProductSpectrum.h"

namespace lamivexdb {

// Puts rows listed in descending wavelength (each at or below the one before) in
// ascending order and notes it; rows out of order in any other way stay as they are.
void ReverseDescendingRows(ProductSpectrum& product);

// True when more rows lie above 299 nm than the run's spectrum arrays hold.
bool NeedsResampling(const std::vector<SpectrumRow>& rows);

// Replaces ascending rows that cover 300 to 2500 nm by the 5-nm grid from 300 to
// 2500 nm, each point interpolated linearly between the two measured rows around it.
void ResampleOntoSolarGrid(ProductSpectrum& product);

}  // namespace lamivexdb
