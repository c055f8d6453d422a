#include "cli/args.h"

#include <charconv>

namespace trakvel::cli {

Args::Args(std::span<char* const> args, std::span<const OptionSpec> specs) {
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size() && error_.empty(); ++i) {
    std::string_view arg = args[i];
    if (options_ended || arg == "-" || !arg.starts_with("-")) {
      positional_.emplace_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    std::optional<std::string> inline_value;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
      inline_value = std::string(arg.substr(equals + 1));
      arg = arg.substr(0, equals);
    }
    const OptionSpec* known = nullptr;
    for (const auto& candidate : specs) {
      if (candidate.name == arg) known = &candidate;
    }
    auto& values = options_[std::string(arg)];
    if (known == nullptr) {
      error_ = "unknown option " + std::string(arg);
    } else if (!known->takes_value) {
      if (inline_value) error_ = std::string(arg) + " takes no value";
    } else if (inline_value) {
      values.push_back(*inline_value);
    } else if (i + 1 < args.size()) {
      values.emplace_back(args[++i]);
    } else {
      error_ = std::string(arg) + " needs a value";
    }
  }
}

std::optional<std::string> Args::value(std::string_view name) const {
  const auto found = options_.find(std::string(name));
  if (found == options_.end() || found->second.empty()) return std::nullopt;
  return found->second.back();
}

std::vector<std::string> Args::values(std::string_view name) const {
  const auto found = options_.find(std::string(name));
  return found == options_.end() ? std::vector<std::string>() : found->second;
}

std::optional<int> parse_int(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace trakvel::cli
