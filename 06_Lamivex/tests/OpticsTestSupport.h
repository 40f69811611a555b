// Helpers for the optics tests: a throw-away profile folder and raw file access.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "MdlDeclarations.h"

namespace lamivex::testing {

// A profile folder with its Temp subfolder, removed again at the end of the test.
class TempProfile {
 public:
  TempProfile() {
    std::random_device device;
    path_ = std::filesystem::temp_directory_path() /
            ("lamivex_optics_" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(path_ / "Temp");
  }
  ~TempProfile() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempProfile(const TempProfile&) = delete;
  TempProfile& operator=(const TempProfile&) = delete;

  std::string Path() const { return path_.string(); }
  std::string Temp(const std::string& name) const { return (path_ / "Temp" / name).string(); }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(path_ / "Temp" / name);
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Lines of a file split at CR LF; the text after the last CR LF is dropped.
inline std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  return lines;
}

// Blank-separated fields of a line.
inline std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

}  // namespace lamivex::testing
