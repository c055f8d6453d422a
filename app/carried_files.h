// The two files the program carries and writes beside itself at every start.
#pragma once

#include "app/carried_ids.h"
#include "text/text.h"

namespace trakvel {

enum class CarriedFile {
  skin_library = TRAKVEL_RES_SKIN_LIBRARY,
  skin_file = TRAKVEL_RES_SKIN_FILE
};

// The file's bytes as built into the program; empty when missing.
Bytes carried_file(CarriedFile file);

}  // namespace trakvel
