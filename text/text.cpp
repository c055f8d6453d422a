#include "text/text.h"

#include <algorithm>
#include <limits>

namespace trakvel {
namespace {

constexpr unsigned char kIdeographicSpace = 0xA1;  // the space is the pair A1 A1

char fold(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_space_at(std::string_view text, std::size_t pos, std::size_t length) {
  if (length == 1) return text[pos] == ' ';
  return static_cast<unsigned char>(text[pos]) == kIdeographicSpace &&
         static_cast<unsigned char>(text[pos + 1]) == kIdeographicSpace;
}

// Compares needle with text at pos, character by character: ASCII letters of
// single-byte characters without case, both bytes of a double-byte character exactly.
bool equals_folded_at(std::string_view text, std::size_t pos, std::string_view needle) {
  if (text.size() - pos < needle.size()) return false;
  for (std::size_t i = 0; i < needle.size();) {
    const std::size_t n = char_length(needle, i);
    if (n == 2) {
      if (text.compare(pos + i, 2, needle.substr(i, 2)) != 0) return false;
    } else if (fold(text[pos + i]) != fold(needle[i])) {
      return false;
    }
    i += n;
  }
  return true;
}

std::size_t find_folded(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from;
  for (std::size_t pos = from; pos + needle.size() <= text.size(); pos += char_length(text, pos)) {
    if (equals_folded_at(text, pos, needle)) return pos;
  }
  return npos;
}

// The first character boundary at or after candidate, given one at boundary. A byte
// outside the lead range always ends a character, so only the run of lead bytes
// just before the candidate decides: walking a page of megabytes from its start
// for every marker made the page reading slow.
std::size_t boundary_from(std::string_view text, std::size_t boundary, std::size_t candidate) {
  std::size_t run = candidate;
  while (run > boundary && is_lead_byte(static_cast<unsigned char>(text[run - 1]))) --run;
  return (candidate - run) % 2 == 0 ? candidate : candidate + 1;
}

// Maps a full-width character of code page 936 to its ASCII counterpart, or 0.
char ascii_counterpart(unsigned char lead, unsigned char trail) {
  if (lead == 0xA1 && trail == 0xA1) return ' ';
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
  return 0;
}

}  // namespace

Text text_from_bytes(const Bytes& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), 0);
  return Text(bytes.begin(), end);
}

Bytes bytes_from_text(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

std::size_t find_text(std::string_view text, std::string_view needle, std::size_t from,
                      bool fold_case) {
  if (from > text.size()) return npos;
  if (fold_case) return find_folded(text, needle, from);
  // Let the library find byte matches fast, then keep only those that start a character.
  std::size_t boundary = from;
  for (std::size_t pos = from;;) {
    const std::size_t candidate = text.find(needle, pos);
    if (candidate == npos) return npos;
    boundary = boundary_from(text, boundary, candidate);
    if (boundary == candidate) return candidate;
    pos = boundary;  // the candidate was a second byte; the next character starts here
  }
}

std::vector<std::string_view> split_text(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> pieces;
  if (separator.empty()) {
    if (!text.empty()) pieces.push_back(text);
    return pieces;
  }
  std::size_t start = 0;
  for (std::size_t at; (at = find_text(text, separator, start)) != npos;
       start = at + separator.size()) {
    pieces.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) pieces.push_back(text.substr(start));
  return pieces;
}

std::string_view trim_text(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && is_space_at(text, begin, char_length(text, begin))) {
    begin += char_length(text, begin);
  }
  std::size_t end = begin;  // end of the last character that is not a space
  for (std::size_t i = begin; i < text.size();) {
    const std::size_t n = char_length(text, i);
    if (!is_space_at(text, i, n)) end = i + n;
    i += n;
  }
  return text.substr(begin, end - begin);
}

Text replace_all(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return Text(text);
  Text result;
  std::size_t start = 0;
  for (std::size_t at; (at = find_text(text, from, start)) != npos; start = at + from.size()) {
    result.append(text.substr(start, at - start)).append(to);
  }
  return result.append(text.substr(start));
}

Text to_lower_ascii(std::string_view text) {
  Text result(text);
  for (std::size_t i = 0; i < result.size(); i += char_length(result, i)) {
    result[i] = fold(result[i]);
  }
  return result;
}

bool starts_with_fold(std::string_view text, std::string_view prefix) {
  return equals_folded_at(text, 0, prefix);
}

std::int32_t text_to_int(std::string_view text) {
  Text ascii;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    const char c = n == 2 ? ascii_counterpart(text[i], text[i + 1]) : text[i];
    if (c == 0) break;  // no ASCII counterpart: reading would stop here anyway
    ascii += c;
    i += n;
  }
  std::size_t i = ascii.find_first_not_of(' ');
  if (i == npos) return 0;
  const bool negative = ascii[i] == '-';
  if (ascii[i] == '-' || ascii[i] == '+') ++i;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = std::min(value * 10 + (ascii[i] - '0'), kLimit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

}  // namespace trakvel
