#include "cli/skip_signed.h"

#include "text/codepage.h"

namespace trakvel::cli {
namespace {

constexpr std::string_view kCellEnd = "  ";

// The number of an input line as the batch takes it: the part before "----".
std::string_view number_of_input_line(std::string_view line) {
  const auto pieces = split_text(line, "----");
  return trim_text(pieces.empty() ? std::string_view() : pieces.front());
}

// The number cell of a saved line whose state is signed for, or nothing. The cells
// are read from both ends because only they are safe: serial (digits) and time
// ("YYYY-MM-DD hh:mm:ss", one blank) hold no two blanks, so the number is the third
// cell from the left; the state is one of a few words without blanks, so it is the
// last cell; company and last update in between may hold anything, even two blanks.
// GBK trail bytes are never blanks, so the byte search never splits a character.
std::string_view signed_number_of_saved_line(std::string_view line, std::string_view signed_state) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
  const std::size_t state_at = line.rfind(kCellEnd);
  if (state_at == npos || line.substr(state_at + kCellEnd.size()) != signed_state) return {};
  std::string_view rest = line.substr(0, state_at);
  for (int cell = 0; cell < 2; ++cell) {
    const std::size_t end = rest.find(kCellEnd);
    if (end == npos) return {};
    rest.remove_prefix(end + kCellEnd.size());
  }
  return trim_text(rest.substr(0, rest.find(kCellEnd)));
}

}  // namespace

std::set<Text> signed_numbers(std::string_view saved) {
  static const Text signed_state = utf8_to_ansi("已签收");
  std::set<Text> numbers;
  // LF alone is taken too: the file may have passed through an editor.
  for (const std::string_view line : split_text(saved, "\n")) {
    const std::string_view number = signed_number_of_saved_line(line, signed_state);
    if (!number.empty()) numbers.emplace(number);
  }
  return numbers;
}

Text without_numbers(std::string_view input, const std::set<Text>& numbers) {
  Text kept;
  for (const std::string_view line : split_text(input, "\r\n")) {
    if (!numbers.contains(Text(number_of_input_line(line)))) kept.append(line).append("\r\n");
  }
  return kept;
}

}  // namespace trakvel::cli
