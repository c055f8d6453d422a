#include "http/url_text.h"

#include <gtest/gtest.h>

#include "test_text.h"

namespace trakvel {
namespace {

using test::gbk;

TEST(TextBetween, CutsBetweenTheFirstStartAndTheNextEnd) {
  struct Case {
    Text text, start, end;
    int position;
    bool fold;
    Text result;
  };
  const Text quote_macro(kQuoteMacro);
  const Case cases[] = {
      {"[{\"comCode\":\"yuantong\",\"id\":\"\"}]", "[{\"comCode\":\"", "\",\"id\":\"\"", 1, false,
       "yuantong"},
      {"a<b>x</b><b>y</b>", "<b>", "</b>", 1, false, "x"},
      {"</b>x<b>", "<b>", "</b>", 1, false, ""},  // end only before start
      {"<b></b>", "<b>", "</b>", 1, false, ""},   // markers touch
      {"<b>x", "<b>", "</b>", 1, false, ""},
      {"x</b>", "<b>", "</b>", 1, false, ""},
      {"<b>1</b><b>2</b>", "<b>", "</b>", 2, false, "2"},  // start position skips the first
      {"<b>1</b>", "<b>", "</b>", -3, false, "1"},         // below 1: the beginning
      {"<b>1</b>", "<b>", "</b>", 100, false, ""},         // past the end
      {"<B>1</b>", "<b>", "</B>", 1, true, "1"},
      {"<B>1</b>", "<b>", "</b>", 1, false, ""},
      {"class=\"a\"x\"", "class=" + quote_macro + "a" + quote_macro, quote_macro, 1, false, "x"},
      {gbk("快递公司：中通快递。"), gbk("公司："), gbk("。"), 1, false, gbk("中通快递")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text_between(c.text, c.start, c.end, c.position, c.fold), c.result)
        << testing::PrintToString(c.text);
  }
}

TEST(HeaderValue, TakesEverythingAfterTheFirstColonTrimmed) {
  EXPECT_EQ(header_value("Location: http://host:8080/a?b=c  "), "http://host:8080/a?b=c");
  EXPECT_EQ(header_value("X-Empty:"), "");
  EXPECT_EQ(header_value("no colon here"), "");
  EXPECT_EQ(header_value("A:\t v"), "\t v");  // only spaces are trimmed
}

TEST(UrlHost, ReadsTheHostWithOrWithoutPort) {
  struct Case {
    Text url;
    Text host, host_and_port;
  };
  const Case cases[] = {
      {"Example.COM:8080/path", "example.com", "example.com:8080"},
      {"https://Secure.example.com/x", "secure.example.com", "secure.example.com"},
      {"http://a.b:81", "a.b", "a.b:81"},
      {"bare-host", "bare-host", "bare-host"},
      {"www.kuaidi100.com/autonumber/auto?num=1", "www.kuaidi100.com", "www.kuaidi100.com"},
      {"site.com/q?u=http://other.com/", "site.com", "site.com"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(url_host(c.url), c.host) << c.url;
    EXPECT_EQ(url_host(c.url, true), c.host_and_port) << c.url;
  }
}

TEST(UrlPort, ExplicitPortElseBySchemeBeginning) {
  struct Case {
    Text url;
    int port;
  };
  const Case cases[] = {
      {"host/path", 80},
      {"http://host", 80},
      {"https://host/", 443},
      {"HTTPS://host/", 443},
      {"https://host:8443/x", 8443},
      {"http://host:8080", 8080},
      {"host:8080/x", 8080},
      {"host:/x", 0},
      {"host:abc/x", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(url_port(c.url), c.port) << c.url;
}

TEST(UrlPath, FromTheFirstSlashAfterTheHost) {
  struct Case {
    Text url, path;
  };
  const Case cases[] = {
      {"www.Host.com/autonumber/auto?num=123", "/autonumber/auto?num=123"},
      {"http://HOST.com?x", "/"},
      {"http://host.com/?q=1#f", "/?q=1#f"},
      {"bare-host", "/"},
      {"host:8080/A/B", "/A/B"},
      {"https://h.com/Path?u=http://x.com/", "/Path?u=http://x.com/"},
  };
  for (const auto& c : cases) EXPECT_EQ(url_path(c.url), c.path) << c.url;
}

}  // namespace
}  // namespace trakvel
