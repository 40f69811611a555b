// Values given on lamivex-db's command line: a product kind and a product id.
#pragma once

#include <cstdint>
#include <string>

#include "platform/SpectralSchema.h"

namespace lamivexdb {

// "glass", "film" or "pvb" (also "PVB"); throws UsageError for anything else.
lamivex::TableFamily ParseKind(const std::string& kind);

// A whole number that fits a product id; `what` names the argument in the
// UsageError thrown for anything else ("--id", "ID").
int32_t ParseProductId(const std::string& text, const std::string& what);

}  // namespace lamivexdb
