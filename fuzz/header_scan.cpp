// The text engine's scan of the response headers (Location, Set-Cookie, charset),
// with any header block, through a transport that answers with it.
#include <cstdint>

#include "http/request_engine.h"
#include "support/fake_transport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  trakvel::test::FakeTransport transport;
  transport.raw_headers.assign(reinterpret_cast<const char*>(data), size);
  transport.response_body = {'<', 'p', '>', 0xE4, 0xB8, 0xAD};
  trakvel::HttpArgs args;
  args.url = "http://127.0.0.1/";
  args.cookies = trakvel::Text("a=1; b=2");
  trakvel::http_request(args, transport);
  return 0;
}
