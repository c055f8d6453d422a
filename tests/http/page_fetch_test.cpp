#include "http/page_fetch.h"

#include <gtest/gtest.h>

#include "support/fixture_server.h"
#include "support/http_test.h"

// What sets the bytes engine apart from the request engine; the rest they share and
// the request engine's tests show. Run on both builds, as those are.
namespace trakvel {
namespace {

using test::answer;
using test::args_for;
using test::FixtureServer;
using test::kNoHeaders;
using test::response;
using Lines = std::vector<std::string>;

constexpr std::string_view kAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
Bytes bytes(std::string_view text) {
  return bytes_from_text(text);
}

Text block_of(const Lines& lines) {
  Text block;
  for (const auto& line : lines) block += (block.empty() ? "" : "\r\n") + line;
  return block;
}

class PageFetchTest : public testing::Test {
 protected:
  FixtureServer server;
};

TEST_F(PageFetchTest, AcceptComesFirstAndTheAgentIsShorter) {
  server.on("/detail/q", answer(response({"HTTP/1.1 200 OK"}, "page")));
  const std::string url = server.url("/detail/q");
  const Lines defaults = {"Accept: */*", "Referer: " + url, "Accept-Language: zh-cn",
                          "Content-Type: application/x-www-form-urlencoded"};
  const std::pair<Text, Lines> cases[] = {
      {"", defaults},
      {"X-A: 1",
       {"X-A: 1", "Accept: */*", "Referer: " + url, "Accept-Language: zh-cn",
        "Content-Type: application/x-www-form-urlencoded"}},
  };
  for (const auto& [caller, block] : cases) {
    HttpArgs args = args_for(url);
    args.headers = caller;
    EXPECT_EQ(http_request_bytes(args), bytes("page"));
    EXPECT_EQ(args.headers, block_of(block));
    Lines wire = {"Host: 127.0.0.1:" + std::to_string(server.port()),
                  "User-Agent: " + Text(kAgent)};
    wire.insert(wire.end(), block.begin(), block.end());
    EXPECT_EQ(server.requests().back().header_lines, wire);
  }
}

TEST_F(PageFetchTest, MethodsAreGetPostAndHeadAndAnyOtherIsGet) {
  struct Case {
    int method;
    std::string verb;
    std::string body_sent;
    Bytes result;
  };
  const Case cases[] = {
      {0, "GET", "", bytes("page")}, {1, "POST", "p=1", bytes("page")},
      {2, "HEAD", "p=1", {}},  // HEAD carries the body too
      {7, "GET", "", bytes("page")}, {-1, "GET", "", bytes("page")},
  };
  for (const auto& c : cases) {
    const std::string target = "/method/" + std::to_string(c.method);
    server.on(target, answer(c.verb == "HEAD"
                                 ? "HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n"  // and no body
                                 : response({"HTTP/1.1 200 OK"}, "page")));
    HttpArgs args = args_for(server.url(target));
    args.method = c.method;
    args.post_text = "p=1";
    EXPECT_EQ(http_request_bytes(args), c.result) << c.method;
    const auto request = server.requests().back();
    EXPECT_EQ(request.request_line, c.verb + " " + target + " HTTP/1.1") << c.method;
    EXPECT_EQ(request.body, c.body_sent) << c.method;
    EXPECT_EQ(args.post_bytes, bytes(c.body_sent)) << c.method;
    EXPECT_EQ(args.status, (ResponseStatus{true, 200})) << c.method;
  }
}

TEST_F(PageFetchTest, SetCookieIsFoundAndSpelledInAnyLetterCase) {
  struct Case {
    std::vector<std::string_view> head;
    Text new_cookies;
    std::vector<std::string_view> raw_lines;  // as raw_headers shows them
  };
  const Case cases[] = {
      {{"set-cookie: low=1; Path=/crumbs"}, "low=1", {"Set-Cookie: low=1; Path=/crumbs"}},
      {{"SET-COOKIE: up=2"}, "up=2", {"Set-Cookie: up=2"}},
      {{"Set-Cookie: a=1; Path=/crumbs", "Set-Cookie: b=2"},
       "a=1; b=2",
       {"Set-Cookie: a=1; Path=/crumbs", "Set-Cookie: b=2"}},
  };
  for (const auto& c : cases) {
    std::string head = "HTTP/1.1 200 OK\r\n";
    for (auto line : c.head) head.append(line).append("\r\n");
    server.on("/crumbs/page", answer(head + "Content-Length: 0\r\n\r\n"));
    HttpArgs args = args_for(server.url("/crumbs/page"));
    http_request_bytes(args);
    EXPECT_EQ(args.new_cookies, c.new_cookies) << head;
    std::string raw = "HTTP/1.1 200 OK\r\n";
    for (auto line : c.raw_lines) raw.append(line).append("\r\n");
    EXPECT_EQ(args.raw_headers, raw + "Content-Length: 0\r\n\r\n");
  }
}

TEST_F(PageFetchTest, SuppliedCookiesAreMerged) {
  server.on("/merge/page", answer(response({"HTTP/1.1 200 OK", "Set-Cookie: sid=y; Path=/"})));
  HttpArgs args = args_for(server.url("/merge/page"));
  args.cookies = "sid=x; u=1";
  http_request_bytes(args);
  EXPECT_EQ(server.requests().back().header_lines.back(), "Cookie: sid=x; u=1");
  EXPECT_EQ(args.cookies, "sid=y; u=1");
}

TEST(PageFetchConnection, OnlyANonEmptyProxyIsUsedAndHttpsGetsItAsGiven) {
  using transport::Access;
  test::expect_proxy_cases(
      [](HttpArgs& args, transport::Transport& fake) { http_request_bytes(args, fake); },
      {
          {"http://h.example/", std::nullopt, Access::direct, ""},
          {"http://h.example/", "", Access::direct, ""},
          {"http://h.example/", "p.example:1", Access::proxy, "http=p.example:1"},
          {"https://h.example/", "p.example:1", Access::proxy, "p.example:1"},
      });
}

TEST_F(PageFetchTest, GoesThroughANonEmptyProxyOnly) {
  server.on("/detail?nu=1", answer(response({"HTTP/1.1 200 OK"}, "page")));
  struct Case {
    std::string url;
    Text proxy;
    std::string request_line;
  };
  const Case cases[] = {
      {"http://m.example.invalid/detail?nu=1", "127.0.0.1:" + std::to_string(server.port()),
       "GET http://m.example.invalid:80/detail?nu=1 HTTP/1.1"},
      {server.url("/detail?nu=1"), "", "GET /detail?nu=1 HTTP/1.1"},
  };
  for (const auto& c : cases) {
    HttpArgs args = args_for(c.url);
    args.proxy = c.proxy;
    EXPECT_EQ(http_request_bytes(args), bytes("page")) << c.url;
    EXPECT_EQ(server.requests().back().request_line, c.request_line);
  }
}

TEST_F(PageFetchTest, ThePageComesBackUnconverted) {
  const std::string utf8 = "\xE4\xB8\xAD\xE6\x96\x87";
  server.on("/utf8", answer(response({"HTTP/1.1 200 OK", "Content-Type: text/html; charset=UTF-8"},
                                     utf8 + std::string("\0tail", 5))));
  HttpArgs args = args_for(server.url("/utf8"));
  EXPECT_EQ(http_request_bytes(args), bytes(utf8 + std::string("\0tail", 5)));
  EXPECT_EQ(fetch_page_text(server.url("/utf8")), utf8);  // text ends at the zero byte
}

TEST_F(PageFetchTest, HeaderBlocksOver5000BytesAreReadWhole) {
  std::string head = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 90; ++i)
    head += "X-Filler-" + std::to_string(i) + ": " + std::string(60, 'f') + "\r\n";
  head += "set-cookie: big=2; Path=/big-bytes\r\nContent-Length: 0\r\n\r\n";
  server.on("/big-bytes/page", answer(head));
  HttpArgs args = args_for(server.url("/big-bytes/page"));
  http_request_bytes(args);
  EXPECT_EQ(args.raw_headers, replace_all(head, "set-cookie", "Set-Cookie"));
  EXPECT_EQ(args.new_cookies, "big=2");
}

TEST_F(PageFetchTest, APageThatCannotBeFetchedGivesNothing) {
  const std::string unreachable = "http://127.0.0.1:" + std::to_string(test::closed_port()) + "/";
  EXPECT_EQ(fetch_page_text(unreachable), "");
  const std::string urls[] = {unreachable, server.url("/inject\r\nX-Evil: 1")};
  for (const auto& url : urls) {
    HttpArgs args = args_for(url);
    EXPECT_EQ(http_request_bytes(args), Bytes{});
    EXPECT_EQ(args.raw_headers, kNoHeaders);
    EXPECT_EQ(args.status, ResponseStatus{});
  }
  EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace trakvel
