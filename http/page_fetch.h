// The simple page fetch: the request engine's sibling that returns the body as bytes,
// and the one-call fetch of a page as raw text.
#pragma once

#include <string_view>

#include "http/request_args.h"
#include "http/transport.h"

namespace trakvel {

// Like http_request, with these differences: method 2 is HEAD and any method other
// than 0, 1 and 2 counts as 0; the Accept line comes before the Referer line; a
// shorter default agent; a proxy is used only when its text is not empty, and for
// https addresses as given; "Set-Cookie" in raw_headers is spelled so whatever the
// server's letter case; no Location (args.location is left alone) and no charset
// conversion. Every failure gives empty bytes.
Bytes http_request_bytes(HttpArgs& args);
Bytes http_request_bytes(HttpArgs& args, transport::Transport& transport);

// The page at url as text, unconverted, ending at its first zero byte; empty when it
// cannot be fetched.
Text fetch_page_text(std::string_view url);

}  // namespace trakvel
