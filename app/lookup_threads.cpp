#include "app/lookup_threads.h"

namespace trakvel {

void LookupThreads::start(std::int32_t index, std::function<void()> work) {
  join_ended();
  running_.emplace(index, std::thread([this, index, work = std::move(work)] {
                     work();
                     std::lock_guard lock(mutex_);
                     ended_.push_back(index);
                   }));
}

void LookupThreads::join_ended() {
  std::vector<std::int32_t> ended;
  {
    std::lock_guard lock(mutex_);
    ended.swap(ended_);
  }
  for (const std::int32_t index : ended) {
    const auto thread = running_.find(index);
    thread->second.join();
    running_.erase(thread);
  }
}

void LookupThreads::join_all() {
  for (auto& [index, thread] : running_) thread.join();
  running_.clear();
  ended_.clear();
}

}  // namespace trakvel
