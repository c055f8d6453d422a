// The split rule: the pieces and separators give back the text.
#include <fuzzer/FuzzedDataProvider.h>

#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto separator = input.ConsumeRandomLengthString(8);
  const auto text = input.ConsumeRemainingBytesAsString();
  std::size_t total = 0;
  for (std::string_view piece : trakvel::split_text(text, separator)) total += piece.size();
  if (total > text.size()) __builtin_trap();
  return 0;
}
