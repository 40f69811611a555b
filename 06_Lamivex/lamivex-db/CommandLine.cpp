#include "CommandLine.h"

namespace lamivexdb {

namespace {

const OptionSpec* FindSpec(const std::vector<OptionSpec>& specs, const std::string& name) {
  for (const OptionSpec& spec : specs) {
    if (spec.name == name) return &spec;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const std::vector<OptionSpec>& specs) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* spec = FindSpec(specs, name);
    if (!spec) throw UsageError("unknown option " + name);
    if (parsed.Has(name)) throw UsageError("option " + name + " given twice");
    std::string value;
    if (spec->takesValue) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw UsageError("option " + name + " needs a value");
      }
    } else if (equals != std::string::npos) {
      throw UsageError("option " + name + " takes no value");
    }
    parsed.options[name] = value;
  }
  return parsed;
}

}  // namespace lamivexdb
