#include "http/request_engine.h"

#include <gtest/gtest.h>

#include "support/fake_transport.h"
#include "support/fixture_server.h"
#include "support/http_test.h"
#include "test_text.h"

// The same tests run on both builds: against WinINet under Wine and against the
// libcurl transport natively. The header lines the server receives start with the
// two lines WinINet adds of its own, Host and User-Agent (Content-Length between
// them when there is a body); the rest is the block the engine composed.
namespace trakvel {
namespace {

using test::answer;
using test::args_for;
using test::FixtureServer;
using test::kNoHeaders;
using test::response;
using Lines = std::vector<std::string>;

constexpr std::string_view kAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 884QT; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";
constexpr std::string_view kForm = "Content-Type: application/x-www-form-urlencoded";

Lines lines_of(std::string_view block) {
  Lines lines;
  for (std::string_view line : split_text(block, "\r\n")) lines.emplace_back(line);
  return lines;
}

Lines concat(Lines head, const Lines& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

class HttpRequestTest : public testing::Test {
 protected:
  Lines platform_lines(std::string_view agent = kAgent) const {
    return {"Host: 127.0.0.1:" + std::to_string(server.port()), "User-Agent: " + Text(agent)};
  }
  test::ReceivedRequest only_request() const {
    const auto requests = server.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? test::ReceivedRequest{} : requests.front();
  }

  FixtureServer server;
};

TEST_F(HttpRequestTest, AnAddressAloneSendsTheDefaultBlock) {
  server.on("/track/a?num=1", answer(response({"HTTP/1.1 200 OK"}, "hello")));
  const std::string url = server.url("/track/a?num=1");
  HttpArgs args = args_for(url);

  EXPECT_EQ(http_request(args), "hello");

  const Lines block = {"Referer: " + url, "Accept: */*", "Accept-Language: zh-cn", Text(kForm)};
  EXPECT_EQ(lines_of(args.headers), block);
  EXPECT_FALSE(args.headers.ends_with("\r\n"));
  const auto request = only_request();
  EXPECT_EQ(request.request_line, "GET /track/a?num=1 HTTP/1.1");
  EXPECT_EQ(request.header_lines, concat(platform_lines(), block));
  EXPECT_EQ(request.body, "");
  EXPECT_EQ(args.status, (ResponseStatus{true, 200}));
}

TEST_F(HttpRequestTest, DefaultLinesAreAddedOnlyWhereTheCallerGaveNone) {
  struct Case {
    Text caller;
    std::optional<Text> cookies;
    Lines block;  // "{url}" stands for the address
    Lines wire;   // after Host and User-Agent
  };
  const Lines defaults_after_referer = {"Accept: */*", "Accept-Language: zh-cn", Text(kForm)};
  const Case cases[] = {
      {"X-Trace: 7", std::nullopt, concat({"X-Trace: 7", "Referer: {url}"}, defaults_after_referer),
       concat({"X-Trace: 7", "Referer: {url}"}, defaults_after_referer)},
      // The search is case-exact, so a lower-case referer gets the engine's line too;
      // WinINet keeps one line per name, the later one.
      {"referer: mine", std::nullopt,
       concat({"referer: mine", "Referer: {url}"}, defaults_after_referer),
       concat({"Referer: {url}"}, defaults_after_referer)},
      {"Referer: r\r\nAccept: text/html\r\nAccept-Language: en\r\nContent-Type: text/plain",
       std::nullopt,
       {"Referer: r", "Accept: text/html", "Accept-Language: en", "Content-Type: text/plain"},
       {"Referer: r", "Accept: text/html", "Accept-Language: en", "Content-Type: text/plain"}},
      {"", "sid=1; u=2",
       concat(concat({"Referer: {url}"}, defaults_after_referer), {"Cookie: sid=1; u=2"}),
       concat(concat({"Referer: {url}"}, defaults_after_referer), {"Cookie: sid=1; u=2"})},
      {"", "", concat({"Referer: {url}"}, defaults_after_referer),
       concat({"Referer: {url}"}, defaults_after_referer)},
  };
  server.on("/compose/x", answer(response({"HTTP/1.1 200 OK"})));
  const std::string url = server.url("/compose/x");
  const auto with_url = [&](Lines lines) {
    for (auto& line : lines) line = replace_all(line, "{url}", url);
    return lines;
  };
  for (const auto& c : cases) {
    HttpArgs args = args_for(url);
    args.headers = c.caller;
    args.cookies = c.cookies;
    http_request(args);
    EXPECT_EQ(lines_of(args.headers), with_url(c.block)) << c.caller;
    EXPECT_EQ(server.requests().back().header_lines, concat(platform_lines(), with_url(c.wire)))
        << c.caller;
  }
}

TEST_F(HttpRequestTest, ACallersUserAgentLineIsSentInItsPlace) {
  server.on("/agent/x", answer(response({"HTTP/1.1 200 OK"})));
  HttpArgs args = args_for(server.url("/agent/x"));
  args.headers = "X-A: 1\r\nuser-agent:  Mine/2 ";
  http_request(args);
  const Lines wire = only_request().header_lines;
  ASSERT_GE(wire.size(), 3u);
  EXPECT_EQ(wire[0], "Host: 127.0.0.1:" + std::to_string(server.port()));
  EXPECT_EQ(wire[1], "X-A: 1");
  EXPECT_EQ(wire[2], "user-agent: Mine/2");
}

TEST(HttpRequestAgent, IsTheCallersUserAgentValueInAnyLetterCase) {
  const std::pair<Text, Text> cases[] = {
      {"", Text(kAgent)},
      {"User-Agent: A/1", "A/1"},
      {"X: 1\r\nuser-AGENT:   B/2 \xA1\xA1\r\nY: 2", "B/2"},  // trimmed, ideographic space too
      {"X: 1\r\nUSER-AGENT: C/3", "C/3"},
  };
  for (const auto& [headers, agent] : cases) {
    test::FakeTransport fake;
    HttpArgs args = args_for("http://h.example/");
    args.headers = headers;
    http_request(args, fake);
    EXPECT_EQ(fake.agent, agent) << headers;
    EXPECT_TRUE(args.headers.starts_with(headers)) << "the User-Agent line stays in the block";
  }
}

TEST_F(HttpRequestTest, AnyMethodButZeroSendsTheBodyAndWritesItBack) {
  struct Case {
    int method;
    Text post_text;
    Bytes post_bytes;
    std::string verb;
    std::string body;
  };
  const Bytes with_zero = {'x', 0, 'y'};
  const Case cases[] = {
      {1, "a=1&b=2", {}, "POST", "a=1&b=2"},
      {1, "ignored", with_zero, "POST", std::string("x\0y", 3)},
      {0, "a=1", {}, "GET", ""},
      {2, "a=1", {}, "GET", "a=1"},  // only 1 is POST, but every method other than 0 has a body
      {-1, "a=1", {}, "GET", "a=1"},
  };
  server.on("/form/post", answer(response({"HTTP/1.1 200 OK"}, "done")));
  for (const auto& c : cases) {
    HttpArgs args = args_for(server.url("/form/post"));
    args.method = c.method;
    args.post_text = c.post_text;
    args.post_bytes = c.post_bytes;
    EXPECT_EQ(http_request(args), "done");
    const auto request = server.requests().back();
    EXPECT_EQ(request.request_line, c.verb + " /form/post HTTP/1.1") << c.method;
    EXPECT_EQ(request.body, c.body) << c.method;
    const Lines expected_start =
        c.body.empty()
            ? platform_lines()
            : Lines{platform_lines()[0], "Content-Length: " + std::to_string(c.body.size()),
                    platform_lines()[1]};
    EXPECT_EQ(Lines(request.header_lines.begin(),
                    request.header_lines.begin() + static_cast<long>(expected_start.size())),
              expected_start)
        << c.method;
    EXPECT_EQ(args.post_bytes, Bytes(c.body.begin(), c.body.end())) << c.method;
  }
}

TEST_F(HttpRequestTest, AddressesWithoutSchemeOrSlashKeepTheirReferer) {
  server.on("/x/y?z=http://other.example/", answer(response({"HTTP/1.1 200 OK"})));
  server.on("/", answer(response({"HTTP/1.1 200 OK"})));
  const std::string port = std::to_string(server.port());
  const std::pair<std::string, std::string> cases[] = {
      {"127.0.0.1:" + port + "/x/y?z=http://other.example/",
       "GET /x/y?z=http://other.example/ HTTP/1.1"},
      {"http://127.0.0.1:" + port, "GET / HTTP/1.1"},
  };
  for (const auto& [url, request_line] : cases) {
    HttpArgs args = args_for(url);
    http_request(args);
    const auto request = server.requests().back();
    EXPECT_EQ(request.request_line, request_line);
    EXPECT_EQ(request.header_lines.at(2), "Referer: " + url);
  }
}

TEST(HttpRequestConnection, PortAndFlagsFollowTheAddressAndArguments) {
  using namespace transport;
  constexpr std::uint32_t kAlways = kFlagReload | kFlagNeedFile;
  struct Case {
    Text url;
    bool cookies, no_redirect;
    Text host;
    int port;
    Text object;
    std::uint32_t flags;
  };
  const Case cases[] = {
      {"www.Example.com/q?a=1", false, false, "www.example.com", 80, "/q?a=1",
       kAlways | kFlagIgnoreRedirectToHttps},
      {"https://h.example/p", false, false, "h.example", 443, "/p", kAlways | kFlagSecure},
      {"HTTPS://h.example:8443", false, false, "h.example", 8443, "/", kAlways | kFlagSecure},
      {"http://h.example/", true, false, "h.example", 80, "/",
       kAlways | kFlagNoCookies | kFlagIgnoreRedirectToHttps},
      {"http://h.example/", false, true, "h.example", 80, "/",
       kAlways | kFlagNoAutoRedirect | kFlagIgnoreRedirectToHttps},
  };
  for (const auto& c : cases) {
    test::FakeTransport fake;
    HttpArgs args = args_for(c.url);
    if (c.cookies) args.cookies = "";
    args.no_redirect = c.no_redirect;
    http_request(args, fake);
    EXPECT_EQ(fake.verb, "GET");
    EXPECT_EQ(fake.host, c.host) << c.url;
    EXPECT_EQ(fake.port, c.port) << c.url;
    EXPECT_EQ(fake.object, c.object) << c.url;
    EXPECT_EQ(fake.flags, c.flags) << c.url;
    EXPECT_TRUE(fake.headers.starts_with("Referer: " + c.url + "\r\n")) << c.url;
  }
}

TEST(HttpRequestConnection, ASuppliedProxyServesHttpAddresses) {
  using transport::Access;
  test::expect_proxy_cases(
      [](HttpArgs& args, transport::Transport& fake) { http_request(args, fake); },
      {
          {"http://h.example/", std::nullopt, Access::direct, ""},
          {"http://h.example/", "10.0.0.1:8080", Access::proxy, "http=10.0.0.1:8080"},
          {"https://h.example/", "10.0.0.1:8080", Access::proxy, "http=10.0.0.1:8080"},
          {"http://h.example/", "", Access::proxy, "http="},
      });
}

TEST_F(HttpRequestTest, GoesThroughASuppliedProxy) {
  server.on("/q?x=1", answer(response({"HTTP/1.1 200 OK"}, "via proxy")));
  struct Case {
    std::string url;
    std::optional<Text> proxy;
    std::string request_line;
  };
  const Case cases[] = {
      {"http://example.invalid/q?x=1", "127.0.0.1:" + std::to_string(server.port()),
       "GET http://example.invalid:80/q?x=1 HTTP/1.1"},
      // "http=" alone names no proxy: the request goes straight to the server.
      {server.url("/q?x=1"), "", "GET /q?x=1 HTTP/1.1"},
  };
  for (const auto& c : cases) {
    HttpArgs args = args_for(c.url);
    args.proxy = c.proxy;
    EXPECT_EQ(http_request(args), "via proxy") << c.url;
    EXPECT_EQ(server.requests().back().request_line, c.request_line);
  }
  EXPECT_EQ(server.requests().front().header_lines.front(), "Host: example.invalid");
}

TEST(HttpRequestRedirects, AreFollowedUnlessTurnedOff) {
  struct Case {
    int method;
    bool no_redirect;
    Text body;
    Lines request_lines;
    ResponseStatus status;
    Text location;  // empty: the raw headers
  };
  const Case cases[] = {
      {0,
       false,
       "final",
       {"GET /hop/1 HTTP/1.1", "GET /hop/2 HTTP/1.1", "GET /hop/3 HTTP/1.1"},
       {true, 200},
       ""},
      {0, true, "moved", {"GET /hop/1 HTTP/1.1"}, {true, 302}, "/hop/2"},
      // A redirected POST goes on as a GET without a body.
      {1,
       false,
       "final",
       {"POST /hop/1 HTTP/1.1", "GET /hop/2 HTTP/1.1", "GET /hop/3 HTTP/1.1"},
       {true, 200},
       ""},
  };
  for (const auto& c : cases) {
    FixtureServer chain;  // a fresh record per case
    chain.on("/hop/1", answer(response({"HTTP/1.1 302 Found", "Location: /hop/2"}, "moved")));
    chain.on(
        "/hop/2",
        answer(response({"HTTP/1.1 301 Moved Permanently", "Location: " + chain.url("/hop/3")})));
    chain.on("/hop/3", answer(response({"HTTP/1.1 200 OK"}, "final")));
    HttpArgs args = args_for(chain.url("/hop/1"));
    args.method = c.method;
    args.post_text = "k=v";
    args.no_redirect = c.no_redirect;

    EXPECT_EQ(http_request(args), c.body);
    EXPECT_EQ(test::request_lines(chain), c.request_lines);
    EXPECT_EQ(args.status, c.status);
    EXPECT_EQ(args.location, c.location.empty() ? args.raw_headers : c.location);
    const auto requests = chain.requests();
    for (std::size_t hop = 1; hop < requests.size(); ++hop) {
      EXPECT_EQ(requests[hop].body, "");
      for (const auto& line : requests[hop].header_lines) {
        EXPECT_FALSE(starts_with_fold(line, "Content-Length:")) << line;
      }
    }
  }
}

TEST_F(HttpRequestTest, SuppliedCookiesAreSentAndMergedWithWhatTheResponseSets) {
  struct Case {
    Text cookies;
    std::string target;
    std::string response;
    std::optional<std::string> cookie_line;
    Text cookies_after, new_cookies_after;
  };
  const Case cases[] = {
      {"", "/supplied/a",
       response({"HTTP/1.1 200 OK", "Set-Cookie: a=1; Path=/", "Set-Cookie: b = 2"}), std::nullopt,
       "a=1; b=2", "a=1;b=2"},
      {"sid=x; u=1", "/supplied/b", response({"HTTP/1.1 200 OK", "Set-Cookie: sid=y; HttpOnly"}),
       "Cookie: sid=x; u=1", "sid=y; u=1", "sid=y"},
  };
  for (const auto& c : cases) {
    server.on(c.target, answer(c.response));
    HttpArgs args = args_for(server.url(c.target));
    args.cookies = c.cookies;
    http_request(args);
    const Lines wire = server.requests().back().header_lines;
    const auto cookie = std::find_if(wire.begin(), wire.end(),
                                     [](const auto& line) { return line.starts_with("Cookie"); });
    EXPECT_EQ(cookie == wire.end() ? std::nullopt : std::optional(*cookie), c.cookie_line);
    EXPECT_EQ(args.cookies, c.cookies_after);
    EXPECT_EQ(args.new_cookies, c.new_cookies_after);
  }
}

// Without a cookie text of the caller's, requests share the system's cookie store.
TEST_F(HttpRequestTest, UnsuppliedCookiesLiveInTheSharedStore) {
  server.on("/jar/set", answer(response({"HTTP/1.1 200 OK", "Set-Cookie: jar=1; Path=/jar"})));
  server.on("/jar/set-own", answer(response({"HTTP/1.1 200 OK", "Set-Cookie: own=1; Path=/jar"})));
  server.on("/jar/next", answer(response({"HTTP/1.1 200 OK"})));
  const auto cookie_line = [&](std::string_view target, std::optional<Text> cookies) {
    HttpArgs args = args_for(server.url(target));
    args.cookies = cookies;
    http_request(args);
    const Lines wire = server.requests().back().header_lines;
    for (const auto& line : wire) {
      if (line.starts_with("Cookie")) return line;
    }
    return std::string("(none)");
  };
  cookie_line("/jar/set", std::nullopt);
  EXPECT_EQ(cookie_line("/jar/next", std::nullopt), "Cookie: jar=1");
  // Supplied cookies, even empty, keep the store out: not read, not written.
  EXPECT_EQ(cookie_line("/jar/next", ""), "(none)");
  cookie_line("/jar/set-own", "");
  EXPECT_EQ(cookie_line("/jar/next", std::nullopt), "Cookie: jar=1");
}

TEST_F(HttpRequestTest, ReadsLocationAndCookiesFromTheRawHeaders) {
  struct Case {
    std::vector<std::string_view> head;
    Text location_before;
    Text new_cookies;
    Text location;  // "(raw)": the raw headers
  };
  const Case cases[] = {
      {{"Set-Cookie: a=1; Path=/scan", "Set-Cookie: b=2"}, "", "a=1; b=2", "(raw)"},
      // The search is case-exact here: a lower-case header name is not a cookie.
      {{"set-cookie: c=3; Path=/scan", "Set-Cookie: d=4; Path=/scan"}, "", "d=4", "(raw)"},
      {{"Location: http://x.example:81/p?q=1"}, "", "", "http://x.example:81/p?q=1"},
      {{"Location: /first", "Location: /second"}, "", "", "/second"},
      {{}, "mine", "", "mine"},
  };
  for (const auto& c : cases) {
    std::string bytes = "HTTP/1.1 200 OK\r\n";
    for (auto line : c.head) bytes.append(line).append("\r\n");
    bytes += "Content-Length: 0\r\n\r\n";
    server.on("/scan/page", answer(bytes));
    HttpArgs args = args_for(server.url("/scan/page"));
    args.location = c.location_before;
    http_request(args);
    EXPECT_EQ(args.raw_headers, bytes) << bytes;
    EXPECT_EQ(args.new_cookies, c.new_cookies) << bytes;
    EXPECT_EQ(args.location, c.location == "(raw)" ? args.raw_headers : c.location) << bytes;
  }
}

TEST_F(HttpRequestTest, ConvertsUtf8WhenTheResponseHeadersSaySo) {
  const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
  struct Case {
    std::string response;
    Text text;
    ResponseStatus status;
  };
  const Case cases[] = {
      {response({"HTTP/1.1 200 OK", "Content-Type: text/html; charset=UTF-8"}, utf8),
       test::gbk("中文"),
       {true, 200}},
      {response({"HTTP/1.1 200 OK", "Content-Type: text/html"}, "<meta charset=\"utf-8\">" + utf8),
       "<meta charset=\"utf-8\">" + utf8,
       {true, 200}},
      {response({"HTTP/1.1 200 OK"}, std::string("ab\0cd", 5)), "ab", {true, 200}},
      {response({"HTTP/1.1 404 Not Found"}, "missing"), "missing", {true, 404}},
  };
  for (const auto& c : cases) {
    server.on("/page", answer(c.response));
    HttpArgs args = args_for(server.url("/page"));
    EXPECT_EQ(http_request(args), c.text) << c.response;
    EXPECT_EQ(args.status, c.status) << c.response;
  }
}

TEST_F(HttpRequestTest, HeaderBlocksOver5000BytesAreReadWhole) {
  std::string head = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 90; ++i)
    head += "X-Filler-" + std::to_string(i) + ": " + std::string(60, 'f') + "\r\n";
  head += "Set-Cookie: big=1; Path=/big-head\r\nLocation: /elsewhere\r\n";
  head += "Content-Type: text/plain; charset=UTF-8\r\nContent-Length: 3\r\n\r\n";
  ASSERT_GT(head.size(), 5000u);
  server.on("/big-head/page", answer(head + "\xE4\xB8\xAD"));
  HttpArgs args = args_for(server.url("/big-head/page"));

  EXPECT_EQ(http_request(args), test::gbk("中"));
  EXPECT_EQ(args.raw_headers, head);
  EXPECT_EQ(args.new_cookies, "big=1");
  EXPECT_EQ(args.location, "/elsewhere");
}

// Every way of getting no response ends alike: empty text, 5000 spaces of headers,
// and a status that says nothing arrived.
TEST_F(HttpRequestTest, NoResponseGivesEmptyTextAndBlankHeaders) {
  server.on("/reset", test::reset());
  struct Case {
    std::string url;
    bool reaches_server;
  };
  const Case cases[] = {
      {"http://127.0.0.1:" + std::to_string(test::closed_port()) + "/x", false},
      {server.url("/reset"), true},
      // A line break or zero byte in the address would inject header lines: nothing is sent.
      {server.url("/inject\r\nX-Evil: 1"), false},
      {server.url("/inject\nX-Evil: 1"), false},
      {server.url(std::string("/inject\0X", 9)), false},
  };
  for (const auto& c : cases) {
    const std::size_t seen = server.requests().size();
    HttpArgs args = args_for(c.url);
    EXPECT_EQ(http_request(args), "") << c.url;
    EXPECT_EQ(args.raw_headers, kNoHeaders) << c.url;
    EXPECT_EQ(args.location, kNoHeaders) << c.url;
    EXPECT_EQ(args.new_cookies, "");
    EXPECT_EQ(args.status, ResponseStatus{}) << c.url;
    EXPECT_EQ(server.requests().size(), seen + (c.reaches_server ? 1 : 0)) << c.url;
  }
}

// Sets short time-outs for one test: the defaults would hold it a minute.
class ShortTimeouts {
 public:
  ShortTimeouts() {
    transport::system_transport().set_timeouts({std::chrono::seconds(1), std::chrono::seconds(1)});
  }
  ~ShortTimeouts() { transport::system_transport().set_timeouts(saved_); }

