// Folders of the run on Linux: the application-data folder, the profile and the
// program folder.
#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

// The installed data folder relative to the installed executables; the build gives the
// value that matches its install layout.
#ifndef LAMIVEX_INSTALLED_DATA_DIR
#define LAMIVEX_INSTALLED_DATA_DIR "../share/lamivex"
#endif

namespace lamivex {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// "/a/b/" and "/a/b" name the same folder; the profile path is built by appending.
std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool HoldsSuiteDatabase(const std::filesystem::path& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(folder / kSuiteDatabaseInProgramFolder, error);
}

}  // namespace

std::string ApplicationDataFolder() {
  std::string folder = Environment("AppData");
  if (folder.empty()) folder = Environment("XDG_DATA_HOME");
  if (folder.empty()) folder = Environment("HOME") + "/.local/share";
  return WithoutTrailingSlash(folder);
}

std::string ProfileFolder() {
  return ApplicationDataFolder() + "/Solmerac/v5.2/Profile";
}

std::string ProfileFolderLookup() {
  std::string found = "$AppData";
  if (Environment("AppData").empty()) {
    found = Environment("XDG_DATA_HOME").empty()
                ? "$HOME/.local/share (neither AppData nor XDG_DATA_HOME is set)"
                : "$XDG_DATA_HOME (AppData is not set)";
  }
  return "The profile folder is <appdata>/Solmerac/v5.2/Profile, where <appdata> is $AppData, "
         "else $XDG_DATA_HOME, else $HOME/.local/share; here it comes from " +
         found + ". The folder must exist, with the job file in its Temp folder.";
}

std::string ProgramFolderFor(const std::string& chosen,
                             const std::filesystem::path& executableFolder) {
  if (!chosen.empty()) return WithoutTrailingSlash(chosen);
  if (HoldsSuiteDatabase(executableFolder)) return executableFolder.string();
  const std::filesystem::path installed =
      (executableFolder / LAMIVEX_INSTALLED_DATA_DIR).lexically_normal();
  if (HoldsSuiteDatabase(installed)) return WithoutTrailingSlash(installed.string());
  return executableFolder.string();
}

std::string ProgramFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return ProgramFolderFor(Environment("LAMIVEX_PROGRAM_DIR"),
                          error ? std::filesystem::path(".") : executable.parent_path());
}

bool FolderExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace lamivex
