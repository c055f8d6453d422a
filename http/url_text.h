// Text helpers for addresses, header lines and page markers.
#pragma once

#include <string_view>

#include "text/text.h"

namespace trakvel {

// The text between the first start_marker at or after start_position (1-based; below
// 1 means the beginning) and the next end_marker after it; empty when either is
// missing. "#引号" in a marker stands for a double quote. fold_case ignores the
// case of ASCII letters.
Text text_between(std::string_view text, std::string_view start_marker, std::string_view end_marker,
                  int start_position = 1, bool fold_case = false);

// The text after a header line's first colon, trimmed; empty without a colon.
Text header_value(std::string_view line);

// Host name of an address with or without scheme, lower-cased; with keep_port, a
// ":port" that the address names stays on.
Text url_host(std::string_view url, bool keep_port = false);

// The explicit port, else 443 for an address beginning with "https", else 80.
int url_port(std::string_view url);

// Object name for the request: from the first slash after the host to the end, or "/".
Text url_path(std::string_view url);

}  // namespace trakvel
