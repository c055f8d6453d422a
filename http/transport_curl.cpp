// The transport on Linux: libcurl, made to behave like the WinINet calls of the
// Windows build, so that the server sees the same request and the engines read the
// same raw headers.
//
// - The request carries the lines WinINet sends: curl's Host line (the same as
//   WinINet's), Content-Length, User-Agent, then the caller's block, read the way
//   WinINet reads it; none of the headers curl would add of its own accord.
// - Redirects are followed here, hop by hop, as WinINet follows them.
// - Without kFlagNoCookies, one in-memory cookie store serves every request of the
//   process, as WinINet's store does.
// - The whole response is received when the request is sent; reads hand it out.
#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "http/transport.h"

namespace trakvel::transport {
namespace {

// WinINet gives up on a redirect loop too.
constexpr int kMaxRedirects = 30;

struct CurlDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
  void operator()(char* text) const { curl_free(text); }
};
using EasyPtr = std::unique_ptr<CURL, CurlDeleter>;
using ListPtr = std::unique_ptr<curl_slist, CurlDeleter>;
using UrlPtr = std::unique_ptr<CURLU, CurlDeleter>;
using CurlText = std::unique_ptr<char, CurlDeleter>;

// libcurl's global state and the process-wide cookie store, set up on first use.
class Library {
 public:
  Library() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    cookies_ = curl_share_init();
    curl_share_setopt(cookies_, CURLSHOPT_LOCKFUNC, &Library::lock);
    curl_share_setopt(cookies_, CURLSHOPT_UNLOCKFUNC, &Library::unlock);
    curl_share_setopt(cookies_, CURLSHOPT_USERDATA, this);
    curl_share_setopt(cookies_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  CURLSH* cookie_store() const { return cookies_; }

 private:
  static void lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<Library*>(self)->mutexes_[data].lock();
  }
  static void unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<Library*>(self)->mutexes_[data].unlock();
  }

  CURLSH* cookies_ = nullptr;
  std::array<std::mutex, CURL_LOCK_DATA_LAST> mutexes_;
};

Library& library() {
  static Library instance;
  return instance;
}

bool same_name(std::string_view a, std::string_view b) {
  return to_lower_ascii(a) == to_lower_ascii(b);
}

std::string_view trim_blanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

// ---- The request's header lines, as WinINet keeps them ----

struct HeaderLine {
  Text name;
  Text value;
};
using HeaderLines = std::vector<HeaderLine>;

// WinINet keeps one line per name: a line replaces an earlier one of the same name
// (any letter case) and takes its place at the end.
void put_line(HeaderLines& lines, std::string_view name, std::string_view value) {
  std::erase_if(lines, [&](const HeaderLine& line) { return same_name(line.name, name); });
  lines.push_back({Text(name), Text(value)});
}

void drop_line(HeaderLines& lines, std::string_view name) {
  std::erase_if(lines, [&](const HeaderLine& line) { return same_name(line.name, name); });
}

bool has_line(const HeaderLines& lines, std::string_view name) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const HeaderLine& line) { return same_name(line.name, name); });
}

// What WinINet sends after its Host line: Content-Length (for a body, and for every
// verb but GET), User-Agent, then the caller's block, split at CR or LF, names and
// values trimmed, lines without a colon or a name skipped.
HeaderLines wire_lines(std::string_view agent, std::string_view verb, std::size_t body_size,
                       std::string_view block) {
  HeaderLines lines;
  if (body_size > 0 || verb != "GET") put_line(lines, "Content-Length", std::to_string(body_size));
  put_line(lines, "User-Agent", agent);
  for (std::size_t begin = 0; begin <= block.size();) {
    const std::size_t end = std::min(block.find_first_of("\r\n", begin), block.size());
    const std::string_view line = block.substr(begin, end - begin);
    const std::size_t colon = line.find(':');
    if (colon != npos && !trim_blanks(line.substr(0, colon)).empty()) {
      put_line(lines, trim_blanks(line.substr(0, colon)), trim_blanks(line.substr(colon + 1)));
    }
    begin = end + 1;
  }
  return lines;
}

// Headers curl adds of its own accord where WinINet sends none; an empty "Name:"
// entry keeps curl from adding its own.
constexpr std::string_view kCurlOwnHeaders[] = {"Accept", "Content-Type", "Expect",
                                                "Proxy-Connection"};

