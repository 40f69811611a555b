// What the writer's fuzz targets share: a check that aborts, so that libFuzzer keeps the
// input, and a folder of the process's own for the files they write.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace createpdf::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// A folder in /dev/shm (or the temporary folder), removed when the fuzzer ends.
struct FuzzFolder {
  explicit FuzzFolder(const std::string& name) {
    const bool shm = std::filesystem::is_directory("/dev/shm");
    path = (shm ? "/dev/shm" : std::filesystem::temp_directory_path()) /
           ("createpdf_fuzz_" + name + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
  }
  ~FuzzFolder() { std::filesystem::remove_all(path); }
  std::filesystem::path path;
};

}  // namespace createpdf::fuzz
