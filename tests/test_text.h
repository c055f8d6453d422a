// Helpers for writing test texts: the sources are UTF-8, the system's texts are GBK.
#pragma once

#include <string_view>

#include "text/codepage.h"

namespace trakvel::test {

// The code page 936 bytes of a UTF-8 literal.
inline Text gbk(std::string_view utf8) { return utf8_to_ansi(utf8); }

}  // namespace trakvel::test
