// The products' face emissivities, in a table of their own beside the tables the
// run reads. Databases made before the table existed lack it: reading takes a
// missing table as no data, and storing creates it.
#pragma once

#include <cstdint>

#include "ProductSpectrum.h"
#include "SqliteConnection.h"
#include "platform/SpectralSchema.h"

namespace lamivexdb {

// Replaces the row of the product by these values (NULL where unknown). The caller
// holds the transaction.
void StoreEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id,
                       const FaceEmissivities& emissivity);

FaceEmissivities ReadEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id);

// Removes the product's row, where there is one. The caller holds the transaction.
void DeleteEmissivities(SqliteConnection& db, lamivex::TableFamily family, int32_t id);

}  // namespace lamivexdb
