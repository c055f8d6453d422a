// What a user can set: the service's hosts, how many lookups run at once, the
// request time-out and a proxy for the lookups' requests. Read from trakvel.ini beside the program,
// then the environment, then the command line, each overriding the one before.
#pragma once

#include <string_view>
#include <vector>

#include "app/service.h"
#include "text/text.h"

namespace trakvel {

struct Settings {
  ServiceHosts hosts;
  int jobs = 8;        // lookups at once
  int timeout_ms = 0;  // request time-out; 0 keeps the system's own
  Text proxy;          // host:port for the lookups' requests; empty: direct
};

// One line of a settings file that could not be used, and why.
struct SettingsProblem {
  int line = 0;  // 1-based
  Text text;     // the line as written
  Text reason;
};

// Applies "key = value" lines (sections in brackets, comments after ";" or "#").
// Unknown keys and bad values are reported and leave the setting as it was.
std::vector<SettingsProblem> apply_settings_file(Settings& settings, std::string_view content);

// TRAKVEL_MAIN_HOST, TRAKVEL_MOBILE_HOST and TRAKVEL_PROXY.
void apply_settings_environment(Settings& settings);

// Sets one setting by its key ("main_host", "mobile_host", "jobs", "timeout", "proxy");
// false when the key is unknown or the value does not fit.
bool apply_setting(Settings& settings, std::string_view key, std::string_view value);

// The settings a program starts with: trakvel.ini beside the program (a missing
// file is no problem), then the environment.
struct ProgramSettings {
  Settings settings;
  Text file_path;                         // the settings file looked at
  std::vector<SettingsProblem> problems;  // its lines that were skipped
};
ProgramSettings load_program_settings();

// The message that names each skipped line, for a message box (code page 936).
Text settings_problems_message(const ProgramSettings& loaded);

}  // namespace trakvel
