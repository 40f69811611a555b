// A database that cannot grow: an import on a full file system is refused with a
// message, and the database keeps every byte (no half-stored product, no journal left).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "DbTestSupport.h"

namespace lamivexdb {
namespace {

using testing::ReadAll;
using testing::Tool;

// Runs the tool in a child process whose files may not grow beyond `limit` bytes (SIGXFSZ
// ignored, so that the write fails instead of killing the process); its status and
// standard error come back through a pipe, the status as the first byte.
testing::ToolResult ToolWithFileSizeLimit(rlim_t limit, const std::vector<std::string>& args) {
  int channel[2];
  if (pipe(channel) != 0) return {-1, "", "pipe failed"};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit fileSize{};
    getrlimit(RLIMIT_FSIZE, &fileSize);
    fileSize.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &fileSize);
    const testing::ToolResult result = Tool(args);
    const std::string report = static_cast<char>(result.status) + result.err;
    const bool sent =
        write(channel[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (report.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return {-1, "", "the child failed: " + report};
  }
  return {static_cast<unsigned char>(report[0]), "", report.substr(1)};
}

TEST(WriteFaults, AnImportOnAFullFileSystemLeavesTheDatabaseAsItWas) {
  testing::ScratchFolder folder;
  const std::string db = folder / "SM_Spectral.db";
  ASSERT_EQ(Tool({"create", db, "--suite"}).status, 0);
  ASSERT_EQ(Tool({"import", db, testing::SpectrumFile("CLEAR_3.DAT")}).status, 0);
  const std::string before = ReadAll(db);

  // The database may not grow by a single byte: the next product does not fit.
  const testing::ToolResult result = ToolWithFileSizeLimit(
      before.size(), {"import", db, testing::SpectrumFile("CLEAR_6.DAT"), "--kind", "glass"});
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_TRUE(result.err.starts_with("lamivex-db import: ")) << result.err;
  EXPECT_NE(result.err.find(db), std::string::npos) << result.err;
  EXPECT_TRUE(ReadAll(db) == before) << "the database changed";
  for (const auto& entry : std::filesystem::directory_iterator(folder / "")) {
    EXPECT_EQ(entry.path().filename(), "SM_Spectral.db") << "left behind: " << entry.path();
  }
  const std::string products = Tool({"list", db}).out;
  EXPECT_EQ(std::count(products.begin(), products.end(), '\n'), 1) << products;
}

}  // namespace
}  // namespace lamivexdb
