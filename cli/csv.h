// Rows as CSV that Excel opens as is: RFC 4180 quoting, CR LF line ends, UTF-8
// with a byte-order mark (without the mark Excel reads the file in the local code
// page).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trakvel::cli {

// One field, quoted when it holds a comma, a quote or a line break.
std::string csv_field(std::string_view utf8);

// One record: the fields joined by commas, ended by CR LF.
std::string csv_record(const std::vector<std::string>& utf8_fields);

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace trakvel::cli
