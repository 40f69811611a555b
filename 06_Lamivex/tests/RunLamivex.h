// Runs the lamivex executable in a test: its own application-data and program
// folders, standard output and error captured, and snapshots of folders to prove
// what a run did or did not touch.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "JobFile.h"
#include "TempFolder.h"

namespace lamivex::testing {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// programDir empty: the variable is unset and the program uses its own folder. A prefix
// is a command that runs the rest of the line under its own conditions (a file-size
// limit, fewer privileges).
inline RunResult RunLamivex(const TempFolder& temp, const std::string& appData,
                            const std::string& programDir,
                            const std::vector<std::string>& arguments = {},
                            const std::string& prefix = "") {
  std::string command = prefix.empty() ? "" : prefix + " ";
  command += programDir.empty() ? "env -u LAMIVEX_PROGRAM_DIR "
                                : "env LAMIVEX_PROGRAM_DIR=" + ShellQuoted(programDir) + " ";
  command += "AppData=" + ShellQuoted(appData) + " ";
  command += ShellQuoted(LAMIVEX_EXECUTABLE);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  const std::string out = temp / "lamivex.stdout";
  const std::string err = temp / "lamivex.stderr";
  command += " >" + ShellQuoted(out) + " 2>" + ShellQuoted(err);
  const int raw = std::system(command.c_str());
  RunResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = ReadBytes(out);
  result.err = ReadBytes(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return result;
}

// The folders of a run in a test: an application-data folder with a profile and its
// Temp folder, and a program folder with the place of the suite database.
class RunFolders {
 protected:
  RunFolders() {
    std::filesystem::create_directories(temp_folder_);
    std::filesystem::create_directories(std::filesystem::path(suite_).parent_path());
  }

  void WriteJob(const std::vector<std::string>& lines) const {
    WriteCrLfLines(temp_folder_ + "/input_Lamivex.in", lines);
  }

  TempFolder temp_;
  std::string appData_ = temp_ / "appdata";
  std::string profile_ = appData_ + "/Solmerac/v5.2/Profile";
  std::string temp_folder_ = profile_ + "/Temp";
  std::string program_ = temp_ / "program";
  std::string suite_ = program_ + "/Base SM_Vitrages/SpectralDB/SM_Spectral.db";
};

// Every file under a folder with its bytes, by path relative to the folder.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  if (!std::filesystem::exists(folder)) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string relative = std::filesystem::relative(entry.path(), folder).string();
    files[relative] = entry.is_regular_file() ? ReadBytes(entry.path().string()) : "<folder>";
  }
  return files;
}

}  // namespace lamivex::testing
