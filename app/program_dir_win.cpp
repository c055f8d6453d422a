#include <windows.h>

#include "app/program_dir.h"

namespace trakvel {

Text program_directory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  Text dir(path, length);
  const std::size_t slash = dir.find_last_of("\\/");
  return slash == npos ? Text(".") : dir.substr(0, slash);
}

}  // namespace trakvel
