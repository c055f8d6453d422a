// An HTTP server for the tests, on 127.0.0.1 at a free port. It answers each request
// with the exact bytes a test gave for its target, or stalls, or resets the
// connection, and records every request as it arrived, so that tests assert what
// went over the wire. A request whose target is a whole address (as a client sends
// it to a proxy) is answered by its path: the server is the proxy too.
#pragma once

#include <atomic>
#include <initializer_list>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "standin/loopback.h"

namespace trakvel::test {

struct ReceivedRequest {
  std::string request_line;               // "GET /path HTTP/1.1"
  std::vector<std::string> header_lines;  // in the order sent, without CR LF
  std::string body;
};

struct Reply {
  enum class Kind {
    answer,  // sends bytes
    stall,   // never answers
    reset,   // resets the connection
  };
  Kind kind = Kind::answer;
  std::string bytes;
};

inline Reply answer(std::string bytes) {
  return {Reply::Kind::answer, std::move(bytes)};
}
inline Reply stall() {
  return {Reply::Kind::stall, {}};
}
inline Reply reset() {
  return {Reply::Kind::reset, {}};
}

// The head lines joined by CR LF, a Content-Length line for body, an empty line and body.
std::string response(std::initializer_list<std::string_view> head_lines,
                     std::string_view body = {});

// A port on 127.0.0.1 where nothing listens.
int closed_port();

class FixtureServer {
 public:
  // Listening when constructed: connections wait in the backlog until accepted.
  FixtureServer();
  // Ends every connection and joins every thread.
  ~FixtureServer();
  FixtureServer(const FixtureServer&) = delete;
  FixtureServer& operator=(const FixtureServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:port" followed by target.
  std::string url(std::string_view target) const;

  // How to reply to the target (path and query); other targets get a 404.
  void on(const std::string& target, Reply reply);
  std::vector<ReceivedRequest> requests() const;

 private:
  bool wait_for(net::Socket socket) const;
  bool receive_more(net::Socket connection, std::string& pending) const;
  void accept_connections();
  void serve(net::Socket connection);
  Reply record(ReceivedRequest request);

  int port_ = 0;
  net::Socket listener_ = net::kNoSocket;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, Reply> replies_;
  std::vector<ReceivedRequest> requests_;
  std::vector<net::Socket> connections_;
  std::vector<std::thread> servers_;
  std::thread acceptor_;
};

// The request line of every request the server received, in order.
std::vector<std::string> request_lines(const FixtureServer& server);

}  // namespace trakvel::test
