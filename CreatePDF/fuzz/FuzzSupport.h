// What the writer's fuzz targets share: a private folder for the files they write,
// and a check that stops on a broken invariant so that libFuzzer keeps the input.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace createpdf::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// A folder of its own for the process, in /dev/shm when there is one; removed when the
// fuzzer ends.
class FuzzFolder {
 public:
  explicit FuzzFolder(const std::string& name) {
    std::error_code error;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, error)) {
      base = std::filesystem::temp_directory_path();
    }
    path_ = base / ("createpdf_fuzz_" + name + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(path_);
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace createpdf::fuzz
