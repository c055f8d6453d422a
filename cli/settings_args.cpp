#include "cli/settings_args.h"

#include <array>
#include <cstdio>

namespace trakvel::cli {
namespace {

constexpr std::array<std::array<const char*, 2>, 5> kOptionKeys{{
    {"--main-host", "main_host"},
    {"--mobile-host", "mobile_host"},
    {"--jobs", "jobs"},
    {"--timeout", "timeout"},
    {"--proxy", "proxy"},
}};

}  // namespace

std::optional<Settings> settings_from(const Args& args) {
  const ProgramSettings loaded = load_program_settings();
  for (const auto& problem : loaded.problems) {
    std::fprintf(stderr, "%s:%d: %s: %s\n", loaded.file_path.c_str(), problem.line,
                 problem.reason.c_str(), problem.text.c_str());
  }
  Settings settings = loaded.settings;
  for (const auto& [option, key] : kOptionKeys) {
    const auto value = args.value(option);
    if (value && !apply_setting(settings, key, *value)) {
      std::fprintf(stderr, "trakvel: bad value for %s: %s\n", option, value->c_str());
      return std::nullopt;
    }
  }
  return settings;
}

}  // namespace trakvel::cli
