// Support for the run's fuzz targets: each input is written to a file in /dev/shm (or the
// temporary folder) first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TextFiles.h"

namespace lamivex::fuzz {

// A folder of the fuzzer's own, removed when the fuzzer ends.
inline std::filesystem::path FuzzFolder(const std::string& name) {
  std::error_code error;
  static std::filesystem::path path;
  path =
      (std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm"
                                                        : std::filesystem::temp_directory_path()) /
      ("lamivex_fuzz_" + name + "_" + std::to_string(getpid()));
  std::filesystem::create_directories(path);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  });
  return path;
}

// A broken invariant is a finding: abort, so that libFuzzer keeps the input.
inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline void WriteInput(const std::filesystem::path& file, const uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  Require(static_cast<bool>(out));  // the harness itself failed, not the code under test
}

// A label or keyed text: one trimmed line of UTF-8 (which the reading of text leaves as is).
inline void RequireTextLine(const std::string& text) {
  Require(ToUtf8(text) == text && text.find_first_of("\r\n") == std::string::npos);
  Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
}

}  // namespace lamivex::fuzz
