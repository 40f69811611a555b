// Worker threads take the next stack from a shared counter; each run has its own
// LamivexRun and profile folder, so the runs share nothing but the counters.
#include "BatchRunner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "Progress.h"

namespace lamivex::batch {

std::vector<StackResult> RunStacks(const std::vector<Stack>& stacks, const BatchSettings& settings,
                                   bool showProgress) {
  std::vector<StackResult> results(stacks.size());
  std::atomic<size_t> next{0};
  std::atomic<size_t> done{0};
  auto work = [&] {
    for (size_t n = next++; n < stacks.size(); n = next++) {
      results[n] = RunStack(stacks[n], n + 1, settings);
      ++done;
    }
  };
  const size_t threadCount =
      std::clamp<size_t>(settings.jobs, 1, std::max<size_t>(stacks.size(), 1));
  std::vector<std::thread> workers;
  for (size_t t = 0; t < threadCount; ++t) workers.emplace_back(work);
  if (showProgress) {
    ProgressLine progress(stacks.size());
    while (done < stacks.size()) {
      progress.Draw(done);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    progress.Erase();
  }
  for (std::thread& worker : workers) worker.join();
  return results;
}

}  // namespace lamivex::batch
