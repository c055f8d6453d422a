#include <unistd.h>

#include "app/program_dir.h"

namespace trakvel {

Text program_directory() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return ".";
  Text dir(path, static_cast<std::size_t>(length));
  return dir.substr(0, dir.rfind('/'));
}

}  // namespace trakvel
