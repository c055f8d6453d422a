// A transport that records what the engine asks of it and answers from fields, for
// what no loopback server can show: https ports and flags, port 80, the proxy name,
// the failure of each handle, the order of closing, the 1024-byte reads.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "http/transport.h"

namespace trakvel::test {

class FakeTransport : public transport::Transport {
 public:
  // What the engine asked for.
  std::string agent;
  transport::Access access = transport::Access::direct;
  std::string proxy_name;
  std::string host;
  int port = 0;
  std::string verb;
  std::string object;
  std::uint32_t flags = 0;
  std::string headers;
  Bytes body;
  std::vector<std::size_t> read_sizes;
  std::vector<std::string> closed;  // "request", "connection", "root", in order

  // What it answers. fail names the handle that cannot be opened: "root",
  // "connection" or "request".
  std::string fail;
  std::string raw_headers = "HTTP/1.1 200 OK\r\n\r\n";
  Bytes response_body;

  transport::Handle open(std::string_view agent_, transport::Access access_,
                         std::string_view proxy_name_) override {
    agent = agent_;
    access = access_;
    proxy_name = proxy_name_;
    return handle("root");
  }
  transport::Handle connect(transport::Handle, std::string_view host_, int port_) override {
    host = host_;
    port = port_;
    return handle("connection");
  }
  transport::Handle open_request(transport::Handle, std::string_view verb_,
                                 std::string_view object_, std::uint32_t flags_) override {
    verb = verb_;
    object = object_;
    flags = flags_;
    return handle("request");
  }
  bool send(transport::Handle, std::string_view headers_, const Bytes& body_) override {
    headers = headers_;
    body = body_;
    return true;
  }
  std::size_t read(transport::Handle, std::uint8_t* buffer, std::size_t size) override {
    read_sizes.push_back(size);
    const std::size_t count = std::min(size, response_body.size() - read_at_);
    std::copy_n(response_body.begin() + read_at_, count, buffer);
    read_at_ += count;
    return count;
  }
  bool query_raw_headers(transport::Handle, char* buffer, std::size_t& size) override {
    if (raw_headers.size() + 1 > size) {
      size = raw_headers.size() + 1;
      return false;
    }
    std::copy(raw_headers.begin(), raw_headers.end(), buffer);
    size = raw_headers.size();
    return true;
  }
  void close(transport::Handle handle) override {
    closed.push_back(static_cast<const char*>(handle));
  }

 private:
  // A handle is the name of what it opens, null when that is to fail.
  transport::Handle handle(const char* name) const {
    return fail == name ? nullptr : const_cast<char*>(name);
  }

  std::size_t read_at_ = 0;
};

}  // namespace trakvel::test
