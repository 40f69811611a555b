// The source files of the layers' products.
#include "ReportProducts.h"

#include "platform/Folders.h"
#include "platform/RunError.h"
#include "platform/SpectralDatabase.h"
#include "platform/SpectralSchema.h"
#include "platform/TextFiles.h"

namespace lamivex::report {
namespace {

// The database at the path, open, or none when it is missing or cannot be opened.
std::unique_ptr<SpectralDatabase> OpenIfReadable(const std::string& path) {
  if (!FileExists(path)) return nullptr;
  auto database = std::make_unique<SpectralDatabase>();
  try {
    database->Open(path);
  } catch (const RunError&) {
    return nullptr;
  }
  return database;
}

std::string SourceFile(SpectralDatabase* database, TableFamily family, int32_t id) {
  if (database == nullptr) return std::string();
  try {
    return database->Select(ProductQuery(family, id))->OptionalText("source_file");
  } catch (const RunError&) {  // a database of an older layout, without product tables
    return std::string();
  }
}

}  // namespace

void ReadSourceFiles(const LamivexRun& run, std::vector<LayerReport>& layers) {
  const auto suite = OpenIfReadable(run.ProgramFolder + "/" + kSuiteDatabaseInProgramFolder);
  const auto user = OpenIfReadable(run.ProfilePath + "/" + kUserDatabaseInProfileFolder);
  for (LayerReport& layer : layers) {
    layer.sourceFile = IsUserId(layer.id)
                           ? SourceFile(user.get(), TableFamily::Glass, layer.id)
                           : SourceFile(suite.get(), FamilyOfKind(layer.kind), layer.id);
  }
}

}  // namespace lamivex::report