ListPtr curl_header_list(const HeaderLines& lines) {
  curl_slist* list = nullptr;
  const auto append = [&list](const Text& entry) { list = curl_slist_append(list, entry.c_str()); };
  for (const HeaderLine& line : lines) {
    // "Name;" is curl's spelling of an empty value: "Name:" would drop the line.
    append(line.value.empty() ? line.name + ";" : line.name + ": " + line.value);
  }
  for (std::string_view name : kCurlOwnHeaders) {
    if (!has_line(lines, name)) append(Text(name) + ":");
  }
  return ListPtr(list);
}

// WinINet's proxy list: a "scheme=host:port" entry serves that scheme, a bare
// "host:port" every scheme; entries are separated by spaces or semicolons. Empty
// when no entry serves the scheme.
Text proxy_for(std::string_view list, std::string_view scheme) {
  for (std::size_t begin = 0; begin < list.size();) {
    const std::size_t end = std::min(list.find_first_of(" ;", begin), list.size());
    const std::string_view entry = list.substr(begin, end - begin);
    begin = end + 1;
    const std::size_t equals = entry.find('=');
    if (entry.empty()) continue;
    if (equals == npos) return "http://" + Text(entry);
    if (same_name(entry.substr(0, equals), scheme) && equals + 1 < entry.size()) {
      return "http://" + Text(entry.substr(equals + 1));
    }
  }
  return {};
}

// ---- Handles ----

struct Object {
  virtual ~Object() = default;
};

struct Root : Object {
  Text agent;
  Text proxy_name;
};

struct Connection : Object {
  const Root* root = nullptr;
  Text host;
  int port = 0;
};

// One hop of a request: what is sent where.
struct Hop {
  Text scheme;
  Text host;
  int port = 0;
  Text object;
  Text verb;
  Bytes body;
  HeaderLines lines;
};

struct Request : Object {
  const Connection* connection = nullptr;
  Text verb;
  Text object;
  std::uint32_t flags = 0;
  std::optional<Text> raw_headers;  // of the final response, in WinINet's form
  Bytes body;
  std::size_t read_at = 0;
};

Handle handle_of(Object* object) {
  return object;
}

template <typename T>
T& object_of(Handle handle) {
  return dynamic_cast<T&>(*static_cast<Object*>(handle));
}

// ---- One exchange with curl ----

struct Response {
  bool stop_after_headers = false;  // a HEAD response has no body to wait for
  bool headers_complete = false;
  std::vector<Text> lines;  // status line, then header lines, without CR LF
  Bytes body;
};

int status_code(std::string_view status_line) {
  const std::size_t space = status_line.find(' ');
  return space == npos ? 0 : std::atoi(Text(status_line.substr(space + 1)).c_str());
}

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
  Response& response = *static_cast<Response*>(user);
  std::string_view line(data, size * count);
  while (line.ends_with('\r') || line.ends_with('\n')) line.remove_suffix(1);
  if (line.starts_with("HTTP/")) {  // a new response: an interim or a final one
    response.lines.assign(1, Text(line));
    response.headers_complete = false;
  } else if (!line.empty()) {
    response.lines.emplace_back(line);
  } else if (!response.lines.empty() && status_code(response.lines.front()) >= 200) {
    response.headers_complete = true;
    if (response.stop_after_headers) return 0;  // ends the transfer here
  }
  return size * count;
}

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
  Bytes& body = static_cast<Response*>(user)->body;
  body.insert(body.end(), data, data + size * count);
  return size * count;
}

bool is_default_port(std::string_view scheme, int port) {
  return port == (scheme == "https" ? 443 : 80);
}

Text origin(const Hop& hop) {
  Text text = hop.scheme + "://" + hop.host;
  if (!is_default_port(hop.scheme, hop.port)) text += ":" + std::to_string(hop.port);
  return text;
}

// The hop's whole address: curl picks the stored cookies by its path. When curl cannot
// read the object name, the bare origin.
UrlPtr curl_address(const Hop& hop) {
  UrlPtr url(curl_url());
  const Text whole = origin(hop) + hop.object;
  if (curl_url_set(url.get(), CURLUPART_URL, whole.c_str(), CURLU_ALLOW_SPACE) != CURLUE_OK) {
    curl_url_set(url.get(), CURLUPART_URL, (origin(hop) + "/").c_str(), 0);
  }
  return url;
}

