// Dispatches the command line of lamivex-db and turns failures into messages on
// standard error and exit statuses.
#include <algorithm>
#include <ostream>

#include "CommandLine.h"
#include "Commands.h"

namespace lamivexdb {

namespace {

using Handler = int (*)(const ParsedArguments&, std::ostream&, std::ostream&);

struct CommandSpec {
  const char* name;
  Handler handler;
  std::vector<OptionSpec> options;
};

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands{
      {"create", CreateCommand, {{"--suite", false}, {"--user", false}}},
      {"import",
       ImportCommand,
       {{"--kind", true},
        {"--id", true},
        {"--name", true},
        {"--origin", true},
        {"--fractions", false},
        {"--duplicate", false},
        {"--skip-bad", false}}},
      {"list", ListCommand, {}},
      {"check", CheckCommand, {}},
      {"delete", DeleteCommand, {{"--kind", true}}},
      {"rename", RenameCommand, {{"--kind", true}, {"--duplicate", false}}},
  };
  return commands;
}

bool AsksForHelp(const std::vector<std::string>& args) {
  const auto end = std::find(args.begin(), args.end(), "--");
  return std::find(args.begin(), end, "--help") != end;
}

int RunCommand(const CommandSpec& command, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
  const std::string prefix = std::string("lamivex-db ") + command.name;
  try {
    return command.handler(ParseArguments(args, command.options), out, err);
  } catch (const UsageError& e) {
    err << prefix << ": " << e.what() << "\nTry '" << prefix << " --help'.\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    err << prefix << ": " << e.what() << "\n";
    return kExitRefused;
  }
}

}  // namespace

int RunLamivexDb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "lamivex-db: missing command\nTry 'lamivex-db --help'.\n";
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    out << HelpText("");
    return kExitOk;
  }
  if (args[0] == "--version") {
    out << "lamivex-db " << LAMIVEX_VERSION << "\n";
    return kExitOk;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const CommandSpec& command : Commands()) {
    if (args[0] != command.name) continue;
    if (AsksForHelp(rest)) {
      out << HelpText(command.name);
      return kExitOk;
    }
    return RunCommand(command, rest, out, err);
  }
  err << "lamivex-db: unknown command '" << args[0] << "'\nTry 'lamivex-db --help'.\n";
  return kExitUsage;
}

}  // namespace lamivexdb
