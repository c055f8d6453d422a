// The directory that holds the running program, without a trailing separator.
#pragma once

#include "text/text.h"

namespace trakvel {

Text program_directory();

}  // namespace trakvel
