#include "app/settings.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

TEST(SettingsFile, SetsKnownKeysAndNamesBadLines) {
  Settings settings;
  const auto problems = apply_settings_file(settings,
                                            "; Trakvel settings\r\n"
                                            "[service]\r\n"
                                            "main_host = 127.0.0.1:8080\r\n"
                                            "mobile_host=127.0.0.1:8081  # the detail pages\r\n"
                                            "[lookup]\n"
                                            "jobs = 4\n"
                                            "jobs = many\n"
                                            "colour = blue\n"
                                            "just text\n"
                                            "timeout = 2000");
  EXPECT_EQ(settings.hosts.main_host, "127.0.0.1:8080");
  EXPECT_EQ(settings.hosts.mobile_host, "127.0.0.1:8081");
  EXPECT_EQ(settings.jobs, 4);
  EXPECT_EQ(settings.timeout_ms, 2000);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0].line, 7);
  EXPECT_EQ(problems[0].text, "jobs = many");
  EXPECT_EQ(problems[1].line, 8);
  EXPECT_EQ(problems[2].line, 9);
}

TEST(SettingsFile, RefusesValuesThatDoNotFit) {
  const char* bad[] = {"jobs=0",          "jobs=65",        "jobs=-1",
                       "timeout=-5",      "main_host=",     "main_host=http://x/",
                       "mobile_host=a b", "main_host=a\x01"};
  for (const char* line : bad) {
    Settings settings;
    EXPECT_EQ(apply_settings_file(settings, line).size(), 1u) << line;
    EXPECT_EQ(settings.jobs, 8);
    EXPECT_EQ(settings.hosts.main_host, "www.kuaidi100.com");
  }
}

TEST(SettingsFile, EmptyFileKeepsTheDefaults) {
  Settings settings;
  EXPECT_TRUE(apply_settings_file(settings, "").empty());
  EXPECT_EQ(settings.hosts.mobile_host, "m.kuaidi100.com");
  EXPECT_EQ(settings.timeout_ms, 0);
}

}  // namespace
}  // namespace trakvel
