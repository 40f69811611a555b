// Support for the run's fuzz targets: inputs go to files in a folder of the fuzzer's own.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/TextFiles.h"

namespace lamivex::fuzz {

// A broken invariant is a finding: abort, so that libFuzzer keeps the input.
inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline std::filesystem::path FuzzFolder(const std::string& name) {
  static std::filesystem::path path;
  path = std::filesystem::path(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") /
         ("lamivex_fuzz_" + name + "_" + std::to_string(getpid()));
  std::atexit([] { std::filesystem::remove_all(path); });
  return path;
}

inline void WriteInput(const std::filesystem::path& file, const uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
}

// A label or keyed text: one trimmed line of UTF-8 (which the reading of text leaves as is).
inline void RequireTextLine(const std::string& text) {
  Require(ToUtf8(text) == text && text.find_first_of("\r\n") == std::string::npos);
  Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
}

}  // namespace lamivex::fuzz
