// The threads of a batch's lookups. Each is joined soon after it has written its
// row, so that a batch of thousands of numbers does not keep thousands of ended
// threads, and their stacks, until its end.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace trakvel {

class LookupThreads {
 public:
  LookupThreads() = default;
  ~LookupThreads() { join_all(); }
  LookupThreads(const LookupThreads&) = delete;
  LookupThreads& operator=(const LookupThreads&) = delete;

  // Runs work on a new thread known by index, and joins the threads that have ended.
  void start(std::int32_t index, std::function<void()> work);
  void join_all();
  // Threads started and not joined yet.
  std::size_t unjoined() const { return running_.size(); }

 private:
  void join_ended();

  std::map<std::int32_t, std::thread> running_;  // touched by the starting thread only
  std::mutex mutex_;
  std::vector<std::int32_t> ended_;
};

}  // namespace trakvel
