#include <gtest/gtest.h>

#include <vector>

#include "cli/commands.h"
#include "support/fixture_server.h"

namespace trakvel {
namespace {

struct CommandRun {
  int exit_code;
  std::string output;
};

// Runs "trakvel http ARGS..." in this process and takes what it writes.
CommandRun trakvel_http(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  ::testing::internal::CaptureStdout();
  const int code = cli::run_http_command(argv);
  std::fflush(stdout);
  return {code, ::testing::internal::GetCapturedStdout()};
}

class HttpCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.on("/page", test::answer(test::response(
                           {"HTTP/1.1 200 OK", "Set-Cookie: a=1; path=/", "Set-Cookie: b=2"},
                           std::string_view("ab\0cd", 5))));
  }
  test::FixtureServer server;
};

TEST_F(HttpCommandTest, ShowsOneResultOfTheCall) {
  const std::string url = server.url("/page");
  EXPECT_EQ(trakvel_http({url}).output, "ab");  // the text engine's body ends at a zero byte
  EXPECT_EQ(trakvel_http({"--engine", "bytes", url}).output, std::string("ab\0cd", 5));
  EXPECT_EQ(trakvel_http({"--show", "new-cookies", url}).output, "a=1; b=2");
  EXPECT_EQ(trakvel_http({"--cookies", "c=3", "--show", "cookies", url}).output, "a=1; b=2; c=3");
  const CommandRun headers = trakvel_http({"--show", "raw-headers", url});
  EXPECT_EQ(headers.exit_code, 0);
  EXPECT_EQ(headers.output.substr(0, 17), "HTTP/1.1 200 OK\r\n");
}

TEST_F(HttpCommandTest, SendsExactlyTheArgumentsGiven) {
  const std::string url = server.url("/page");
  const CommandRun sent = trakvel_http(
      {"-X", "POST", "-d", "k=v", "-H", "X-One: 1", "-H", "X-Two: 2", "--show", "sent", url});
  EXPECT_EQ(sent.output, "X-One: 1\r\nX-Two: 2\r\nReferer: " + url +
                             "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
                             "Content-Type: application/x-www-form-urlencoded");
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].request_line, "POST /page HTTP/1.1");
  EXPECT_EQ(requests[0].body, "k=v");
}

TEST_F(HttpCommandTest, BadArgumentsExitWithTwoAndSendNothing) {
  const std::string url = server.url("/page");
  const std::vector<std::vector<std::string>> bad = {
      {},
      {url, url},
      {"--engine", "curl", url},
      {"-X", "PUT", url},
      {"-X", "HEAD", url},  // HEAD belongs to the bytes engine
      {"--engine", "bytes", "--show", "location", url},
      {"--show", "cookies", url},  // only with --cookies
      {"--bogus", url},
      {"--proxy"},
  };
  for (const auto& args : bad)
    EXPECT_EQ(trakvel_http(args).exit_code, 2) << testing::PrintToString(args);
  EXPECT_TRUE(server.requests().empty());
}

}  // namespace
}  // namespace trakvel
