#include "standin/server.h"

#include <chrono>
#include <optional>

#include "standin/loopback.h"
#include "standin/parcels.h"

namespace trakvel::standin {
namespace {

constexpr std::size_t kMaxRequest = 64 * 1024;

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string percent_decoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex_value(text[i + 1]) >= 0 &&
        hex_value(text[i + 2]) >= 0) {
      out += static_cast<char>(hex_value(text[i + 1]) * 16 + hex_value(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The value of key in a query string ("a=1&b=2"), decoded; empty when missing.
std::string query_value(std::string_view query, std::string_view key) {
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    if (pair.starts_with(key) && pair.size() > key.size() && pair[key.size()] == '=') {
      return percent_decoded(pair.substr(key.size() + 1));
    }
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return {};
}

std::string response(std::string_view status, std::string_view type, std::string_view body) {
  return "HTTP/1.1 " + std::string(status) + "\r\nContent-Type: " + std::string(type) +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
         std::string(body);
}

// Reads up to the end of the request head; empty when the client gave up.
std::string read_head(net::Socket socket) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequest) {
    if (!net::wait_readable(socket, 10000)) return {};
    const long n = net::receive_some(socket, buffer, sizeof buffer);
    if (n <= 0) return {};
    head.append(buffer, static_cast<std::size_t>(n));
  }
  return head;
}

// The parcel's own page with several megabytes of older entries before its own.
std::string huge_page(const Parcel& parcel, std::string_view number) {
  std::string page = detail_page(parcel, number);
  std::size_t at = page.find("<ul>");
  at = at == std::string::npos ? page.rfind("</body>") : at + 4;
  return page.insert(at, huge_filler());
}

}  // namespace

bool Server::start(const ServerOptions& options) {
  options_ = options;
  port_ = options.port;
  listener_ = net::listen_on_loopback(port_);
  if (listener_ == net::kNoSocket) return false;
  running_ = true;
  for (int i = 0; i < options.workers; ++i) workers_.emplace_back([this] { worker_loop(); });
  acceptor_ = std::thread([this] { accept_loop(); });
  return true;
}

void Server::stop() {
  if (!running_.exchange(false)) return;
  acceptor_.join();
  net::close_socket(listener_);
  ready_.notify_all();
  for (auto& worker : workers_) worker.join();
  workers_.clear();
  for (net::Socket socket : pending_) net::close_socket(socket);
  pending_.clear();
}

std::array<int, kServedNames.size()> Server::served_counts() const {
  std::lock_guard lock(log_mutex_);
  return served_counts_;
}

std::vector<ServedPage> Server::served_pages() const {
  std::lock_guard lock(log_mutex_);
  return served_;
}

void Server::record(ServedPage page) {
  std::lock_guard lock(log_mutex_);
  ++served_counts_[static_cast<std::size_t>(page.served)];
  served_.push_back(std::move(page));
}

namespace {

// The counts as lines "outcome count", and with pages, one line per page served:
// "number TAB outcome TAB last entry text".
std::string served_report(const Server& server, bool pages) {
  std::string text;
  const auto counts = server.served_counts();
  for (std::size_t i = 0; i < counts.size(); ++i) {
    text += std::string(kServedNames[i]) + " " + std::to_string(counts[i]) + "\n";
  }
  if (!pages) return text;
  for (const auto& page : server.served_pages()) {
    text += page.number + "\t" + std::string(kServedNames[static_cast<std::size_t>(page.served)]) +
            "\t" + page.last_text + "\n";
  }
  return text;
}

}  // namespace

std::vector<std::string> Server::requests() const {
  std::lock_guard lock(log_mutex_);
  return requests_;
}

void Server::accept_loop() {
  while (running_) {
    if (!net::wait_readable(listener_, 100)) continue;
    const net::Socket socket = net::accept_connection(listener_);
    if (socket == net::kNoSocket) continue;
    std::lock_guard lock(mutex_);
    pending_.push_back(socket);
    ready_.notify_one();
  }
}

void Server::worker_loop() {
  for (;;) {
    net::Socket socket;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return !pending_.empty() || !running_; });
      if (!running_) return;
      socket = pending_.front();
      pending_.pop_front();
    }
    serve(socket);
  }
}

