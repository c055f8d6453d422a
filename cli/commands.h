// The subcommands of the trakvel program. Each takes the arguments after its name
// and returns the exit code: 0 when it ran, 2 for bad arguments.
#pragma once

#include <span>

namespace trakvel::cli {

int run_http_command(std::span<char* const> args);
int run_lookup_command(std::span<char* const> args);
int run_trace_command(std::span<char* const> args);

}  // namespace trakvel::cli
