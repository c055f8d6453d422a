// Percent-decoding of fetched pages.
#pragma once

#include <string_view>

#include "text/text.h"

namespace trakvel {

// Every "%" starts an escape of the next two bytes, whatever they are: a hex digit
// counts its value, any other byte -2, a position past the end 0; the decoded byte
// is 16 x first + second modulo 256 and is dropped when it is 0. With convert_utf8
// the decoded bytes are then converted from UTF-8 to code page 936.
Text url_decode(std::string_view text, bool convert_utf8 = false);

}  // namespace trakvel
