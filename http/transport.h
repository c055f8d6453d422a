// The network operations under the request engines, shaped after the WinINet calls
// they make: open a root handle, connect, open a request, send it, read the body in
// steps, query the raw response headers, close the handles innermost first.
//
// Each build compiles exactly one implementation: transport_wininet.cpp (Windows) or
// transport_curl.cpp (libcurl made to behave like WinINet). Native errors stay inside
// them: a failed operation gives a null handle, false or 0.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/text.h"

namespace trakvel::transport {

// Request flags, with WinINet's values so that both builds read the same bits.
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;

enum class Access { direct, proxy };

// An open root, connection or request; null is no handle.
using Handle = void*;

// How long a request waits for its connection and for each piece of the response.
// WinINet's defaults, which production keeps; tests shorten them.
struct Timeouts {
  std::chrono::milliseconds connect{60'000};
  std::chrono::milliseconds receive{60'000};
  bool operator==(const Timeouts&) const = default;
};

class Transport {
 public:
  virtual ~Transport() = default;

  // proxy_name as WinINet reads it: "http=host:port" for http addresses only,
  // "host:port" for all.
  virtual Handle open(std::string_view agent, Access access, std::string_view proxy_name) = 0;
  virtual Handle connect(Handle root, std::string_view host, int port) = 0;
  virtual Handle open_request(Handle connection, std::string_view verb, std::string_view object,
                              std::uint32_t flags) = 0;
  // Sends the header block (lines separated by CR LF) and the body, and receives
  // the response headers, following redirects unless kFlagNoAutoRedirect.
  virtual bool send(Handle request, std::string_view headers, const Bytes& body) = 0;
  // Up to size bytes of the body; 0 at its end and on failure.
  virtual std::size_t read(Handle request, std::uint8_t* buffer, std::size_t size) = 0;
  // The final response's status line and header lines, each ended by CR LF, then an
  // empty line. On success size becomes their length. When they do not fit in size
  // bytes (a terminating zero counts), fails with size set to the size they need;
  // without a response, fails leaving size alone.
  virtual bool query_raw_headers(Handle request, char* buffer, std::size_t& size) = 0;
  virtual void close(Handle handle) = 0;

  void set_timeouts(Timeouts timeouts) { timeouts_ = timeouts; }
  Timeouts timeouts() const { return timeouts_; }

 private:
  Timeouts timeouts_;
};

// The transport of this build, shared by every call.
Transport& system_transport();

}  // namespace trakvel::transport
