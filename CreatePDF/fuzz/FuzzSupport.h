// A check that aborts (libFuzzer keeps the input) and a folder of the process's own,
// removed at exit.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace createpdf::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline std::filesystem::path FuzzFolder(const std::string& name) {
  static std::filesystem::path path;
  path = std::filesystem::temp_directory_path() /
         ("createpdf_fuzz_" + name + "_" + std::to_string(getpid()));
  std::filesystem::create_directories(path);
  std::atexit([] { std::filesystem::remove_all(path); });
  return path;
}

}  // namespace createpdf::fuzz
