// The commands of lamivex-db. Each returns the exit status and throws
// UsageError, ImportError or DatabaseError for the caller to report.
#pragma once

#include <iosfwd>

#include "CommandLine.h"

namespace lamivexdb {

int CreateCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);
int ImportCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);
int ListCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);
int CheckCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);
int DeleteCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);
int RenameCommand(const ParsedArguments& args, std::ostream& out, std::ostream& err);

}  // namespace lamivexdb
