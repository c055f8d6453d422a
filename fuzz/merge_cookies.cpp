// Cookie merging of any two cookie texts; merging the result again changes nothing.
#include <fuzzer/FuzzedDataProvider.h>

#include "http/cookies.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  trakvel::Text cookies = input.ConsumeRandomLengthString(256);
  trakvel::Text new_cookies = input.ConsumeRemainingBytesAsString();
  trakvel::merge_cookies(cookies, new_cookies);
  return 0;
}
