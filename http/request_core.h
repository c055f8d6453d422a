// What the two request engines share: composing the request, the exchange with the
// server through the transport, and the cookie bookkeeping after it. Where the
// engines differ before the response, the difference is an EngineRules value.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "http/request_args.h"
#include "http/transport.h"

namespace trakvel {

enum class ProxyRule {
  when_supplied,   // a supplied proxy, even an empty one, serves http addresses
  when_not_empty,  // a non-empty proxy serves http addresses, and https ones as given
};

struct EngineRules {
  std::string_view default_agent;
  std::span<const std::string_view> verbs;  // by method; a method without a verb sends GET
  bool clamp_method;                        // a method without a verb counts as 0: no body
  bool accept_first;                        // the Accept line goes before the Referer line
  ProxyRule proxy;
};

inline constexpr std::size_t kRawHeaderBufferSize = 5000;
inline constexpr std::size_t kReadStep = 1024;

// Opens the handles, composes and sends the request, reads the body and the raw
// headers, and closes the handles. Writes args.headers (the block sent),
// args.post_bytes (the body sent, when there is one), args.raw_headers (5000 spaces
// when no response arrived) and args.status. When a handle cannot be opened, gives
// nullopt and leaves args as the caller passed it, but for a status of no response.
std::optional<Bytes> exchange(transport::Transport& transport, const EngineRules& rules,
                              HttpArgs& args);

// The items joined by "; ".
Text join_cookie_items(const std::vector<Text>& items);

// When the caller supplied cookies, folds args.new_cookies into them.
void merge_supplied_cookies(HttpArgs& args);

}  // namespace trakvel
