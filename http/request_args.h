// The arguments of one call of a request engine, in and out. A caller sets what it
// supplies, leaves the rest at its default, and reads back what the engine wrote.
#pragma once

#include <optional>

#include "text/text.h"

namespace trakvel {

// Whether a response arrived at all, and its status code: an empty body alone cannot
// tell an unreachable service from an empty page.
struct ResponseStatus {
  bool arrived = false;
  int code = 0;
  bool operator==(const ResponseStatus&) const = default;
};

struct HttpArgs {
  // In: the address, with or without a scheme.
  Text url{};
  // In: 0 GET, 1 POST; 2 HEAD for http_request_bytes.
  int method = 0;
  // In: the body as text, used when post_bytes is empty.
  Text post_text{};
  // In/out: when supplied, sent in a Cookie line instead of the system's cookie store,
  // and afterwards merged with the cookies the response set.
  std::optional<Text> cookies{};
  // Out: the name=value items that the response set, joined by "; ".
  Text new_cookies{};
  // In/out: the caller's header lines, separated by CR LF; afterwards the block sent.
  Text headers{};
  // Out (http_request only): the Location value; without one, the raw headers,
  // unless the caller put a text of its own here.
  Text location{};
  // In: true keeps redirects from being followed.
  bool no_redirect = false;
  // In/out: the body as bytes, preferred to post_text; afterwards the body sent.
  Bytes post_bytes{};
  // In: a proxy as host:port.
  std::optional<Text> proxy{};
  // Out: the response's status line and header lines as WinINet gives them.
  Text raw_headers{};
  // Out.
  ResponseStatus status{};
};

}  // namespace trakvel
