// Whole-file reading and writing. Paths are passed to the system unchanged.
#pragma once

#include <optional>
#include <string_view>

#include "text/text.h"

namespace trakvel {

std::optional<Bytes> read_whole_file(const Text& path);

// Creates the file, or empties it first when it exists; false when it cannot be
// opened or written whole.
bool write_whole_file(const Text& path, std::string_view data);

}  // namespace trakvel
