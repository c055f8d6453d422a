#include "text/regex_object.h"

#include <algorithm>

#include "text/charset.h"
#include "text/regex_engine.h"

namespace trakvel {
namespace {

std::u16string_view units_of(const WideText& wide) {
  return std::u16string_view(wide).substr(0, wide.find(u'\0'));
}

}  // namespace

RegexObject::RegexObject() {
  com_initialize();
}

RegexObject::~RegexObject() {
  // The component must go before COM does.
  engine_.reset();
  subject_.clear();
  com_uninitialize();
}

bool RegexObject::search(const Text& pattern, const Text& subject, bool case_sensitive,
                         bool multiline, bool global, bool quote_macro) {
  const RegexOptions options{!case_sensitive, multiline, global};
  engine_.reset();
  engine_ = create_regex_engine();
  if (!engine_) return false;
  engine_->set_options(options);
  // Patterns live in settings where a double quote cannot be written.
  const Text effective = quote_macro ? replace_all(pattern, kQuoteMacro, "\"") : pattern;
  engine_->set_pattern(units_of(multibyte_to_wide(effective, kCodePageGbk)));
  subject_ = multibyte_to_wide(subject, kCodePageGbk);
  return engine_->execute(units_of(subject_));
}

Text RegexObject::pattern_text() const {
  return engine_ ? wide_to_multibyte(engine_->pattern()) : Text();
}

Text RegexObject::replace_matches(const Text& replacement) {
  if (!engine_) return {};
  const WideText wide = multibyte_to_wide(replacement, kCodePageAnsi);
  return wide_to_multibyte(engine_->replace(units_of(subject_), units_of(wide)));
}

std::int32_t RegexObject::match_count() const {
  return engine_ ? engine_->count() : 0;
}

Text RegexObject::match_text(std::int32_t n, std::int32_t* position) const {
  if (!engine_) return {};
  const WideText value = engine_->value(n - 1);
  if (position) *position = ansi_offset(engine_->first_index(n - 1));
  Text text;
  codepage::from_wide(kCodePageGbk, units_of(value), text, true);
  return text;
}

Text RegexObject::submatch_text(std::int32_t n, std::int32_t k, std::int32_t* position) const {
  if (!engine_) return {};
  const auto value = engine_->submatch(n - 1, k - 1);
  if (position) *position = ansi_offset(engine_->submatch_index(n - 1, k - 1));
  return value ? wide_to_multibyte(*value) : Text();
}

std::int32_t RegexObject::submatch_count() const {
  return engine_ ? engine_->submatch_count() : 0;
}

std::int32_t RegexObject::ansi_offset(std::int32_t units) const {
  const auto subject = units_of(subject_);
  const auto length = static_cast<std::size_t>(std::max(units, 0));
  Text prefix;
  codepage::from_wide(kCodePageGbk, subject.substr(0, std::min(length, subject.size())), prefix);
  return static_cast<std::int32_t>(prefix.size());
}

}  // namespace trakvel
