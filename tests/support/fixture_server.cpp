#include "support/fixture_server.h"

#include <optional>

#include "text/text.h"

namespace trakvel::test {
namespace {

constexpr std::string_view kEndOfHead = "\r\n\r\n";

std::size_t content_length(const std::vector<std::string>& header_lines) {
  for (const std::string& line : header_lines) {
    if (starts_with_fold(line, "content-length:")) return std::stoul(line.substr(15));
  }
  return 0;
}

// The next request from pending, which receive_more() extends; pending keeps what
// arrived beyond it.
template <typename ReceiveMore>
std::optional<ReceivedRequest> read_request(std::string& pending, ReceiveMore receive_more) {
  while (pending.find(kEndOfHead) == std::string::npos) {
    if (!receive_more()) return std::nullopt;
  }
  const std::size_t head_size = pending.find(kEndOfHead);
  ReceivedRequest request;
  for (std::string_view line : split_text(std::string_view(pending).substr(0, head_size), "\r\n")) {
    if (request.request_line.empty()) {
      request.request_line = line;
    } else {
      request.header_lines.emplace_back(line);
    }
  }
  const std::size_t body_at = head_size + kEndOfHead.size();
  const std::size_t body_size = content_length(request.header_lines);
  while (pending.size() < body_at + body_size) {
    if (!receive_more()) return std::nullopt;
  }
  request.body = pending.substr(body_at, body_size);
  pending.erase(0, body_at + body_size);
  return request;
}

// "/path?query" of a request line, also when it names a whole address.
std::string target_path(const std::string& request_line) {
  const std::size_t begin = request_line.find(' ') + 1;
  std::string target = request_line.substr(begin, request_line.rfind(' ') - begin);
  if (!target.starts_with('/')) {  // "http://host:port/path"
    const std::size_t path = target.find('/', target.find("://") + 3);
    target = path == std::string::npos ? "/" : target.substr(path);
  }
  return target;
}

// A response without Content-Length, or with "Connection: close", ends with the connection.
bool keeps_connection(std::string_view bytes) {
  const Text head = to_lower_ascii(bytes.substr(0, bytes.find(kEndOfHead)));
  return contains_text(head, "\r\ncontent-length:") &&
         !contains_text(head, "\r\nconnection: close");
}

}  // namespace

std::string response(std::initializer_list<std::string_view> head_lines, std::string_view body) {
  std::string bytes;
  for (std::string_view line : head_lines) bytes.append(line).append("\r\n");
  bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  return bytes.append(body);
}

int closed_port() {
  int port = 0;
  net::close_socket(net::listen_on_loopback(port));
  return port;
}

FixtureServer::FixtureServer() {
  listener_ = net::listen_on_loopback(port_);
  acceptor_ = std::thread([this] { accept_connections(); });
}

FixtureServer::~FixtureServer() {
  stopping_ = true;
  acceptor_.join();
  for (std::thread& server : servers_) server.join();
  for (net::Socket connection : connections_) net::close_socket(connection);
  net::close_socket(listener_);
}

std::string FixtureServer::url(std::string_view target) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(target);
}

void FixtureServer::on(const std::string& target, Reply reply) {
  std::lock_guard lock(mutex_);
  replies_[target] = std::move(reply);
}

std::vector<ReceivedRequest> FixtureServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

// Blocking calls are made only once something has arrived, so that every thread
// notices the server stopping within one wait.
bool FixtureServer::wait_for(net::Socket socket) const {
  while (!stopping_) {
    if (net::wait_readable(socket, 20)) return true;
  }
  return false;
}

bool FixtureServer::receive_more(net::Socket connection, std::string& pending) const {
  char buffer[4096];
  if (!wait_for(connection)) return false;
  const long count = net::receive_some(connection, buffer, sizeof(buffer));
  if (count > 0) pending.append(buffer, static_cast<std::size_t>(count));
  return count > 0;
}

void FixtureServer::accept_connections() {
  while (wait_for(listener_)) {
    const net::Socket connection = net::accept_connection(listener_);
    if (connection == net::kNoSocket) continue;
    std::lock_guard lock(mutex_);
    connections_.push_back(connection);
    servers_.emplace_back([this, connection] { serve(connection); });
  }
}

Reply FixtureServer::record(ReceivedRequest request) {
  std::lock_guard lock(mutex_);
  const auto found = replies_.find(target_path(request.request_line));
  requests_.push_back(std::move(request));
  if (found == replies_.end()) return answer(response({"HTTP/1.1 404 Not Found"}));
  return found->second;
}

void FixtureServer::serve(net::Socket connection) {
  std::string pending;
  const auto receive_more = [&] { return this->receive_more(connection, pending); };
  while (std::optional<ReceivedRequest> request = read_request(pending, receive_more)) {
    const Reply reply = record(std::move(*request));
    switch (reply.kind) {
      case Reply::Kind::answer:
        if (net::send_all(connection, reply.bytes) && keeps_connection(reply.bytes)) continue;
        net::shut_down(connection);
        return;
      case Reply::Kind::stall:
        while (receive_more()) pending.clear();  // until the client gives up
        return;
      case Reply::Kind::reset: {
        std::lock_guard lock(mutex_);
        std::erase(connections_, connection);
        net::reset_and_close(connection);
        return;
      }
    }
  }
}

std::vector<std::string> request_lines(const FixtureServer& server) {
  std::vector<std::string> lines;
  for (const ReceivedRequest& request : server.requests()) lines.push_back(request.request_line);
  return lines;
}

}  // namespace trakvel::test
