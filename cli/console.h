// The console's side of the system's texts: arguments in, results out.
#pragma once

#include <cstdio>
#include <string_view>

#include "text/text.h"

namespace trakvel::cli {

// Standard output and input carry bytes unchanged from here on.
void use_binary_stdio();

// A command-line argument as system text (code page 936).
Text text_from_argument(std::string_view argument);

// System text for the console: UTF-8 on Linux, the console's code page on Windows.
std::string text_for_console(std::string_view text);

bool is_terminal(std::FILE* stream);

}  // namespace trakvel::cli