// What one hop's transfer points to; it must outlive the transfer.
struct HopOptions {
  UrlPtr address;
  Text proxy;   // empty: no proxy, not even one from the environment
  Text target;  // the request line's object
  ListPtr headers;
};

HopOptions hop_options(const Hop& hop, const Text& proxy_name) {
  HopOptions options{curl_address(hop), proxy_for(proxy_name, hop.scheme), hop.object,
                     curl_header_list(hop.lines)};
  // Through a plain proxy the object is the whole address, with the port even when it
  // is the default one, as WinINet writes it.
  if (!options.proxy.empty() && hop.scheme != "https") {
    options.target = hop.scheme + "://" + hop.host + ":" + std::to_string(hop.port) + hop.object;
  }
  return options;
}

void set_options(CURL* easy, const Hop& hop, const HopOptions& options, std::uint32_t flags,
                 const Timeouts& timeouts) {
  curl_easy_setopt(easy, CURLOPT_CURLU, options.address.get());
  curl_easy_setopt(easy, CURLOPT_REQUEST_TARGET, options.target.c_str());
  curl_easy_setopt(easy, CURLOPT_PROXY, options.proxy.c_str());
  curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, hop.verb.c_str());
  if (!hop.body.empty()) {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(hop.body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, hop.body.data());
  }
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, options.headers.get());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
  // WinINet's receive time-out: give up when nothing arrives for that long.
  const long receive_seconds = static_cast<long>((timeouts.receive.count() + 999) / 1000);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, std::max(1L, receive_seconds));
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  if ((flags & kFlagNoCookies) == 0) {
    curl_easy_setopt(easy, CURLOPT_SHARE, library().cookie_store());
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");  // reads and writes the shared store
  }
}

Response perform(const Hop& hop, const Text& proxy_name, std::uint32_t flags,
                 const Timeouts& timeouts) {
  const HopOptions options = hop_options(hop, proxy_name);
  Response response;
  response.stop_after_headers = hop.verb == "HEAD";
  const EasyPtr easy(curl_easy_init());
  if (!easy) return response;
  set_options(easy.get(), hop, options, flags, timeouts);
  curl_easy_setopt(easy.get(), CURLOPT_HEADERFUNCTION, &on_header);
  curl_easy_setopt(easy.get(), CURLOPT_HEADERDATA, &response);
  curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &on_body);
  curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &response);
  // An error after complete headers leaves a response with a short body, as WinINet's
  // failing reads do; an error before them leaves no response at all.
  curl_easy_perform(easy.get());
  return response;
}

// ---- Redirects ----

bool is_redirect(int code) {
  return code == 301 || code == 302 || code == 303 || code == 307 || code == 308;
}

std::optional<Text> location_of(const Response& response) {
  std::optional<Text> location;
  for (std::string_view line : response.lines) {
    const std::size_t colon = line.find(':');
    if (colon != npos && same_name(trim_blanks(line.substr(0, colon)), "Location")) {
      location = Text(trim_blanks(line.substr(colon + 1)));
    }
  }
  return location;
}

std::optional<Text> url_part(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (curl_url_get(url, part, &text, flags) != CURLUE_OK) return std::nullopt;
  CurlText owned(text);
  return Text(text);
}

