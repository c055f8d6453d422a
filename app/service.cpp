#include "app/service.h"

#include "http/url_text.h"

namespace trakvel {
namespace {

bool is_unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

Text percent_encode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text encoded;
  encoded.reserve(text.size());
  for (unsigned char c : text) {
    if (is_unreserved(c)) {
      encoded += static_cast<char>(c);
    } else {
      encoded += {'%', kHex[c >> 4], kHex[c & 0xF]};
    }
  }
  return encoded;
}

Text detection_address(const ServiceHosts& hosts, std::string_view number) {
  return hosts.main_host + "/autonumber/auto?num=" + percent_encode(number);
}

Text detail_address(const ServiceHosts& hosts, std::string_view courier_code,
                    std::string_view number) {
  return "http://" + hosts.mobile_host + "/queryDetail.php?com=" + percent_encode(courier_code) +
         "&nu=" + percent_encode(number);
}

Text courier_code_of(std::string_view detection_answer) {
  return text_between(detection_answer, "[{\"comCode\":\"", "\",\"id\":\"\"");
}

}  // namespace trakvel
