// The stacks of a batch, one per row of the input table.
#pragma once

#include <string>
#include <vector>

#include "CsvInput.h"
#include "JobWriter.h"
#include "ProductCatalogue.h"
#include "glazing/UnitThermal.h"

namespace lamivex::batch {

// A pane of a glazing unit: its layers, run as a stack of their own, and what the unit's
// heat transfer needs of it.
struct UnitPane {
  std::vector<JobLayer> layers;
  glazing::ThermalPane thermal;
};

struct Stack {
  int line = 0;                  // line of the input
  std::string name;              // the stack's name, column "name"
  std::string layersText;        // column "layers" as written
  std::vector<JobLayer> layers;  // a single pane's layers; empty for a glazing unit
  std::vector<UnitPane> panes;   // a glazing unit's panes, outside first
  std::vector<glazing::ThermalGap> gaps;
  std::string assumedThicknesses;  // the unit's layers whose thickness was assumed
  std::string problem;             // why the row was not understood; empty for a good row
};

// The stacks of the records after the header. Throws InputRefused when the header lacks
// "name" or "layers", names a column twice or a column this program does not know.
std::vector<Stack> ReadStacks(const std::vector<CsvRecord>& records,
                              const ProductCatalogue& catalogue);

// One layer as written in the column "layers": [kind:](id | [product name])[~][@e1/e2].
// Faces without @e1/e2 take the product's emissivities (see NormalEmissivities).
// Throws std::invalid_argument with the reason when it is not understood.
JobLayer ParseLayer(const std::string& token, const ProductCatalogue& catalogue);

// The layers of a "layers" column: separated by blanks, a name in brackets kept whole.
std::vector<std::string> SplitLayers(const std::string& text);

}  // namespace lamivex::batch