// The hop a redirect leads to: its Location resolved against the hop's address.
// WinINet turns a redirected request other than GET and HEAD into a GET without a
// body, except after 307 and 308.
std::optional<Hop> next_hop(const Hop& hop, const Response& response) {
  const std::optional<Text> location = location_of(response);
  if (!location) return std::nullopt;
  const UrlPtr url = curl_address(hop);
  if (curl_url_set(url.get(), CURLUPART_URL, location->c_str(), CURLU_ALLOW_SPACE) != CURLUE_OK) {
    return std::nullopt;
  }
  const auto scheme = url_part(url.get(), CURLUPART_SCHEME);
  const auto host = url_part(url.get(), CURLUPART_HOST);
  const auto port = url_part(url.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
  const auto path = url_part(url.get(), CURLUPART_PATH);
  const auto query = url_part(url.get(), CURLUPART_QUERY);
  if (!scheme || !host || !port || !path) return std::nullopt;

  Hop next = hop;
  next.scheme = *scheme;
  next.host = *host;
  next.port = std::atoi(port->c_str());
  next.object = *path + (query ? "?" + *query : "");
  const int code = status_code(response.lines.front());
  if (code != 307 && code != 308 && hop.verb != "GET" && hop.verb != "HEAD") {
    next.verb = "GET";
    next.body.clear();
    drop_line(next.lines, "Content-Length");
    drop_line(next.lines, "Content-Type");
  }
  return next;
}

// ---- Raw headers ----

// "HTTP/1.1 204" and "HTTP/1.1 204 No Content" alike as version, code and reason.
Text wininet_status_line(std::string_view line) {
  const std::size_t space = line.find(' ');
  const std::string_view version = line.substr(0, space);
  const std::string_view rest = space == npos ? "" : trim_blanks(line.substr(space + 1));
  const std::size_t code_end = std::min(rest.find(' '), rest.size());
  const std::string_view reason = trim_blanks(rest.substr(code_end));
  return Text(version) + " " + Text(rest.substr(0, code_end)) + " " + Text(reason);
}

// WinINet's form: the status line, then each header line as its name, ": " and its
// trimmed value, every line ended by CR LF, and an empty line at the end.
Text wininet_raw_headers(const std::vector<Text>& lines) {
  Text raw = wininet_status_line(lines.front()) + "\r\n";
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t colon = line.find(':');
    if (colon == npos) continue;
    raw.append(trim_blanks(line.substr(0, colon)))
        .append(": ")
        .append(trim_blanks(line.substr(colon + 1)))
        .append("\r\n");
  }
  return raw + "\r\n";
}

// ---- The transport ----

class CurlTransport final : public Transport {
 public:
  Handle open(std::string_view agent, Access access, std::string_view proxy_name) override {
    library();
    auto* root = new Root;
    root->agent = agent;
    if (access == Access::proxy) root->proxy_name = proxy_name;
    return handle_of(root);
  }

  Handle connect(Handle root, std::string_view host, int port) override {
    auto* connection = new Connection;
    connection->root = &object_of<Root>(root);
    connection->host = host;
    connection->port = port;
    return handle_of(connection);
  }

  Handle open_request(Handle connection, std::string_view verb, std::string_view object,
                      std::uint32_t flags) override {
    auto* request = new Request;
    request->connection = &object_of<Connection>(connection);
    request->verb = verb;
    request->object = object;
    request->flags = flags;
    return handle_of(request);
  }

  bool send(Handle handle, std::string_view headers, const Bytes& body) override {
    Request& request = object_of<Request>(handle);
    const Connection& connection = *request.connection;
    Hop hop{.scheme = (request.flags & kFlagSecure) != 0 ? "https" : "http",
            .host = connection.host,
            .port = connection.port,
            .object = request.object,
            .verb = request.verb,
            .body = body,
            .lines = wire_lines(connection.root->agent, request.verb, body.size(), headers)};
    const Text& proxy_name = connection.root->proxy_name;
    Response response = perform(hop, proxy_name, request.flags, timeouts());
    const bool follow = (request.flags & kFlagNoAutoRedirect) == 0;
    for (int redirects = 0; follow && redirects < kMaxRedirects && response.headers_complete &&
                            is_redirect(status_code(response.lines.front()));
         ++redirects) {
      std::optional<Hop> next = next_hop(hop, response);
      if (!next) break;
      hop = std::move(*next);
      response = perform(hop, proxy_name, request.flags, timeouts());
    }
    if (!response.headers_complete) return false;
    request.raw_headers = wininet_raw_headers(response.lines);
    request.body = std::move(response.body);
    request.read_at = 0;
    return true;
  }

  std::size_t read(Handle handle, std::uint8_t* buffer, std::size_t size) override {
    Request& request = object_of<Request>(handle);
    const std::size_t count = std::min(size, request.body.size() - request.read_at);
    std::copy_n(request.body.begin() + request.read_at, count, buffer);
    request.read_at += count;
    return count;
  }

  bool query_raw_headers(Handle handle, char* buffer, std::size_t& size) override {
    const Request& request = object_of<Request>(handle);
    if (!request.raw_headers) return false;
    const Text& raw = *request.raw_headers;
    if (raw.size() + 1 > size) {  // room for the terminating zero too
      size = raw.size() + 1;
      return false;
    }
    std::copy(raw.begin(), raw.end(), buffer);
    buffer[raw.size()] = '\0';
    size = raw.size();
    return true;
  }

  void close(Handle handle) override { delete static_cast<Object*>(handle); }
};

}  // namespace

Transport& system_transport() {
  static CurlTransport transport;
  return transport;
}

}  // namespace trakvel::transport
