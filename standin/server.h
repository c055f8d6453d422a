// The local stand-in of the tracking service: answers the courier-detection
// endpoint and the detail page on 127.0.0.1 for the sample parcels, and keeps the
// request lines it received.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "standin/faults.h"
#include "standin/loopback.h"

namespace trakvel::standin {

struct ServerOptions {
  int port = 0;        // 0: any free port
  int latency_ms = 0;  // added to every answer
  int slow_ms = 3000;  // how long a slow parcel's page takes
  int workers = 32;    // connections served at once
  // Faults injected into the detail pages, drawn from the number and this seed.
  std::optional<std::uint32_t> fault_seed;
  int stall_ms = 5000;  // how long a stalled page takes
};

// What the stand-in served for one number's detail page.
struct ServedPage {
  std::string number;
  Served served = Served::kResult;
  std::string last_text;  // the last trace entry's text (UTF-8); empty for no result
};

class Server {
 public:
  Server() = default;
  ~Server() { stop(); }
  Server(const Server&) = delete;
  Server& operator=(const Server&) = delete;

  // Binds 127.0.0.1 and starts serving; false when the port cannot be had.
  bool start(const ServerOptions& options);
  void stop();
  int port() const { return port_; }

  // Request lines received so far ("GET /autonumber/auto?num=1 HTTP/1.1"), in order.
  std::vector<std::string> requests() const;
  // The most requests that were being answered at one time.
  int most_at_once() const { return most_at_once_; }
  // How many detail pages were served with each outcome, indexed by Served.
  std::array<int, kServedNames.size()> served_counts() const;
  // Every detail page served, in order.
  std::vector<ServedPage> served_pages() const;

 private:
  void accept_loop();
  void worker_loop();
  void serve(net::Socket socket);
  // The answer's bytes; none for a connection to drop.
  std::optional<std::string> answer(const std::string& path, const std::string& query);
  std::optional<std::string> detail_answer(const std::string& query);
  void record(ServedPage page);

  ServerOptions options_;
  net::Socket listener_ = net::kNoSocket;
  int port_ = 0;
  std::atomic<bool> running_{false};
  std::atomic<int> at_once_{0};
  std::atomic<int> most_at_once_{0};
  std::thread acceptor_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<net::Socket> pending_;
  mutable std::mutex log_mutex_;
  std::vector<std::string> requests_;
  std::vector<ServedPage> served_;
  std::array<int, kServedNames.size()> served_counts_{};
};

}  // namespace trakvel::standin
