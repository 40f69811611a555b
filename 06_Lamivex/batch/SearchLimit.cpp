// The rows are taken in input order, so every row before the N-th kept one is either
// calculated or being calculated when the limit is reached; a row kept late, before
// the N-th, takes its place among the first N.
#include "SearchLimit.h"

namespace lamivex::batch {

void SearchLimit::Keep(uint64_t number) {
  if (limit_ == 0) return;
  const std::lock_guard lock(mutex_);
  first_.insert(number);
  if (first_.size() > limit_) first_.erase(std::prev(first_.end()));
  if (first_.size() == limit_) bound_.store(*first_.rbegin(), std::memory_order_release);
}

bool SearchLimit::AmongFirst(uint64_t number) const {
  if (limit_ == 0) return true;
  const std::lock_guard lock(mutex_);
  return first_.contains(number);
}

}  // namespace lamivex::batch
