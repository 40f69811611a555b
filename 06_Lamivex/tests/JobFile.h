// Writes job files for tests: lines ended by CR LF.
#pragma once

#include <string>
#include <vector>

#include "TempFolder.h"

namespace lamivex::testing {

inline void WriteCrLfLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  WriteBytes(path, bytes);
}

// Ten flags, all zero.
inline const std::string kNoInversion = "\"Inverse the face glasses\", \"0,0,0,0,0,0,0,0,0,0\"";

}  // namespace lamivex::testing
