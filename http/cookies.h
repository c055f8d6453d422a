// Merging the cookies a response sets into the cookie text of the next request.
#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace trakvel {

// Folds new_cookies (items joined by "; ") into cookies (items separated by ";"):
// a new item replaces an old one of the same name, old items the response did not
// name survive after the new ones, items ending in "=deleted" disappear, and equal
// items collapse. Spaces (ASCII and ideographic) are removed from both texts first,
// and both arguments keep that rewritten form; cookies receives the merged text,
// which is also returned.
Text merge_cookies(Text& cookies, Text& new_cookies);

// The text before an item's first "=", trimmed; the whole item trimmed without "=".
Text cookie_name(std::string_view item);

bool cookie_list_has_name(const std::vector<std::string_view>& items, std::string_view name);

// The pieces of text between separators, each kept only the first time it occurs,
// joined by the separator.
Text remove_duplicate_items(std::string_view text, std::string_view separator);

// 1-based index of the first entry equal to text, or -1.
int find_item(const std::vector<std::string_view>& list, std::string_view text);

}  // namespace trakvel
