#include "app/files.h"

#include <cstdio>
#include <memory>

namespace trakvel {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<Bytes> read_whole_file(const Text& path) {
  const File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  Bytes data;
  std::uint8_t buffer[64 * 1024];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get())) {
    data.insert(data.end(), buffer, buffer + n);
  }
  if (std::ferror(file.get())) return std::nullopt;
  return data;
}

bool write_whole_file(const Text& path, std::string_view data) {
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) return false;
  const bool written = std::fwrite(data.data(), 1, data.size(), raw) == data.size();
  return std::fclose(raw) == 0 && written;
}

}  // namespace trakvel
