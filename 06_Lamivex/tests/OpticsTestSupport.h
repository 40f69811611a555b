// Helpers for the optics tests: a throw-away profile folder and the lines and
// fields of the files the run writes.
#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace lamivex::testing {

// A profile folder with its Temp subfolder, removed again at the end of the test.
class TempProfile {
 public:
  TempProfile() { std::filesystem::create_directories(folder_.Path() / "Temp"); }

  std::string Path() const { return folder_.Path().string(); }
  std::string Temp(const std::string& name) const {
    return (folder_.Path() / "Temp" / name).string();
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(Temp(name)); }

 private:
  TempFolder folder_;
};

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
