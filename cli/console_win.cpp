#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "cli/console.h"
#include "text/codepage.h"

namespace trakvel::cli {

void use_binary_stdio() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

// Arguments arrive in the ANSI code page, which is the system's own.
Text text_from_argument(std::string_view argument) {
  return Text(argument);
}

std::string text_for_console(std::string_view text) {
  const UINT code_page = GetConsoleOutputCP();
  if (code_page == 0 || code_page == kCodePageGbk) return std::string(text);
  return wide_to_multibyte(multibyte_to_wide(text, kCodePageGbk), code_page);
}

bool is_terminal(std::FILE* stream) {
  return _isatty(_fileno(stream)) != 0;
}

}  // namespace trakvel::cli
