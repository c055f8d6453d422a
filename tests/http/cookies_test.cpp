#include "http/cookies.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

TEST(MergeCookies, NewBeatOldDeletedDisappearDuplicatesCollapse) {
  struct Case {
    Text old_cookies, new_cookies;
    Text merged, new_after;
  };
  const Case cases[] = {
      {"a=1; b=2", "a=3", "a=3; b=2", "a=3"},
      {"sid=x; u=1", "sid=deleted", "u=1", "sid=deleted"},
      {"a=x y; b=\xA1\xA1z", "", "a=xy; b=z", ""},
      {"", "a=1; b=2", "a=1; b=2", "a=1;b=2"},
      {"a=1;b=2;a=3", "", "a=1; b=2", ""},
      {"a=1;", "b=2;", "b=2; a=1", "b=2;"},
      {"", "a=1; a=2", "a=1; a=2", "a=1;a=2"},
      {"", "a=1; a=1", "a=1", "a=1;a=1"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    Text cookies = c.old_cookies;
    Text new_cookies = c.new_cookies;
    EXPECT_EQ(merge_cookies(cookies, new_cookies), c.merged) << c.old_cookies;
    EXPECT_EQ(cookies, c.merged);
    EXPECT_EQ(new_cookies, c.new_after);
  }
}

TEST(CookieName, IsTheTrimmedTextBeforeTheFirstEquals) {
  EXPECT_EQ(cookie_name(" sid =a=b"), "sid");
  EXPECT_EQ(cookie_name("  flag "), "flag");
  EXPECT_EQ(cookie_name("=v"), "");
}

TEST(CookieListHasName, ComparesNamesExactly) {
  const std::vector<std::string_view> items{"Sid=1", "u=2"};
  EXPECT_TRUE(cookie_list_has_name(items, "u"));
  EXPECT_FALSE(cookie_list_has_name(items, "sid"));
}

TEST(RemoveDuplicateItems, KeepsTheFirstOfEqualItems) {
  EXPECT_EQ(remove_duplicate_items("a; b; a; c; b", "; "), "a; b; c");
  EXPECT_EQ(remove_duplicate_items("a;;b;", ";"), "a;;b");
  EXPECT_EQ(remove_duplicate_items("", "; "), "");
}

TEST(FindItem, GivesTheOneBasedIndexOrMinusOne) {
  const std::vector<std::string_view> list{"a", "b", "a"};
  EXPECT_EQ(find_item(list, "a"), 1);
  EXPECT_EQ(find_item(list, "b"), 2);
  EXPECT_EQ(find_item(list, "c"), -1);
}

}  // namespace
}  // namespace trakvel
