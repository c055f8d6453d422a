#include <unistd.h>

#include "cli/console.h"
#include "text/codepage.h"

namespace trakvel::cli {

void use_binary_stdio() {}

// Arguments arrive in UTF-8.
Text text_from_argument(std::string_view argument) {
  return utf8_to_ansi(argument);
}

std::string text_for_console(std::string_view text) {
  return wide_to_multibyte(multibyte_to_wide(text, kCodePageGbk), kCodePageUtf8);
}

bool is_terminal(std::FILE* stream) {
  return isatty(fileno(stream)) != 0;
}

}  // namespace trakvel::cli
