// The installed program: help in the usual Unix form, errors on standard error
// with a non-zero status, output on standard output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

struct ProgramResult {
  int status;
  std::string out;
  std::string err;
};

ProgramResult RunProgram(const testing::ScratchFolder& folder, const std::string& args) {
  const std::string out = folder / "stdout";
  const std::string err = folder / "stderr";
  const std::string command =
      "'" + std::string(LAMIVEX_DB_EXECUTABLE) + "' " + args + " >'" + out + "' 2>'" + err + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, testing::ReadAll(out), testing::ReadAll(err)};
}

TEST(CommandLine, HelpForTheToolAndEachCommand) {
  testing::ScratchFolder folder;
  const ProgramResult help = RunProgram(folder, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: lamivex-db COMMAND")) << help.out;
  EXPECT_NE(help.out.find("Exit status:"), std::string::npos);
  EXPECT_EQ(help.err, "");
  for (const std::string command : {"create", "import", "list", "check", "delete", "rename"}) {
    const ProgramResult commandHelp = RunProgram(folder, command + " --help");
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_TRUE(commandHelp.out.starts_with("Usage: lamivex-db " + command)) << commandHelp.out;
  }
  const ProgramResult version = RunProgram(folder, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("lamivex-db ")) << version.out;
}

TEST(CommandLine, MisuseAndFailuresGoToStandardError) {
  testing::ScratchFolder folder;
  const struct {
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"", 64, "lamivex-db: missing command\nTry 'lamivex-db --help'.\n"},
      {"merge x", 64, "lamivex-db: unknown command 'merge'\nTry 'lamivex-db --help'.\n"},
      {"list", 64, "lamivex-db list: expects one PATH\nTry 'lamivex-db list --help'.\n"},
      {"import x.db f --colour", 64, "lamivex-db import: unknown option --colour\n"},
      {"import x.db f --id", 64, "lamivex-db import: option --id needs a value\n"},
      {"check '" + (folder / "missing.db") + "'", 2, "missing.db: cannot be opened"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const ProgramResult result = RunProgram(folder, c.args);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

TEST(CommandLine, ImportPrintsTheIdAndCheckPassesOnStandardOutput) {
  testing::ScratchFolder folder;
  const std::string db = "'" + (folder / "user.db") + "'";
  EXPECT_EQ(RunProgram(folder, "create " + db + " --user").status, 0);
  const ProgramResult import =
      RunProgram(folder, "import " + db + " '" + testing::SpectrumFile("CLEAR_6.DAT") + "'");
  EXPECT_EQ(import.status, 0);
  EXPECT_EQ(import.out,
            "CLEAR_6.DAT: imported as id 1000000 (glass, \"Generic Clear Glass\", 111 rows)\n");
  EXPECT_EQ(import.err, "");
  const ProgramResult check = RunProgram(folder, "check " + db);
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out, "1 products checked, no problems found\n");
}

}  // namespace
}  // namespace lamivexdb
