// Support for the run's fuzz targets: the readers take file paths, so each input is
// written to a file of a folder of its own first (in /dev/shm when there is one),
// removed when the fuzzer ends.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace lamivex::fuzz {

class FuzzFolder {
 public:
  explicit FuzzFolder(const std::string& name) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    path_ = base / ("lamivex_fuzz_" + name + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(path_);
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A broken invariant is a finding: abort, so that libFuzzer keeps the input.
inline void Require(bool condition) {
  if (!condition) std::abort();
}

// Replaces the file's bytes with the input, creating its folder when needed.
inline void WriteInput(const std::filesystem::path& file, const uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  Require(static_cast<bool>(out));  // the harness itself failed, not the code under test
}

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates).
inline bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC0 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF8 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// A label or keyed text: one trimmed line of UTF-8.
inline void RequireTextLine(const std::string& text) {
  Require(IsUtf8(text) && text.find_first_of("\r\n") == std::string::npos);
  Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
}

}  // namespace lamivex::fuzz
