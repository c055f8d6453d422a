// A response head of 100 KB, over the wire and through the transport's buffer
// growth: the Location and the cookie at its end are not lost.
#include <gtest/gtest.h>

#include "http/request_engine.h"
#include "support/fake_transport.h"
#include "support/fixture_server.h"
#include "support/http_test.h"

namespace trakvel {
namespace {

// 100 KB of padding lines, then the lines that matter.
std::vector<std::string> long_head() {
  std::vector<std::string> lines = {"HTTP/1.1 200 OK"};
  for (int i = 0; lines.size() < 1000; ++i)
    lines.push_back("X-Pad-" + std::to_string(i) + ": " + std::string(100, 'p'));
  // Expired: WinINet keeps the cookies it is given for the whole process.
  lines.push_back("Set-Cookie: last=1; expires=Thu, 01 Jan 1970 00:00:00 GMT");
  lines.push_back("Location: /end");
  return lines;
}

void expect_nothing_lost(const HttpArgs& args, const Text& body) {
  EXPECT_EQ(body, "hello");
  EXPECT_TRUE(args.status.arrived);
  EXPECT_EQ(args.status.code, 200);
  EXPECT_EQ(args.location, "/end");
  EXPECT_EQ(args.new_cookies, "last=1");
  EXPECT_GT(args.raw_headers.size(), 100000u);
}

TEST(HostileResponse, HeadOf100KilobytesThroughTheTransportBuffer) {
  test::FakeTransport fake;
  fake.raw_headers.clear();
  for (const auto& line : long_head()) fake.raw_headers += line + "\r\n";
  fake.raw_headers += "\r\n";
  fake.response_body = {'h', 'e', 'l', 'l', 'o'};
  HttpArgs args = test::args_for("http://h.example/");
  const Text body = http_request(args, fake);
  expect_nothing_lost(args, body);
}

TEST(HostileResponse, HeadOf100KilobytesOverTheWire) {
  test::FixtureServer server;
  std::string head;
  for (const auto& line : long_head()) head += line + "\r\n";
  server.on("/long", test::answer(head + "Content-Length: 5\r\n\r\nhello"));
  HttpArgs args = test::args_for(server.url("/long"));
  args.no_redirect = true;
  const Text body = http_request(args);
  expect_nothing_lost(args, body);
}

}  // namespace
}  // namespace trakvel
