// Drawn with a carriage return over itself, on standard output (which is a terminal
// when the line is shown at all).
#include "Progress.h"

#include "BatchOutput.h"

#include <cmath>
#include <cstdio>

namespace lamivex::batch {
namespace {

constexpr size_t kBarWidth = 30;

std::string Duration(double seconds) {
  const long whole = std::lround(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

std::string ProgressText(uint64_t done, uint64_t total, double seconds, const std::string& unit) {
  const uint64_t filled = total == 0 ? kBarWidth : done * kBarWidth / total;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
  line += std::to_string(done) + "/" + std::to_string(total);
  if (done == 0 || seconds <= 0) return line + "  starting";
  const double rate = done / seconds;
  return line + "  " + Fixed(rate, 1) + " " + unit + "/s  " + Duration((total - done) / rate) +
         " left";
}

ProgressLine::ProgressLine(uint64_t total, std::string unit)
    : total_(total), unit_(std::move(unit)), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Draw(uint64_t done) const {
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  std::printf("\r%s\033[K", ProgressText(done, total_, seconds, unit_).c_str());
  std::fflush(stdout);
}

void ProgressLine::Erase() const {
  std::printf("\r\033[K");
  std::fflush(stdout);
}

}  // namespace lamivex::batch
