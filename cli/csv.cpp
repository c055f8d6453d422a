#include "cli/csv.h"

namespace trakvel::cli {

std::string csv_field(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string csv_record(const std::vector<std::string>& utf8_fields) {
  std::string record;
  for (std::size_t i = 0; i < utf8_fields.size(); ++i) {
    record.append(i > 0 ? "," : "").append(csv_field(utf8_fields[i]));
  }
  return record + "\r\n";
}

}  // namespace trakvel::cli
