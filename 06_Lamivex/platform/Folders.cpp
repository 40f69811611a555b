// Folders of the run on Linux: the application-data folder, the profile and the
// program folder.
#include "platform/Folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

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

std::string ProgramFolder() {
  const std::string chosen = Environment("LAMIVEX_PROGRAM_DIR");
  if (!chosen.empty()) return WithoutTrailingSlash(chosen);
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return ".";
  return executable.parent_path().string();
}

bool FolderExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}

}  // namespace lamivex
