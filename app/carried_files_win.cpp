#include "app/carried_files.h"

#include <windows.h>

namespace trakvel {

Bytes carried_file(CarriedFile file) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<int>(file)),
                              MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  if (!bytes) return {};
  return Bytes(bytes, bytes + SizeofResource(nullptr, found));
}

}  // namespace trakvel
