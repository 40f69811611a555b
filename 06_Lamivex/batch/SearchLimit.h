// --limit N: a search keeps the first N rows that meet its conditions, in input order,
// however many threads calculate and in whatever order they finish.
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <mutex>
#include <set>

namespace lamivex::batch {

class SearchLimit {
 public:
  // 0: no limit.
  explicit SearchLimit(uint64_t limit) : limit_(limit) {}

  // Whether row `number` (input order) can still be among the first N kept; a thread
  // takes no row for which this is false. Once N rows are kept, the rows after the N-th
  // are no longer needed.
  bool Needed(uint64_t number) const { return number < bound_.load(std::memory_order_acquire); }

  // Row `number` meets the conditions.
  void Keep(uint64_t number);

  // Once every needed row is calculated: whether row `number`, kept, is among the first N.
  bool AmongFirst(uint64_t number) const;

 private:
  uint64_t limit_;
  mutable std::mutex mutex_;
  std::set<uint64_t> first_;  // the first N rows kept so far (none held without a limit)
  std::atomic<uint64_t> bound_{std::numeric_limits<uint64_t>::max()};
};

}  // namespace lamivex::batch
