// The request engine: one GET or POST whose body comes back as text.
#pragma once

#include <string_view>

#include "http/request_args.h"
#include "http/transport.h"

namespace trakvel {

// Requests args.url with a default header block (Referer, Accept, Accept-Language,
// a form Content-Type and the supplied cookies), reports and merges the cookies the
// response sets, hands back its Location and raw headers, and returns the body as
// text, converted from UTF-8 when the response headers name that charset. Every
// failure gives empty text.
Text http_request(HttpArgs& args);
Text http_request(HttpArgs& args, transport::Transport& transport);

// The address alone, every other argument left out.
Text http_request(std::string_view url);

}  // namespace trakvel
