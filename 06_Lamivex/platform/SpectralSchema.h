// The spectral databases' tables, columns, id ranges and query texts, in one
// place: the run reads through them and lamivex-db creates, fills and checks
// databases through them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lamivex {

// Ids from this value up are the user's own products, held by the user database.
inline constexpr int32_t kFirstUserId = 1000000;
// Suite catalogue ids run from 1 to this value.
inline constexpr int32_t kLastSuiteId = 999999;
// A spectrum holds at most this many rows above 299 nm: the 5-nm grid from 300 to 2500 nm.
inline constexpr int kMaxSpectrumRows = 441;
// The run drops rows at or below this wavelength (nm) when it loads a spectrum.
inline constexpr double kDroppedAtOrBelowNm = 299.0;

// The three table families. Layer kind 1 reads the glass tables, kind 2 the
// film tables, any other kind the PVB tables.
enum class TableFamily { Glass, Film, PVB };

// The two kinds of database: the suite's catalogue holds the three families,
// the user's database only the glass tables (it serves every layer kind).
enum class DatabaseRole { Suite, User };

struct FamilyTables {
  const char* spectral;  // one row per wavelength
  const char* product;   // one row per product
  const char* kindName;  // "glass", "film", "pvb"
  int16_t kind;          // the layer kind a job gives for it: 1, 2 or 3
};

// Columns of the spectral tables (percent values, wavelength in nm).
inline constexpr const char* kColumnProductId = "glass_id";
inline constexpr const char* kColumnLambda = "lamda";
inline constexpr const char* kColumnT = "transmission_energy";
inline constexpr const char* kColumnR1 = "reflection_energy_face1";
inline constexpr const char* kColumnR2 = "reflection_energy_face2";
// Column of the product tables.
inline constexpr const char* kColumnId = "id";

// The products' face emissivities, where their files give them: one row per product,
// keyed by the family's kindName and the id, front and back as hemispherical
// fractions (NULL when unknown). The run does not read it; databases made before it
// existed lack it, and readers take a missing table as no data.
inline constexpr const char* kEmissivityTable = "product_emissivity";

const FamilyTables& TablesOf(TableFamily family);
TableFamily FamilyOfKind(int16_t kind);

// True for ids of the user's database; the test is made on the id as a floating-point number.
bool IsUserId(int32_t id);
// True when the id belongs to the range the given database serves.
bool IdFitsRole(int32_t id, DatabaseRole role);

// The run's queries: the fixed prefix followed by the id as a plain decimal integer.
std::string SpectrumQuery(TableFamily family, int32_t id);
std::string ProductQuery(TableFamily family, int32_t id);

// The families a database of the given role holds.
std::vector<TableFamily> FamiliesOf(DatabaseRole role);

// The statements that create an empty database of the given role. Spectral rows
// are keyed by (id, wavelength), so that each product's rows come back in
// ascending wavelength and no wavelength is stored twice. Product tables carry
// the product's name, maker, thickness (mm), the file it was imported from and
// that file's published origin, beside the id the run reads. The emissivity table
// comes with them.
std::string SchemaSql(DatabaseRole role);

// The statement that creates the emissivity table (CREATE TABLE IF NOT EXISTS).
std::string EmissivitySchemaSql();

}  // namespace lamivex
