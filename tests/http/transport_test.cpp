#include "http/transport.h"

#include <gtest/gtest.h>

#include "support/fixture_server.h"

// The transport of the build under test, driven directly: WinINet under Wine, or the
// libcurl transport, which must behave the same.
namespace trakvel {
namespace {

using namespace transport;
using test::answer;
using test::FixtureServer;
using test::response;
using Lines = std::vector<std::string>;

// No cookie store: these requests must leave nothing behind for other tests.
constexpr std::uint32_t kFlags =
    kFlagReload | kFlagNeedFile | kFlagNoCookies | kFlagIgnoreRedirectToHttps;

struct Call {
  std::string host = "127.0.0.1";
  int port = 0;
  std::string verb = "GET";
  std::string object = "/";
  std::string headers{};
  std::string body{};
  std::string proxy_name{};  // empty: direct
};

struct Result {
  bool sent = false;
  std::string body;
  std::optional<std::string> raw_headers;
};

Result run(const Call& call) {
  Transport& transport = system_transport();
  const Access access = call.proxy_name.empty() ? Access::direct : Access::proxy;
  Handle root = transport.open("Agent/1", access, call.proxy_name);
  Handle connection = transport.connect(root, call.host, call.port);
  Handle request = transport.open_request(connection, call.verb, call.object, kFlags);
  Result result;
  result.sent = transport.send(request, call.headers, bytes_from_text(call.body));
  std::uint8_t buffer[1024];
  for (std::size_t count; (count = transport.read(request, buffer, sizeof(buffer))) > 0;) {
    result.body.append(reinterpret_cast<const char*>(buffer), count);
  }
  std::string raw(16384, ' ');
  std::size_t size = raw.size();
  if (transport.query_raw_headers(request, raw.data(), size))
    result.raw_headers = raw.substr(0, size);
  transport.close(request);
  transport.close(connection);
  transport.close(root);
  return result;
}

TEST(Transport, RawHeadersComeInWinInetsForm) {
  FixtureServer server;
  server.on("/", answer("HTTP/1.1 204\r\nX-Odd:   spaced  \r\nServer:x\r\nset-cookie: a=1\r\n"
                        "Set-Cookie: b=2\r\nContent-Length: 0\r\n\r\n"));
  const Result result = run({.port = server.port()});
  EXPECT_TRUE(result.sent);
  EXPECT_EQ(result.raw_headers,
            "HTTP/1.1 204 \r\nX-Odd: spaced\r\nServer: x\r\nset-cookie: a=1\r\n"
            "Set-Cookie: b=2\r\nContent-Length: 0\r\n\r\n");
}

// Host first, Content-Length for a body or a verb other than GET, then the agent; a
// line replaces an earlier one of the same name and goes to the end; names and values
// are trimmed; lines without a colon are skipped.
TEST(Transport, SendsTheHeaderLinesAsWinInetKeepsThem) {
  FixtureServer server;
  server.on("/", answer(response({"HTTP/1.1 200 OK"}, "ok")));
  server.on("/head", answer("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n"));
  const std::string host = "Host: 127.0.0.1:" + std::to_string(server.port());
  struct Case {
    std::string verb, object, headers, body;
    Lines wire;
  };
  const Case cases[] = {
      {"GET", "/", "X-A: 1", "", {host, "User-Agent: Agent/1", "X-A: 1"}},
      {"POST",
       "/",
       "X-A: 1\r\nx-a: 2\r\nX-B:b\r\nNoColon\r\n\r\nX-C :  c \r\nuser-agent: Mine",
       "k=v",
       {host, "Content-Length: 3", "x-a: 2", "X-B: b", "X-C: c", "user-agent: Mine"}},
      {"HEAD", "/head", "", "", {host, "Content-Length: 0", "User-Agent: Agent/1"}},
  };
  for (const auto& c : cases) {
    const Result result = run({.port = server.port(),
                               .verb = c.verb,
                               .object = c.object,
                               .headers = c.headers,
                               .body = c.body});
    EXPECT_TRUE(result.sent) << c.verb;
    EXPECT_EQ(server.requests().back().request_line, c.verb + " " + c.object + " HTTP/1.1");
    EXPECT_EQ(server.requests().back().header_lines, c.wire) << c.verb;
    EXPECT_EQ(server.requests().back().body, c.body);
  }
}

TEST(Transport, AHeaderBlockThatDoesNotFitAsksForItsSize) {
  FixtureServer server;
  std::string head = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 100; ++i)
    head += "X-Filler-" + std::to_string(i) + ": " + std::string(50, 'f') + "\r\n";
  head += "Content-Length: 0\r\n\r\n";
  server.on("/", answer(head));
  Transport& transport = system_transport();
  Handle root = transport.open("Agent/1", Access::direct, "");
  Handle connection = transport.connect(root, "127.0.0.1", server.port());
  Handle request = transport.open_request(connection, "GET", "/", kFlags);
  ASSERT_TRUE(transport.send(request, "", {}));

