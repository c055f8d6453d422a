#include "app/settings.h"

#include <charconv>
#include <cstdlib>

namespace trakvel {
namespace {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool parse_number(std::string_view text, int low, int high, int& value) {
  int parsed = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (error != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high) {
    return false;
  }
  value = parsed;
  return true;
}

// A host name with an optional port: no scheme, path, blank or control character.
bool is_host(std::string_view text) {
  if (text.empty()) return false;
  for (unsigned char c : text) {
    if (c <= ' ' || c == '/' || c == '?' || c == '#' || c == '@' || c >= 0x7F) return false;
  }
  return true;
}

// host:port with a port of 1 to 65535.
bool is_host_and_port(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  int port = 0;
  return colon != npos && colon > 0 && is_host(text) &&
         parse_number(text.substr(colon + 1), 1, 65535, port);
}

}  // namespace

bool apply_setting(Settings& settings, std::string_view key, std::string_view value) {
  if (key == "main_host" || key == "mobile_host") {
    if (!is_host(value)) return false;
    (key == "main_host" ? settings.hosts.main_host : settings.hosts.mobile_host) = Text(value);
    return true;
  }
  if (key == "jobs") return parse_number(value, 1, 64, settings.jobs);
  if (key == "timeout") return parse_number(value, 0, 3600000, settings.timeout_ms);
  if (key == "proxy") {
    if (!is_host_and_port(value)) return false;
    settings.proxy = Text(value);
    return true;
  }
  return false;
}

std::vector<SettingsProblem> apply_settings_file(Settings& settings, std::string_view content) {
  std::vector<SettingsProblem> problems;
  int number = 0;
  // Notepad may save the file as UTF-8 with a byte-order mark.
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  for (std::string_view rest = content; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    const std::string_view raw = rest.substr(0, end);
    rest = end == npos ? std::string_view() : rest.substr(end + 1);
    ++number;
    const std::string_view line = trimmed(raw.substr(0, raw.find_first_of(";#")));
    if (line.empty() || (line.front() == '[' && line.back() == ']')) continue;
    const std::size_t equals = line.find('=');
    if (equals == npos) {
      problems.push_back({number, Text(trimmed(raw)), "not a \"key = value\" line"});
    } else if (!apply_setting(settings, trimmed(line.substr(0, equals)),
                              trimmed(line.substr(equals + 1)))) {
      problems.push_back({number, Text(trimmed(raw)), "unknown key or unusable value"});
    }
  }
  return problems;
}

void apply_settings_environment(Settings& settings) {
  if (const char* host = std::getenv("TRAKVEL_MAIN_HOST")) {
    apply_setting(settings, "main_host", host);
  }
  if (const char* host = std::getenv("TRAKVEL_MOBILE_HOST")) {
    apply_setting(settings, "mobile_host", host);
  }
  if (const char* proxy = std::getenv("TRAKVEL_PROXY")) apply_setting(settings, "proxy", proxy);
}

}  // namespace trakvel
