// trakvel.ini as the programs take it: the optional proxy (what the file accepts, and
// that both requests of a lookup then go through it), a byte-order mark, and the
// message that names the lines that could not be used.
#include <gtest/gtest.h>

#include "app/lookup.h"
#include "app/settings.h"
#include "support/fixture_server.h"
#include "test_text.h"

namespace trakvel {
namespace {

TEST(ProxySetting, TakesHostAndPortOnly) {
  const struct {
    const char* line;
    const char* proxy;  // nullptr: the line is refused
  } cases[] = {
      {"proxy = 127.0.0.1:8080", "127.0.0.1:8080"},
      {"proxy=proxy.example.com:3128 ; office", "proxy.example.com:3128"},
      {"proxy = 127.0.0.1", nullptr},
      {"proxy = :8080", nullptr},
      {"proxy = host:0", nullptr},
      {"proxy = host:65536", nullptr},
      {"proxy = http://host:80", nullptr},
      {"proxy = host:80/", nullptr},
  };
  for (const auto& c : cases) {
    Settings settings;
    const auto problems = apply_settings_file(settings, c.line);
    EXPECT_EQ(problems.empty(), c.proxy != nullptr) << c.line;
    EXPECT_EQ(settings.proxy, c.proxy ? c.proxy : "") << c.line;
  }
}

TEST(ProxySetting, BothRequestsOfALookupGoThroughTheProxy) {
  test::FixtureServer proxy;
  Settings settings;
  // Nothing listens at the service's hosts: only the proxy can answer.
  const Text service = "127.0.0.1:" + std::to_string(test::closed_port());
  settings.hosts = {service, service};
  settings.proxy = "127.0.0.1:" + std::to_string(proxy.port());
  proxy.on("/autonumber/auto?num=YT1",
           test::answer(test::response({"HTTP/1.1 200 OK"},
                                       "[{\"comCode\":\"yuantong\",\"id\":\"\",\"noCount\":1}]")));
  proxy.on("/queryDetail.php?com=yuantong&nu=YT1",
           test::answer(test::response({"HTTP/1.1 200 OK"}, "page")));

  const ServiceAnswer answer = ask_service(settings, "YT1");
  EXPECT_FALSE(answer.failed) << answer.cause;
  EXPECT_EQ(test::request_lines(proxy),
            (std::vector<std::string>{
                "GET http://" + service + "/autonumber/auto?num=YT1 HTTP/1.1",
                "GET http://" + service + "/queryDetail.php?com=yuantong&nu=YT1 HTTP/1.1"}));
}

TEST(ProgramSettings, FileSavedWithAByteOrderMarkReadsAsWithout) {
  Settings settings;
  EXPECT_TRUE(apply_settings_file(settings, "\xEF\xBB\xBF[lookup]\r\njobs = 3\r\n").empty());
  EXPECT_EQ(settings.jobs, 3);
}

TEST(ProgramSettings, MessageNamesEveryBadLine) {
  ProgramSettings loaded;
  loaded.file_path = "C:\\Trakvel/trakvel.ini";
  loaded.problems = {{3, "jobs = many", "x"}, {7, "colour = blue", "x"}};
  EXPECT_EQ(settings_problems_message(loaded),
            test::gbk("C:\\Trakvel/trakvel.ini 中以下各行无法使用，已按默认值处理：\r\n"
                      "第 3 行：jobs = many\r\n"
                      "第 7 行：colour = blue"));
}

}  // namespace
}  // namespace trakvel
