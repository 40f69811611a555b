// The command line of lamivex-db: exit statuses, option parsing and the help texts.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lamivexdb {

enum ExitStatus : int {
  kExitOk = 0,
  kExitProblemsFound = 1,  // check found something a run would stumble on
  kExitRefused = 2,        // an input or a database refused, or a file that cannot be used
  kExitUsage = 64,         // a command line the tool does not take
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OptionSpec {
  std::string name;  // "--kind"
  bool takesValue;
};

// A command's arguments: "--name VALUE" or "--name=VALUE" options anywhere, the
// rest positional; "--" ends the options.
struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  bool Has(const std::string& name) const { return options.contains(name); }
  std::optional<std::string> Value(const std::string& name) const;
};

// Throws UsageError for an unknown option, a missing value or an option given twice.
ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const std::vector<OptionSpec>& specs);

// The help text of the tool (command "") or of one command; empty for an unknown command.
std::string HelpText(const std::string& command);

// The whole tool, as main() runs it: args without the program name.
int RunLamivexDb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace lamivexdb