 private:
  transport::Timeouts saved_ = transport::system_transport().timeouts();
};

TEST_F(HttpRequestTest, AStalledServerIsGivenUpAfterTheReceiveTimeout) {
  ShortTimeouts short_timeouts;
  server.on("/stall", test::stall());
  HttpArgs args = args_for(server.url("/stall"));
  EXPECT_EQ(http_request(args), "");
  EXPECT_EQ(args.raw_headers, kNoHeaders);
  EXPECT_FALSE(args.status.arrived);
}

TEST(HttpRequestHandles, AFailedHandleLeavesEveryArgumentAsItWas) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"root", {}},
      {"connection", {"root"}},
      {"request", {"connection", "root"}},
  };
  for (const auto& [failing, closed] : cases) {
    test::FakeTransport fake;
    fake.fail = failing;
    HttpArgs args = args_for("http://h.example/");
    args.method = 1;
    args.post_text = "p=1";
    args.cookies = "c=1";
    args.new_cookies = "n=1";
    args.headers = "X: 1";
    args.location = "L";
    args.raw_headers = "R";
    EXPECT_EQ(http_request(args, fake), "");
    EXPECT_EQ(args.headers, "X: 1") << failing;
    EXPECT_EQ(args.post_bytes, Bytes{}) << failing;
    EXPECT_EQ(args.cookies, "c=1");
    EXPECT_EQ(args.new_cookies, "n=1");
    EXPECT_EQ(args.location, "L");
    EXPECT_EQ(args.raw_headers, "R");
    EXPECT_EQ(fake.closed, closed) << failing;
  }
}

TEST(HttpRequestHandles, ReadsIn1024ByteStepsAndClosesInnermostFirst) {
  test::FakeTransport fake;
  fake.response_body = Bytes(2500, 'b');
  HttpArgs args = args_for("http://h.example/");
  EXPECT_EQ(http_request(args, fake), std::string(2500, 'b'));
  EXPECT_EQ(fake.read_sizes, (std::vector<std::size_t>(4, 1024)));
  EXPECT_EQ(fake.closed, (std::vector<std::string>{"request", "connection", "root"}));
}

}  // namespace
}  // namespace trakvel
