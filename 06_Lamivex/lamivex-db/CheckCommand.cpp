// lamivex-db check: reads every product with the run's own queries and reports
// what would make a run misbehave or refuse it.
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

}  // namespace

int CheckCommand(const ParsedArguments& args, std::ostream& out, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  SqliteConnection db(args.positional[0], SqliteConnection::Mode::ReadOnly);
  const DatabaseRole role = RoleOf(db);
  const std::vector<StoredProduct> products = ReadProducts(db, role);
  std::size_t problemCount = 0;
  std::size_t productsWithProblems = 0;
  for (const StoredProduct& product : products) {
    const std::vector<std::string> problems = ProblemsOf(product, role);
    for (const std::string& problem : problems) {
      out << lamivex::TablesOf(product.family).kindName << ' ' << product.id << " \""
          << product.name << "\": " << problem << '\n';
    }
    problemCount += problems.size();
    productsWithProblems += problems.empty() ? 0 : 1;
  }
  if (problemCount == 0) {
    out << products.size() << " products checked, no problems found\n";
    return kExitOk;
  }
  out << problemCount << " problems in " << productsWithProblems << " of " << products.size()
      << " products\n";
  return kExitProblemsFound;
}

}  // namespace lamivexdb
