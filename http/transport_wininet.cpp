// The transport on Windows: WinINet's ANSI entry points, called synchronously.
#include <windows.h>
#include <wininet.h>

#include <string>

#include "http/transport.h"

namespace trakvel::transport {
namespace {

static_assert(kFlagReload == INTERNET_FLAG_RELOAD);
static_assert(kFlagNeedFile == INTERNET_FLAG_NEED_FILE);
static_assert(kFlagNoCookies == INTERNET_FLAG_NO_COOKIES);
static_assert(kFlagNoAutoRedirect == INTERNET_FLAG_NO_AUTO_REDIRECT);
static_assert(kFlagSecure == INTERNET_FLAG_SECURE);
static_assert(kFlagIgnoreRedirectToHttps == INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS);

DWORD milliseconds(std::chrono::milliseconds duration) {
  return static_cast<DWORD>(duration.count());
}

class WinInetTransport final : public Transport {
 public:
  Handle open(std::string_view agent, Access access, std::string_view proxy_name) override {
    const DWORD type =
        access == Access::proxy ? INTERNET_OPEN_TYPE_PROXY : INTERNET_OPEN_TYPE_DIRECT;
    return InternetOpenA(std::string(agent).c_str(), type, std::string(proxy_name).c_str(), "", 0);
  }

  Handle connect(Handle root, std::string_view host, int port) override {
    return InternetConnectA(static_cast<HINTERNET>(root), std::string(host).c_str(),
                            static_cast<INTERNET_PORT>(port), "", "", INTERNET_SERVICE_HTTP, 0, 0);
  }

  Handle open_request(Handle connection, std::string_view verb, std::string_view object,
                      std::uint32_t flags) override {
    HINTERNET request =
        HttpOpenRequestA(static_cast<HINTERNET>(connection), std::string(verb).c_str(),
                         std::string(object).c_str(), "HTTP/1.1", "", nullptr, flags, 0);
    if (request != nullptr) apply_timeouts(request);
    return request;
  }

  bool send(Handle request, std::string_view headers, const Bytes& body) override {
    std::uint8_t no_body = 0;  // a body-less request passes an empty buffer
    void* data = body.empty() ? &no_body : const_cast<std::uint8_t*>(body.data());
    return HttpSendRequestA(static_cast<HINTERNET>(request), headers.data(),
                            static_cast<DWORD>(headers.size()), data,
                            static_cast<DWORD>(body.size())) != FALSE;
  }

  std::size_t read(Handle request, std::uint8_t* buffer, std::size_t size) override {
    DWORD count = 0;
    if (!InternetReadFile(static_cast<HINTERNET>(request), buffer, static_cast<DWORD>(size),
                          &count)) {
      return 0;
    }
    return count;
  }

  bool query_raw_headers(Handle request, char* buffer, std::size_t& size) override {
    DWORD length = static_cast<DWORD>(size);
    if (!HttpQueryInfoA(static_cast<HINTERNET>(request), HTTP_QUERY_RAW_HEADERS_CRLF, buffer,
                        &length, nullptr)) {
      if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) size = length;
      return false;
    }
    // Wine answers a request that got no response with a lone CR LF: no status line,
    // so no headers.
    if (length < 2 || (buffer[0] == '\r' && buffer[1] == '\n')) return false;
    size = length;
    return true;
  }

  void close(Handle handle) override { InternetCloseHandle(static_cast<HINTERNET>(handle)); }

 private:
  // Only a shortened time-out is set: production leaves WinINet's defaults alone. Set
  // on the request, where Wine honours it too.
  void apply_timeouts(HINTERNET request) const {
    if (timeouts() == Timeouts{}) return;
    DWORD connect = milliseconds(timeouts().connect);
    DWORD receive = milliseconds(timeouts().receive);
    InternetSetOptionA(request, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
    InternetSetOptionA(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof(receive));
  }
};

}  // namespace

Transport& system_transport() {
  static WinInetTransport transport;
  return transport;
}

}  // namespace trakvel::transport
