// The rows a batch calculates, made from the input table: one stack per row, or with
// --combine every combination of each row's alternatives.
#pragma once

#include <memory>
#include <vector>

#include "BatchRunner.h"
#include "CsvInput.h"
#include "ProductCatalogue.h"

namespace lamivex::batch {

// Tells a row that cannot be read and holds a '|' about --combine.
void HintAtCombine(std::vector<Stack>& stacks);

// The stacks of the table's rows.
BatchRows TableRows(std::vector<Stack> stacks);

// Every combination of every row, numbered row after row, each made into a stack when it
// is calculated. Throws InputRefused as ReadStacks does for the header, and with the
// count when the rows stand for more than kMaxCombinations combinations.
BatchRows SearchRows(std::vector<CsvRecord> records,
                     std::shared_ptr<const ProductCatalogue> catalogue);

}  // namespace lamivex::batch
