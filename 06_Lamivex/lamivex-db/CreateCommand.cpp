#include <ostream>

#include "CatalogueDatabase.h"
#include "Commands.h"

namespace lamivexdb {

int CreateCommand(const ParsedArguments& args, std::ostream&, std::ostream&) {
  if (args.positional.size() != 1) throw UsageError("expects one PATH");
  if (args.Has("--suite") == args.Has("--user")) throw UsageError("give one of --suite or --user");
  CreateDatabase(args.positional[0],
                 args.Has("--suite") ? lamivex::DatabaseRole::Suite : lamivex::DatabaseRole::User);
  return kExitOk;
}

}  // namespace lamivexdb