void Server::serve(net::Socket socket) {
  const std::string head = read_head(socket);
  if (head.empty()) return net::close_socket(socket);
  const std::string request_line = head.substr(0, head.find("\r\n"));
  {
    std::lock_guard lock(log_mutex_);
    requests_.push_back(request_line);
  }
  // "GET /path?query HTTP/1.1"
  const std::size_t target_start = request_line.find(' ') + 1;
  const std::string target =
      request_line.substr(target_start, request_line.rfind(' ') - target_start);
  const std::size_t question = target.find('?');
  const std::string path = target.substr(0, question);
  const std::string query = question == std::string::npos ? "" : target.substr(question + 1);

  // Counted while the client waits for its answer, up to the moment it can have it.
  const int now = ++at_once_;
  for (int most = most_at_once_; now > most && !most_at_once_.compare_exchange_weak(most, now);) {
  }
  const std::optional<std::string> reply = answer(path, query);
  --at_once_;
  if (reply) {
    net::send_all(socket, *reply);
    net::close_socket(socket);
  } else {
    net::reset_and_close(socket);  // a dropped connection, as the client sees it
  }
}

std::optional<std::string> Server::answer(const std::string& path, const std::string& query) {
  if (options_.latency_ms > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.latency_ms));
  }
  if (path == "/autonumber/auto") {
    const Parcel parcel = parcel_for(query_value(query, "num"));
    return response("200 OK", "application/json;charset=UTF-8", detection_answer(parcel));
  }
  if (path == "/stats" || path == "/served") {
    return response("200 OK", "text/plain; charset=UTF-8", served_report(*this, path == "/served"));
  }
  if (path != "/queryDetail.php") {
    return response("404 Not Found", "text/html; charset=UTF-8", "<h1>404</h1>");
  }
  return detail_answer(query);
}

std::optional<std::string> Server::detail_answer(const std::string& query) {
  const std::string number = query_value(query, "nu");
  Parcel parcel = parcel_for(number);
  if (parcel.courier_code.empty() || parcel.courier_code != query_value(query, "com")) {
    parcel.no_result = true;  // the service knows the number only under its own courier
  }
  ServedPage served{number, parcel.no_result ? Served::kNoResult : Served::kResult,
                    parcel.no_result || parcel.entries.empty() ? "" : parcel.entries.back().text};
  if (parcel.answer == Answer::kDrop) served.served = Served::kDrop;
  if (parcel.answer == Answer::kServerError) served.served = Served::kServerError;
  if (options_.fault_seed) {
    const Served fault = fault_for(number, *options_.fault_seed);
    if (fault != Served::kResult) served.served = fault;
  }
  const Served outcome = served.served;
  record(std::move(served));
  switch (outcome) {
    case Served::kDrop:
      return std::nullopt;
    case Served::kStall:
      std::this_thread::sleep_for(std::chrono::milliseconds(options_.stall_ms));
      break;
    case Served::kGarbage:
      return garbage_bytes(number, *options_.fault_seed);
    case Served::kHugePage:
      return response("200 OK", "text/html; charset=UTF-8", huge_page(parcel, number));
    case Served::kServerError:
      return response("500 Internal Server Error", "text/html; charset=UTF-8",
                      "<html><body>500 Internal Server Error</body></html>");
    default:
      break;
  }
  if (parcel.answer == Answer::kSlow) {
    std::this_thread::sleep_for(std::chrono::milliseconds(options_.slow_ms));
  }
  return response("200 OK", "text/html; charset=UTF-8", detail_page(parcel, number));
}

}  // namespace trakvel::standin
