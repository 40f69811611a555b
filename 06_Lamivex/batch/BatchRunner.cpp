// Worker threads take the next row from a shared counter; each run has its own
// LamivexRun and profile folder. Finished rows wait in a map until the rows before them
// are done: rows are taken in input order, so the map holds little more than a row per
// thread, and the batch's output never depends on which thread finished first.
#include "BatchRunner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "Progress.h"

namespace lamivex::batch {
namespace {

struct FinishedRow {
  Stack stack;
  StackResult result;
};

class RowQueue {
 public:
  explicit RowQueue(uint64_t count) : count_(count) {}
  // The thread handing rows on looks at them every tenth of a second; it is woken early
  // only by the last row, not once a row.
  void Finish(uint64_t number, FinishedRow row) {
    bool last = false;
    {
      const std::lock_guard lock(mutex_);
      finished_.emplace(number, std::move(row));
      last = ++done_ == count_;
    }
    if (last) ready_.notify_one();
  }
  // The rows from `next` on that have run without a gap, once `wait` has passed or every
  // row has run.
  std::vector<FinishedRow> TakeFrom(uint64_t next, std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, wait, [&] { return done_ == count_; });
    std::vector<FinishedRow> rows;
    for (auto it = finished_.find(next); it != finished_.end() && it->first == next; ++next) {
      rows.push_back(std::move(it->second));
      it = finished_.erase(it);
    }
    return rows;
  }
  uint64_t Done() const {
    const std::lock_guard lock(mutex_);
    return done_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable ready_;
  std::map<uint64_t, FinishedRow> finished_;
  const uint64_t count_;
  uint64_t done_ = 0;
};

}  // namespace

void RunRows(const BatchRows& rows, const BatchSettings& settings, const RowHandler& handle,
             bool showProgress) {
  RowQueue queue(rows.count);
  std::atomic<uint64_t> next{0};
  std::atomic<bool> stop{false};
  auto work = [&] {
    for (uint64_t n = next++; n < rows.count && !stop; n = next++) {
      FinishedRow row{rows.stackOf(n), {}};
      row.result = RunStack(row.stack, n + 1, settings);
      queue.Finish(n, std::move(row));
    }
  };
  const uint64_t threadCount =
      std::clamp<uint64_t>(settings.jobs, 1, std::max<uint64_t>(rows.count, 1));
  std::vector<std::thread> workers;
  for (uint64_t t = 0; t < threadCount; ++t) workers.emplace_back(work);
  // Rows are handed on in bunches, at most ten times a second, so that a terminal is
  // not redrawn for every row.
  std::optional<ProgressLine> progress;
  if (showProgress) progress.emplace(rows.count, settings.combine ? "combinations" : "stacks");
  for (uint64_t handed = 0; handed < rows.count && !stop;) {
    if (progress) progress->Draw(queue.Done());
    const std::vector<FinishedRow> ready = queue.TakeFrom(handed, std::chrono::milliseconds(100));
    if (progress && !ready.empty()) progress->Erase();
    for (const FinishedRow& row : ready) {
      if (!handle(handed++, row.stack, row.result)) {
        stop = true;
        break;
      }
    }
  }
  if (progress) progress->Erase();
  for (std::thread& worker : workers) worker.join();
}

}  // namespace lamivex::batch
