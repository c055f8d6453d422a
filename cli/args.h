// A small command-line parser: options with or without a value, and the rest.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trakvel::cli {

struct OptionSpec {
  std::string_view name;  // "--delay", "-X"
  bool takes_value;
};

class Args {
 public:
  // Parses args against specs; "--name=value" and "--name value" both work, "-" and
  // everything after "--" are positional. error() tells what was wrong.
  Args(std::span<char* const> args, std::span<const OptionSpec> specs);

  const std::string& error() const { return error_; }
  bool has(std::string_view name) const { return options_.contains(std::string(name)); }
  // The last value given for name, if any.
  std::optional<std::string> value(std::string_view name) const;
  std::vector<std::string> values(std::string_view name) const;
  const std::vector<std::string>& positional() const { return positional_; }

 private:
  std::map<std::string, std::vector<std::string>> options_;
  std::vector<std::string> positional_;
  std::string error_;
};

// A whole decimal number within [low, high].
std::optional<int> parse_int(std::string_view text, int low, int high);

}  // namespace trakvel::cli
