#include "http/cookies.h"

namespace trakvel {
namespace {

constexpr std::string_view kDeletedMarker = "=deleted";

Text without_spaces(std::string_view text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    const std::string_view ch = text.substr(i, n);
    if (ch != " " && ch != "\xA1\xA1") result.append(ch);
    i += n;
  }
  return result;
}

Text join(const std::vector<std::string_view>& items, std::string_view separator) {
  Text result;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) result.append(separator);
    result.append(items[i]);
  }
  return result;
}

}  // namespace

Text merge_cookies(Text& cookies, Text& new_cookies) {
  cookies = without_spaces(cookies);
  new_cookies = without_spaces(new_cookies);
  std::vector<std::string_view> merged = split_text(new_cookies, ";");
  for (std::string_view old_item : split_text(cookies, ";")) {
    if (!cookie_list_has_name(merged, cookie_name(old_item))) merged.push_back(old_item);
  }
  std::vector<std::string_view> kept;
  for (std::string_view item : merged) {
    if (!item.ends_with(kDeletedMarker)) kept.push_back(item);
  }
  cookies = remove_duplicate_items(join(kept, "; "), "; ");
  return cookies;
}

Text cookie_name(std::string_view item) {
  return Text(trim_text(item.substr(0, find_text(item, "="))));
}

bool cookie_list_has_name(const std::vector<std::string_view>& items, std::string_view name) {
  for (std::string_view item : items) {
    if (cookie_name(item) == name) return true;
  }
  return false;
}

Text remove_duplicate_items(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> kept;
  for (std::string_view piece : split_text(text, separator)) {
    if (find_item(kept, piece) == -1) kept.push_back(piece);
  }
  return join(kept, separator);
}

int find_item(const std::vector<std::string_view>& list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<int>(i) + 1;
  }
  return -1;
}

}  // namespace trakvel
