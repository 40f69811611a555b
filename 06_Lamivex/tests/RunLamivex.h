#pragma once

#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/RunError.h"

namespace lamivex::testing {

struct RunResult {
  int status = -1;
  std::string out, err;
};

// The status and message of the RunError an action throws.
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RunError& e) {
    return std::to_string(e.Status()) + " " + e.what();
  }
  return "no error";
}

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a shell command, its output and errors caught in files removed afterwards.
inline RunResult RunCommand(const TempFolder& temp, const std::string& command) {
  const std::string out = temp / "command.stdout", err = temp / "command.stderr";
  const int raw =
      std::system((command + " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err)).c_str());
  RunResult result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadBytes(out), ReadBytes(err)};
  std::filesystem::remove(out), std::filesystem::remove(err);
  return result;
}

// programDir empty: the program uses its own folder. A prefix sets the run's own conditions.
inline RunResult RunLamivex(const TempFolder& temp, const std::string& appData,
                            const std::string& programDir,
                            const std::vector<std::string>& arguments = {},
                            const std::string& prefix = "") {
  std::string command =
      prefix + (programDir.empty() ? " env -u LAMIVEX_PROGRAM_DIR"
                                   : " env LAMIVEX_PROGRAM_DIR=" + ShellQuoted(programDir));
  command += " AppData=" + ShellQuoted(appData) + " " + ShellQuoted(LAMIVEX_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  return RunCommand(temp, command);
}

inline void WriteCrLfLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

inline const std::string kNoInversion = "\"Inverse the face glasses\", \"0,0,0,0,0,0,0,0,0,0\"";

struct TestRow {
  double lambda, t, r1, r2;
};

class TestDatabase {
 public:
  explicit TestDatabase(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) throw std::runtime_error("open " + path);
    for (const std::string table : {"glass", "film", "PVB"}) {
      Exec("create table " + table + " (id integer, name text); create table spectral_energy" +
           Family(table) + " (glass_id integer, lamda real, transmission_energy real," +
           " reflection_energy_face1 real, reflection_energy_face2 real)");
    }
  }
  ~TestDatabase() { sqlite3_close(db_); }

  static std::string Family(const std::string& table) {
    return table == "glass" ? "" : "_" + table;
  }
  void Exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }
  }

  TestDatabase& AddProduct(const std::string& table, int id, const std::vector<TestRow>& rows) {
    const std::string name = std::to_string(id);
    Exec("begin; insert into " + table + " values (" + name + ", 'product " + name + "')");
    for (const TestRow& row : rows) {
      std::ostringstream sql;
      sql.precision(17);
      sql << "insert into spectral_energy" << Family(table) << " values (" << id << ", "
          << row.lambda << ", " << row.t << ", " << row.r1 << ", " << row.r2 << ")";
      Exec(sql.str());
    }
    Exec("commit");
    return *this;
  }

  static std::vector<TestRow> Flat(double first, double last, double t, double r1, double r2) {
    std::vector<TestRow> rows;
    for (double lambda = first; lambda <= last; lambda += 5) rows.push_back({lambda, t, r1, r2});
    return rows;
  }

 private:
  sqlite3* db_ = nullptr;
};

class RunFolders {
 protected:
  RunFolders() { std::filesystem::create_directories(temp_folder_); }
  void WriteJob(const std::vector<std::string>& lines) const {
    WriteCrLfLines(temp_folder_ + "/input_Lamivex.in", lines);
  }
  std::string Temp(const std::string& name) const { return temp_folder_ + "/" + name; }

  TempFolder temp_;
  std::string appData_ = temp_ / "appdata";
  std::string profile_ = appData_ + "/Solmerac/v5.2/Profile";
  std::string temp_folder_ = profile_ + "/Temp";
  std::string user_ = profile_ + "/Base Utilisateur/Vitrages/SpectralDB/SM_Spectral_User.db";
  std::string program_ = temp_ / "program";
  std::string suite_ = program_ + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
};

inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string relative = std::filesystem::relative(entry.path(), folder).string();
    files[relative] = entry.is_regular_file() ? ReadBytes(entry.path().string()) : "<folder>";
  }
  return files;
}

inline std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

inline std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

inline std::vector<double> SummaryNumbers(const std::string& bytes) {
  std::vector<double> numbers;
  std::istringstream in(bytes.substr(bytes.find("\",") + 2));
  for (std::string field; std::getline(in, field, ',');) numbers.push_back(std::stod(field));
  return numbers;
}

}  // namespace lamivex::testing
