// The progress line of a batch on a terminal: done/total, rate and time left.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace lamivex::batch {

// The text of the line: a bar, "12/24", the stacks per second and the time left.
std::string ProgressText(size_t done, size_t total, double seconds);

class ProgressLine {
 public:
  explicit ProgressLine(size_t total);
  void Draw(size_t done) const;
  void Erase() const;

 private:
  size_t total_;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace lamivex::batch
