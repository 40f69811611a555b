// The batch's table: one row per stack, as CSV or as JSON.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "StackRun.h"
#include "Stacks.h"

namespace lamivex::batch {

// The value with that many decimals and a point, whatever the locale; -0.00 is 0.00.
std::string Fixed(double value, int decimals);

// Header: name,layers,model,Te,Re1,Ae1,Re2,Ae2,Tl,Rl1,Al1,Rl2,Al2, the declared values
// (g,SC,S,Tuv,Ra,T_L,...,R2_b), status,message; UTF-8. The values of a stack that was not
// calculated are empty.
void WriteCsv(std::ostream& out, const std::vector<Stack>& stacks,
              const std::vector<StackResult>& results);

// An array of objects with the same keys; the values of a stack not calculated are null.
void WriteJson(std::ostream& out, const std::vector<Stack>& stacks,
               const std::vector<StackResult>& results);

}  // namespace lamivex::batch
