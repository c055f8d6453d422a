// The settings of a command: the file beside the program, the environment, then the
// command's own options.
#pragma once

#include <optional>

#include "app/settings.h"
#include "cli/args.h"

namespace trakvel::cli {

// The options every service-facing command takes.
inline constexpr OptionSpec kHostOptions[] = {{"--main-host", true}, {"--mobile-host", true}};

// Problems in the settings file are reported on standard error and skipped; a bad
// option value is reported and gives none.
std::optional<Settings> settings_from(const Args& args);

}  // namespace trakvel::cli
