// The tracking service's two addresses: courier detection on the main host and the
// detail page on the mobile host.
#pragma once

#include <string_view>

#include "text/text.h"

namespace trakvel {

struct ServiceHosts {
  Text main_host = "www.kuaidi100.com";  // courier detection; may carry ":port"
  Text mobile_host = "m.kuaidi100.com";  // detail pages; may carry ":port"
};

// Every byte outside ASCII letters, digits and "-._~" as %XX: a number or courier code
// holding a blank, "&", "#", "%" or a line break cannot change or break the request.
Text percent_encode(std::string_view text);

// main host + "/autonumber/auto?num=" + number, without a scheme (plain HTTP, port 80).
Text detection_address(const ServiceHosts& hosts, std::string_view number);

// "http://" + mobile host + "/queryDetail.php?com=" + courier code + "&nu=" + number.
Text detail_address(const ServiceHosts& hosts, std::string_view courier_code,
                    std::string_view number);

// The courier code that a detection answer names, or empty text.
Text courier_code_of(std::string_view detection_answer);

}  // namespace trakvel
