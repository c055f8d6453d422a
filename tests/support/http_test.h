// What the tests of the two HTTP engines share: arguments for an address, what the
// raw headers hold when no response came, and the table of how a proxy setting
// opens the connection.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string_view>

#include "http/request_args.h"
#include "support/fake_transport.h"

namespace trakvel::test {

inline HttpArgs args_for(std::string_view url) {
  HttpArgs args;
  args.url = url;
  return args;
}

// The engines' raw-header buffer when nothing filled it.
inline const Text kNoHeaders(5000, ' ');

struct ProxyCase {
  Text url;
  std::optional<Text> proxy;
  transport::Access access;
  Text proxy_name;
};

// Runs each case through engine(args, transport) on a fake transport and checks
// the access type and proxy name it opened with, and the secure flag for https.
template <typename Engine>
void expect_proxy_cases(Engine engine, std::initializer_list<ProxyCase> cases) {
  for (const auto& c : cases) {
    FakeTransport fake;
    HttpArgs args = args_for(c.url);
    args.proxy = c.proxy;
    engine(args, fake);
    EXPECT_EQ(fake.access, c.access) << c.url << " " << c.proxy.value_or("(none)");
    EXPECT_EQ(fake.proxy_name, c.proxy_name) << c.url << " " << c.proxy.value_or("(none)");
    EXPECT_EQ(fake.flags & transport::kFlagSecure,
              c.url.starts_with("https") ? transport::kFlagSecure : 0u)
        << c.url;
  }
}

}  // namespace trakvel::test
