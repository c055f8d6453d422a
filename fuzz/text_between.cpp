// text_between with any text, markers, start position and case rule.
#include <fuzzer/FuzzedDataProvider.h>

#include "http/url_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto start = input.ConsumeRandomLengthString(16);
  const auto end = input.ConsumeRandomLengthString(16);
  const int position = input.ConsumeIntegral<int>();
  const bool fold = input.ConsumeBool();
  const auto text = input.ConsumeRemainingBytesAsString();
  if (trakvel::text_between(text, start, end, position, fold).size() > text.size()) {
    __builtin_trap();  // the result is a piece of the text
  }
  return 0;
}
