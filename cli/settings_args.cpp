#include "cli/settings_args.h"

#include <array>
#include <cstdio>

#include "app/files.h"
#include "app/program_dir.h"

namespace trakvel::cli {
namespace {

constexpr std::array<std::array<const char*, 2>, 4> kOptionKeys{{
    {"--main-host", "main_host"},
    {"--mobile-host", "mobile_host"},
    {"--jobs", "jobs"},
    {"--timeout", "timeout"},
}};

void apply_file_beside_program(Settings& settings) {
  const Text path = program_directory() + "/trakvel.ini";
  const auto content = read_whole_file(path);
  if (!content) return;  // no file: the defaults stand
  for (const auto& problem : apply_settings_file(settings, text_from_bytes(*content))) {
    std::fprintf(stderr, "%s:%d: %s: %s\n", path.c_str(), problem.line, problem.reason.c_str(),
                 problem.text.c_str());
  }
}

}  // namespace

std::optional<Settings> settings_from(const Args& args) {
  Settings settings;
  apply_file_beside_program(settings);
  apply_settings_environment(settings);
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