  std::string raw(5000, ' ');
  std::size_t size = raw.size();
  EXPECT_FALSE(transport.query_raw_headers(request, raw.data(), size));
  EXPECT_EQ(size, head.size() + 1);  // room for the terminating zero
  raw.assign(size, ' ');
  EXPECT_TRUE(transport.query_raw_headers(request, raw.data(), size));
  EXPECT_EQ(raw.substr(0, size), head);
  transport.close(request);
  transport.close(connection);
  transport.close(root);
}

TEST(Transport, ARedirectTurnsAPostIntoAGetUnlessItKeepsTheVerb) {
  const std::pair<std::string, std::string> cases[] = {
      {"302 Found", "GET"}, {"303 See Other", "GET"}, {"307 Temporary Redirect", "POST"}};
  for (const auto& [status, verb_after] : cases) {
    FixtureServer server;
    server.on("/from", answer(response({"HTTP/1.1 " + status, "Location: /to"})));
    server.on("/to", answer(response({"HTTP/1.1 200 OK"}, "arrived")));
    const Result result = run({.port = server.port(),
                               .verb = "POST",
                               .object = "/from",
                               .headers = "Content-Type: application/x-www-form-urlencoded",
                               .body = "k=v"});
    EXPECT_EQ(result.body, "arrived") << status;
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u) << status;
    EXPECT_EQ(requests[1].request_line, verb_after + " /to HTTP/1.1") << status;
    // Wine re-posts after a 307 without the body; Windows and the curl transport
    // send it again. A GET leaves the body and its lines behind everywhere.
    if (verb_after != "GET") continue;
    EXPECT_EQ(requests[1].body, "");
    for (const auto& line : requests[1].header_lines) {
      EXPECT_FALSE(starts_with_fold(line, "Content-")) << status << ": " << line;
    }
  }
}

TEST(Transport, AProxyListServesTheSchemesItNames) {
  FixtureServer proxy;
  proxy.on("/p", answer(response({"HTTP/1.1 200 OK"}, "proxied")));
  const std::string address = "127.0.0.1:" + std::to_string(proxy.port());
  const std::string lists[] = {address, "http=" + address, "https=127.0.0.1:1 http=" + address};
  for (const auto& list : lists) {
    const Result result =
        run({.host = "site.example.invalid", .port = 8080, .object = "/p", .proxy_name = list});
    EXPECT_EQ(result.body, "proxied") << list;
    EXPECT_EQ(proxy.requests().back().request_line,
              "GET http://site.example.invalid:8080/p HTTP/1.1");
    EXPECT_EQ(proxy.requests().back().header_lines,
              (Lines{"Host: site.example.invalid:8080", "User-Agent: Agent/1"}));
  }
}

}  // namespace
}  // namespace trakvel
