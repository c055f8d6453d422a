// --skip-signed: numbers that an earlier saved result (保存全部) shows as signed for
// are not looked up again, since the service locks numbers queried too often.
#pragma once

#include <set>
#include <string_view>

#include "text/text.h"

namespace trakvel::cli {

// The numbers of the saved lines whose state is "已签收". A saved line is the six
// cells, each followed by two blanks, then CR LF, in code page 936.
std::set<Text> signed_numbers(std::string_view saved);

// The input (lines separated by CR LF) without the lines whose number, the part
// before "----", is one of numbers.
Text without_numbers(std::string_view input, const std::set<Text>& numbers);

}  // namespace trakvel::cli
