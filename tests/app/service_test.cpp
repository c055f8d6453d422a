#include "app/service.h"

#include <gtest/gtest.h>

namespace trakvel {
namespace {

TEST(ServiceAddresses, OrdinaryNumbersGoInUnchanged) {
  const ServiceHosts hosts;
  EXPECT_EQ(detection_address(hosts, "YT1000000001"),
            "www.kuaidi100.com/autonumber/auto?num=YT1000000001");
  EXPECT_EQ(detail_address(hosts, "yuantong", "YT1000000001"),
            "http://m.kuaidi100.com/queryDetail.php?com=yuantong&nu=YT1000000001");
  // An unknown courier leaves "com=" empty; an empty number leaves "nu=" empty.
  EXPECT_EQ(detail_address(hosts, "", ""), "http://m.kuaidi100.com/queryDetail.php?com=&nu=");
}

TEST(ServiceAddresses, HostsMayCarryAPort) {
  const ServiceHosts hosts{"127.0.0.1:8080", "127.0.0.1:8081"};
  EXPECT_EQ(detection_address(hosts, "1"), "127.0.0.1:8080/autonumber/auto?num=1");
  EXPECT_EQ(detail_address(hosts, "c", "1"), "http://127.0.0.1:8081/queryDetail.php?com=c&nu=1");
}

TEST(PercentEncode, EncodesEverythingThatCouldChangeTheRequest) {
  struct Case {
    Text in, out;
  };
  const Case cases[] = {
      {"AZaz09-._~", "AZaz09-._~"},
      {" 1 ", "%201%20"},
      {"1&com=x#y%z", "1%26com%3Dx%23y%25z"},
      {"1\r\nHost: evil", "1%0D%0AHost%3A%20evil"},
      {Text("1\0"
            "2",
            3),
       "1%002"},
      {"\xD6\xD0", "%D6%D0"},
  };
  for (const auto& c : cases) EXPECT_EQ(percent_encode(c.in), c.out);
}

TEST(CourierCode, IsCutFromTheDetectionAnswer) {
  EXPECT_EQ(courier_code_of("[{\"comCode\":\"yuantong\",\"id\":\"\",\"noCount\":1}]"), "yuantong");
  EXPECT_EQ(courier_code_of("[]"), "");
  EXPECT_EQ(courier_code_of(""), "");
}

}  // namespace
}  // namespace trakvel
