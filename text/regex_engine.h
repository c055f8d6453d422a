// The regular-expression component behind RegexObject: one RegExp of the VBScript
// dialect and the matches of its last execute, over UTF-16 text. Match and group
// indexes are 0-based as the component counts them (group 0 is the first capture
// group); offsets are in UTF-16 code units. Nothing here throws: a failing call
// gives empty text, 0 or false.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "text/codepage.h"

namespace trakvel {

struct RegexOptions {
  bool ignore_case = true;
  bool multiline = true;
  bool global = true;
};

class RegexEngine {
 public:
  virtual ~RegexEngine() = default;

  // Which engine this is, for reports.
  virtual const char* name() const = 0;

  virtual void set_options(const RegexOptions& options) = 0;
  virtual void set_pattern(std::u16string_view pattern) = 0;
  virtual WideText pattern() const = 0;

  // Runs the pattern over subject and keeps the match collection. False when no
  // collection came back, as for a refused pattern.
  virtual bool execute(std::u16string_view subject) = 0;

  // About the kept matches.
  virtual std::int32_t count() const = 0;
  virtual WideText value(std::int32_t match) const = 0;
  virtual std::int32_t first_index(std::int32_t match) const = 0;
  // The number of capture groups, as the first match reports it; 0 without a match.
  virtual std::int32_t submatch_count() const = 0;
  // Empty when the group did not take part in the match or does not exist.
  virtual std::optional<WideText> submatch(std::int32_t match, std::int32_t group) const = 0;
  virtual std::int32_t submatch_index(std::int32_t match, std::int32_t group) const = 0;

  // subject with the matches replaced ($1..$99, $&, $$, $`, $' expanded); only the
  // first match unless global.
  virtual WideText replace(std::u16string_view subject, std::u16string_view replacement) const = 0;
};

// A new RegExp: on Windows the system's VBScript.RegExp unless it cannot be created
// or TRAKVEL_REGEX_ENGINE=builtin is set, else the built-in engine. Null when none.
std::unique_ptr<RegexEngine> create_regex_engine();

// The built-in engine on Boost.Regex, which follows the VBScript dialect.
std::unique_ptr<RegexEngine> create_builtin_regex_engine();

}  // namespace trakvel
