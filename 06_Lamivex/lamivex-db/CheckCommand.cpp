// lamivex-db check: reads every product with the run's own queries and reports
// what would make a run misbehave or refuse it (problems, status 1), and the
// measuring noise a run goes through (warnings, status unchanged).
#include <ostream>

#include "CatalogueDatabase.h"
#include "Commands.h"
#include "SpectrumChecks.h"

namespace lamivexdb {

namespace {

using lamivex::DatabaseRole;

std::vector<std::string> ProblemsOf(const StoredProduct& product, DatabaseRole role) {
  std::vector<std::string> problems;
  if (!lamivex::IdFitsRole(product.id, role)) {
    problems.push_back(role == DatabaseRole::User
                           ? "id below 1000000: the run never looks for it in a user database"
                           : "id outside 1 to 999999: the run never looks for it in the suite "
                             "database");
  }
  for (const SpectrumProblem& problem : FindSpectrumProblems(product.rows)) {
    problems.push_back(DescribeProblem(problem));
  }
  if (product.rows.empty()) problems.back() += ": the run stops with \"Please, select the glass!\"";
  return problems;
}

// Measuring noise a run goes through: told, but no reason for status 1.
std::vector<std::string> WarningsOf(const StoredProduct& product) {
  const SumNoise noise = FindSumNoise(product.rows);
  if (noise.wavelengths == 0) return {};
  return {"warning: " + DescribeSumNoise(noise, product.rows.size())};
}

void PrintLines(const StoredProduct& product, const std::vector<std::string>& lines,
                std::ostream& out) {
  for (const std::string& line : lines) {
    out << lamivex::TablesOf(product.family).kindName << ' ' << product.id << " \"" << product.name
        << "\": " << line << '\n';
  }
}

struct Tally {
  std::size_t lines = 0;
  std::size_t products = 0;
  void Add(std::size_t count) {
    lines += count;
    products += count == 0 ? 0 : 1;
  }
};

}  // namespace

int CheckCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  RequireDatabaseFile(args.positional[0]);
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadOnly);
  const DatabaseRole role = RoleOf(db);
  const std::vector<StoredProduct> products = ReadProducts(db, role);
  Tally problems;
  Tally warnings;
  for (const StoredProduct& product : products) {
    const std::vector<std::string> found = ProblemsOf(product, role);
    const std::vector<std::string> noted = WarningsOf(product);
    PrintLines(product, found, out);
    PrintLines(product, noted, out);
    problems.Add(found.size());
    warnings.Add(noted.size());
  }
  if (problems.lines == 0) {
    out << products.size() << " products checked, no problems found";
  } else {
    out << problems.lines << " problems in " << problems.products << " of " << products.size()
        << " products";
  }
  if (warnings.lines > 0) {
    out << "; " << warnings.lines << " warnings in " << warnings.products
        << " products (a run goes through them)";
  }
  out << '\n';
  return problems.lines == 0 ? kExitOk : kExitProblemsFound;
}

}  // namespace lamivexdb
