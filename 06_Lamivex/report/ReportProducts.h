// Where each layer's product came from, as the spectral databases record it.
#pragma once

#include <vector>

#include "MdlDeclarations.h"
#include "ReportData.h"

namespace lamivex::report {

// Sets each layer's sourceFile to the file its product was imported from, read from the
// product table of the database the run takes the product from (the user's database for
// ids from 1000000, else the suite's table of the layer's kind). A database that is missing
// or cannot be read, a product it does not list and a product without a file leave the
// name empty: the report shows the file where the database has it.
void ReadSourceFiles(const LamivexRun& run, std::vector<LayerReport>& layers);

}  // namespace lamivex::report
