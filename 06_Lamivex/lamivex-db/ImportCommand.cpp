// lamivex-db import: every file is read and checked first, then all products go
// into the database in one transaction. A refused file leaves the database as it
// was, unless --skip-bad is given: then the refused files are listed and the
// others imported.
#include <filesystem>
#include <ostream>

#include "CatalogueDatabase.h"
#include "CommandValues.h"
#include "Commands.h"
#include "ProductReaders.h"

namespace lamivexdb {

namespace {

using lamivex::DatabaseRole;
using lamivex::TableFamily;

// One FILE of the command line and what became of it.
struct Candidate {
  std::string file;                        // as given
  std::optional<ProductSpectrum> product;  // empty once refused
  std::optional<int32_t> id;               // the id it was given in this import
};

// Refused files: the first one ends the command, or with --skip-bad each is kept
// to be listed at the end.
class Refusals {
 public:
  Refusals(bool skipBad, std::size_t fileCount) : skipBad_(skipBad), fileCount_(fileCount) {}

  void Refuse(Candidate& candidate, const std::string& message) {
    if (!skipBad_) {
      if (fileCount_ == 1) throw ImportError(message);
      throw ImportError(message + "; none of the " + std::to_string(fileCount_) +
                        " files was imported; give --skip-bad to import the others");
    }
    candidate.product.reset();
    messages_.push_back(message);
  }

  // The refusals and their count on standard error; true when a file was refused.
  bool Print(std::ostream& err) const {
    for (const std::string& message : messages_) err << "lamivex-db import: " << message << "\n";
    if (messages_.empty()) return false;
    err << "lamivex-db import: " << messages_.size() << " of " << fileCount_
        << " files refused (--skip-bad); " << fileCount_ - messages_.size() << " imported\n";
    return true;
  }

 private:
  bool skipBad_;
  std::size_t fileCount_;
  std::vector<std::string> messages_;
};

std::string RangeText(DatabaseRole role) {
  return role == DatabaseRole::User ? "a user database takes ids from 1000000 up"
                                    : "a suite database takes ids from 1 to 999999";
}

int32_t ChooseId(SqliteConnection& db, DatabaseRole role, TableFamily family,
                 const std::optional<int32_t>& requested) {
  if (!requested) return NextFreeId(db, role);
  const int32_t id = *requested;
  if (!lamivex::IdFitsRole(id, role)) {
    throw DatabaseError(db.Path() + ": id " + std::to_string(id) +
                        " is out of range: " + RangeText(role));
  }
  if (IdTaken(db, family, id)) {
    throw DatabaseError(db.Path() + ": id " + std::to_string(id) + " is taken in the " +
                        lamivex::TablesOf(family).kindName + " tables");
  }
  return id;
}

std::string Report(const ProductSpectrum& product, int32_t id, TableFamily family) {
  std::string line = product.sourceFile + ": imported as id " + std::to_string(id) + " (" +
                     lamivex::TablesOf(family).kindName + ", \"" + product.name + "\", " +
                     std::to_string(product.rows.size()) + " rows";
  if (product.rowsAboveGridLeftOut > 0) {
    line += "; " + std::to_string(product.rowsAboveGridLeftOut) + " rows above 2500 nm left out";
  }
  if (product.reversed) line += "; rows in descending order reversed";
  if (product.rowsResampled > 0) {
    line += "; " + std::to_string(product.rowsResampled) + " rows resampled to " +
            std::to_string(product.rows.size());
  }
  return line + ")";
}

std::vector<Candidate> ReadFiles(const std::vector<std::string>& files, const ParsedArguments& args,
                                 Refusals& refusals) {
  const ColumnValues values =
      args.Has("--fractions") ? ColumnValues::Fractions : ColumnValues::Percent;
  std::vector<Candidate> candidates;
  for (const std::string& file : files) {
    Candidate& candidate = candidates.emplace_back(Candidate{file, std::nullopt, std::nullopt});
    try {
      candidate.product = ReadProductFile(file, values);
    } catch (const ImportError& e) {
      refusals.Refuse(candidate, e.what());
    }
  }
  const auto name = args.Value("--name");
  if (name && candidates.front().product) candidates.front().product->name = *name;
  return candidates;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

// What the stored product `same` is to the candidate: a product of the database, or
// one this import gave an id (named by its file, for that id goes with a roll-back).
std::string SameProductText(const std::vector<Candidate>& candidates, const Candidate& candidate,
                            int32_t same) {
  const ProductSpectrum& product = *candidate.product;
  const std::string what =
      "(\"" + product.name + "\", the same " + std::to_string(product.rows.size()) + " rows)";
  for (const Candidate& earlier : candidates) {
    if (earlier.id != same) continue;
    if (SameFile(earlier.file, candidate.file)) {
      return candidate.file + ": given twice in this import " + what;
    }
    return candidate.file + ": the same product as " + earlier.file + ", given before it " + what;
  }
  return candidate.file + ": id " + std::to_string(same) + " holds the same product " + what;
}

}  // namespace

int ImportCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err) {
  if (args.positional.size() < 2) throw UsageError("expects PATH and at least one FILE");
  const std::string& path = args.positional[0];
  const std::vector<std::string> files(args.positional.begin() + 1, args.positional.end());
  if (files.size() > 1 && (args.Has("--id") || args.Has("--name"))) {
    throw UsageError("--id and --name take one FILE");
  }
  const TableFamily kind = ParseKind(args.Value("--kind").value_or("glass"));
  std::optional<int32_t> requestedId;
  if (const auto id = args.Value("--id")) requestedId = ParseProductId(*id, "--id");

  Refusals refusals(args.Has("--skip-bad"), files.size());
  std::vector<Candidate> candidates = ReadFiles(files, args, refusals);
  for (const Candidate& candidate : candidates) {
    if (!candidate.product) continue;
    for (const std::string& warning : candidate.product->warnings)
      err << "lamivex-db import: " << warning << "\n";
  }

  RequireDatabaseFile(path);
  SqliteConnection db(path, SqliteConnection::Mode::ReadWrite);
  const DatabaseRole role = RoleOf(db);
  const TableFamily family = role == DatabaseRole::User ? TableFamily::Glass : kind;
  std::vector<std::string> reports;
  std::vector<std::string> duplicates;
  Transaction transaction(db);
  for (Candidate& candidate : candidates) {
    if (!candidate.product) continue;
    const int32_t id = ChooseId(db, role, family, requestedId);
    if (const auto same = FindSameProduct(db, family, *candidate.product)) {
      const std::string message = SameProductText(candidates, candidate, *same);
      if (!args.Has("--duplicate")) {
        refusals.Refuse(candidate, message + "; give --duplicate to import it again");
        continue;
      }
      duplicates.push_back(message + "; imported again (--duplicate)");
    }
    InsertProduct(db, family, id, *candidate.product, args.Value("--origin").value_or(""));
    candidate.id = id;
    reports.push_back(Report(*candidate.product, id, family));
  }
  transaction.Commit();
  for (const std::string& duplicate : duplicates) err << "lamivex-db import: " << duplicate << "\n";
  const bool refused = refusals.Print(err);
  for (const std::string& report : reports) out << report << "\n";
  return refused ? kExitRefused : kExitOk;
}

}  // namespace lamivexdb
