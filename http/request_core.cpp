#include "http/request_core.h"

#include <array>
#include <charconv>

#include "http/cookies.h"
#include "http/url_text.h"

namespace trakvel {
namespace {

using transport::Handle;
using transport::Transport;

constexpr std::string_view kCrLf = "\r\n";

// Closes its handle when it goes out of scope; declared root, connection, request,
// they close innermost first.
class OwnedHandle {
 public:
  OwnedHandle(Transport& transport, Handle handle) : transport_(transport), handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != nullptr) transport_.close(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Transport& transport_;
  Handle handle_;
};

bool has_verb(const EngineRules& rules, int method) {
  return method >= 0 && static_cast<std::size_t>(method) < rules.verbs.size();
}

int effective_method(const EngineRules& rules, int method) {
  return rules.clamp_method && !has_verb(rules, method) ? 0 : method;
}

std::string_view verb_for(const EngineRules& rules, int method) {
  return has_verb(rules, method) ? rules.verbs[method] : "GET";
}

// The value of the caller's User-Agent line (any letter case), else the default agent.
Text agent_for(std::string_view headers, std::string_view default_agent) {
  constexpr std::string_view kName = "User-Agent:";
  const std::size_t at = find_text(headers, kName, 0, true);
  if (at == npos) return Text(default_agent);
  const std::size_t begin = at + kName.size();
  const std::size_t end = find_text(headers, kCrLf, begin);
  return Text(trim_text(headers.substr(begin, end == npos ? npos : end - begin)));
}

struct RootSetting {
  transport::Access access = transport::Access::direct;
  Text proxy_name;
};

RootSetting root_setting(const EngineRules& rules, const HttpArgs& args, bool secure) {
  using transport::Access;
  if (rules.proxy == ProxyRule::when_supplied) {
    if (args.proxy) return {Access::proxy, "http=" + *args.proxy};
  } else if (args.proxy && !args.proxy->empty()) {
    return {Access::proxy, secure ? *args.proxy : "http=" + *args.proxy};
  }
  return {};
}

std::uint32_t request_flags(const HttpArgs& args, bool secure) {
  std::uint32_t flags = transport::kFlagReload | transport::kFlagNeedFile;
  // Supplied cookies are the engine's business: WinINet's store is left alone.
  if (args.cookies) flags |= transport::kFlagNoCookies;
  if (args.no_redirect) flags |= transport::kFlagNoAutoRedirect;
  flags |= secure ? transport::kFlagSecure : transport::kFlagIgnoreRedirectToHttps;
  return flags;
}

// Appends "name: value" unless the block already holds "name:" (exact letter case).
void add_missing_line(Text& block, std::string_view name, std::string_view value) {
  if (contains_text(block, Text(name) + ":")) return;
  if (!block.empty()) block += kCrLf;
  block.append(name).append(": ").append(value);
}

Text header_block(const EngineRules& rules, const HttpArgs& args) {
  Text block = args.headers;
  if (rules.accept_first) add_missing_line(block, "Accept", "*/*");
  add_missing_line(block, "Referer", args.url);
  add_missing_line(block, "Accept", "*/*");  // nothing when it went first
  add_missing_line(block, "Accept-Language", "zh-cn");
  // For every method, GET included: the service has always seen it so.
  add_missing_line(block, "Content-Type", "application/x-www-form-urlencoded");
  if (args.cookies && !args.cookies->empty()) block.append("\r\nCookie: ").append(*args.cookies);
  return block;
}

// Such an address would carry its line breaks into the Referer line and the request
// line, and so inject header lines of its own.
bool breaks_lines(std::string_view url) {
  return url.find_first_of(std::string_view("\r\n\0", 3)) != npos;
}

Bytes read_body(Transport& transport, Handle request) {
  Bytes body;
  for (;;) {
    std::array<std::uint8_t, kReadStep> buffer{};
    const std::size_t count = transport.read(request, buffer.data(), buffer.size());
    if (count == 0) return body;
    body.insert(body.end(), buffer.begin(), buffer.begin() + count);
  }
}

// A block too long for the 5000-byte buffer is queried again with the size the
// transport asks for, so that its cookies and Location are not lost.
std::optional<Text> query_raw_headers(Transport& transport, Handle request) {
  Text raw(kRawHeaderBufferSize, ' ');
  std::size_t size = raw.size();
  if (!transport.query_raw_headers(request, raw.data(), size)) {
    if (size <= kRawHeaderBufferSize) return std::nullopt;
    raw.assign(size, ' ');
    if (!transport.query_raw_headers(request, raw.data(), size)) return std::nullopt;
  }
  raw.resize(size);
  return raw;
}

// The code of a status line such as "HTTP/1.1 200 OK".
ResponseStatus status_of(std::string_view raw) {
  ResponseStatus status;
  status.arrived = true;
  const std::size_t space = raw.find(' ');
  if (space != npos) std::from_chars(raw.data() + space + 1, raw.data() + raw.size(), status.code);
  return status;
}

struct Received {
  Bytes body;
  std::optional<Text> raw_headers;
};

Received send_and_receive(Transport& transport, Handle request, const HttpArgs& args,
                          const Bytes& body) {
  if (breaks_lines(args.url)) return {};        // sends nothing, as if the host were unreachable
  transport.send(request, args.headers, body);  // a failure shows as no headers
  Received received;
  received.body = read_body(transport, request);
  received.raw_headers = query_raw_headers(transport, request);
  return received;
}

}  // namespace

std::optional<Bytes> exchange(Transport& transport, const EngineRules& rules, HttpArgs& args) {
  args.status = {};
  const int method = effective_method(rules, args.method);
  const bool secure = starts_with_fold(args.url, "https");
  const RootSetting setting = root_setting(rules, args, secure);

  OwnedHandle root(transport, transport.open(agent_for(args.headers, rules.default_agent),
                                             setting.access, setting.proxy_name));
  if (!root) return std::nullopt;
  OwnedHandle connection(transport,
                         transport.connect(root.get(), url_host(args.url), url_port(args.url)));
  if (!connection) return std::nullopt;
  OwnedHandle request(transport,
                      transport.open_request(connection.get(), verb_for(rules, method),
                                             url_path(args.url), request_flags(args, secure)));
  if (!request) return std::nullopt;

  args.headers = header_block(rules, args);
  if (method != 0 && args.post_bytes.empty()) args.post_bytes = bytes_from_text(args.post_text);
  Received received =
      send_and_receive(transport, request.get(), args, method != 0 ? args.post_bytes : Bytes{});
  args.raw_headers = received.raw_headers.value_or(Text(kRawHeaderBufferSize, ' '));
  if (received.raw_headers) args.status = status_of(*received.raw_headers);
  return std::move(received.body);
}

Text join_cookie_items(const std::vector<Text>& items) {
  Text joined;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined += "; ";
    joined += items[i];
  }
  return joined;
}

void merge_supplied_cookies(HttpArgs& args) {
  if (args.cookies) merge_cookies(*args.cookies, args.new_cookies);
}

}  // namespace trakvel
