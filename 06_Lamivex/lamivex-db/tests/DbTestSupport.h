// Helpers of the lamivex-db tests: a scratch folder, file reads and writes, the tool run.
#pragma once

#include <sqlite3.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CommandLine.h"

namespace lamivexdb::testing {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

struct ToolResult {
  int status;
  std::string out, err;
};

inline ToolResult Tool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunLamivexDb(args, out, err);
  return {status, out.str(), err.str()};
}

inline int Shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline void ExecuteSql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) throw std::runtime_error("open " + path);
  char* error = nullptr;
  const int status = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (status != SQLITE_OK) throw std::runtime_error(sql + ": " + message);
}

// A fresh folder, removed with everything in it at the end of the test, and tool
// runs written as one line: $T is the folder, $S the shared spectra, $D, $U, $O and
// $F a suite database, a user database in a folder of its own, another program's
// database and a product file in the folder; '' is an empty argument.
class Session {
 public:
  Session() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lamivexdb-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
  }
  ~Session() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string At(std::string text) const {
    const std::pair<std::string, std::string> names[] = {
        {"$F", "$T/product.txt"}, {"$D", "$T/suite.db"},    {"$U", "$T/profile/user.db"},
        {"$O", "$T/other.db"},    {"$T", folder_.string()}, {"$S", LAMIVEX_SPECTRA_DIR}};
    for (const auto& [name, value] : names) {
      for (std::size_t i; (i = text.find(name)) != std::string::npos;) text.replace(i, 2, value);
    }
    return text;
  }
  std::vector<std::string> Args(const std::string& line) const {
    std::vector<std::string> args;
    std::istringstream words(line);  // split first: a path may hold blanks
    for (std::string word; words >> word;) args.push_back(word == "''" ? "" : At(word));
    return args;
  }
  ToolResult Run(const std::string& line) const { return Tool(Args(line)); }

 private:
  std::filesystem::path folder_;
};

inline std::string FlatColumns(double first, double last, double step, double t, double r1,
                               double r2) {
  std::ostringstream text;
  text << "wavelength,T,R1,R2\n";
  for (double lambda = first; lambda <= last + 1e-9; lambda += step) {
    text << lambda << "," << t << "," << r1 << "," << r2 << "\n";
  }
  return text.str();
}

}  // namespace lamivexdb::testing
