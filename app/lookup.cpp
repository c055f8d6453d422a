#include "app/lookup.h"

#include "app/batch.h"
#include "app/clock.h"
#include "app/lookup_page.h"
#include "app/service.h"
#include "http/page_fetch.h"
#include "http/request_engine.h"
#include "text/codepage.h"
#include "text/url_decode.h"

namespace trakvel {
namespace {

// Why a request's answer cannot be taken for the service's word, or empty text.
Text failure_of(const ResponseStatus& status) {
  if (!status.arrived) return utf8_to_ansi("服务无响应");
  if (status.code >= 400) return utf8_to_ansi("服务返回错误 HTTP ") + std::to_string(status.code);
  return {};
}

struct Row {
  Text company, last_update, state;
};

Row row_for(const ServiceAnswer& answer) {
  if (answer.failed) return {"", answer.cause, utf8_to_ansi("查询失败")};
  const PageReading reading = read_detail_page(answer.page);
  if (reading.no_result) {
    static const Text no_result = utf8_to_ansi("单号无结果！");
    return {no_result, no_result, no_result};
  }
  return {reading.company, reading.last_update, reading.state};
}

}  // namespace

void configure_requests(const Settings& settings) {
  if (settings.timeout_ms <= 0) return;
  const std::chrono::milliseconds timeout(settings.timeout_ms);
  transport::system_transport().set_timeouts({timeout, timeout});
}

ServiceAnswer ask_service(const Settings& settings, std::string_view number) {
  HttpArgs detection;
  if (!settings.proxy.empty()) detection.proxy = settings.proxy;
  detection.url = detection_address(settings.hosts, number);
  const Text courier_code = courier_code_of(http_request(detection));

  HttpArgs detail;
  detail.proxy = detection.proxy;
  detail.url = detail_address(settings.hosts, courier_code, number);
  ServiceAnswer answer;
  answer.page = url_decode(text_from_bytes(http_request_bytes(detail)), true);
  answer.cause = failure_of(detection.status);
  if (answer.cause.empty()) answer.cause = failure_of(detail.status);
  answer.failed = !answer.cause.empty();
  return answer;
}

void lookup_number(gui::Window& window, std::int32_t index) {
  BatchState& state = batch_state();
  const LocalTime started = local_now();
  const std::size_t entry = static_cast<std::size_t>(index) - 1;
  const Text number = entry < state.numbers.size() ? state.numbers[entry] : Text();

  const Row row = row_for(ask_service(app_settings(), number));
  const int list_row = index - 1;
  window.list_set_cell(list_row, 1, date_text() + " " + time_of_day_text(started));
  window.list_set_cell(list_row, 3, row.company);
  window.list_set_cell(list_row, 4, row.last_update);
  window.list_set_cell(list_row, 5, row.state);
  ++state.finished;
  --state.outstanding;
}

}  // namespace trakvel
