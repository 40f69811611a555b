// The progress line of a batch on a terminal: done/total, rate and time left.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace lamivex::batch {

// The text of the line: a bar, "12/24", the rows per second ("stacks/s",
// "combinations/s": `unit`) and the time left.
std::string ProgressText(uint64_t done, uint64_t total, double seconds, const std::string& unit);

class ProgressLine {
 public:
  ProgressLine(uint64_t total, std::string unit);
  void Draw(uint64_t done) const;
  void Erase() const;

 private:
  uint64_t total_;
  std::string unit_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace lamivex::batch
