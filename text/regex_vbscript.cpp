// The system's VBScript.RegExp, late bound by member name, and the choice between it
// and the built-in engine.
#include <cstdlib>
#include <string_view>

#include "text/com_dispatch_win.h"
#include "text/regex_engine.h"

namespace trakvel {
namespace {

class VbscriptRegexEngine final : public RegexEngine {
 public:
  explicit VbscriptRegexEngine(com::Dispatch regexp) : regexp_(std::move(regexp)) {}

  const char* name() const override { return "VBScript.RegExp"; }

  void set_options(const RegexOptions& options) override {
    com::put(regexp_.get(), L"IgnoreCase", com::Variant(options.ignore_case));
    com::put(regexp_.get(), L"Multiline", com::Variant(options.multiline));
    com::put(regexp_.get(), L"Global", com::Variant(options.global));
  }

  void set_pattern(std::u16string_view pattern) override {
    com::put(regexp_.get(), L"Pattern", com::Variant(pattern));
  }

  WideText pattern() const override { return text(com::get(regexp_.get(), L"Pattern")); }

  bool execute(std::u16string_view subject) override {
    matches_ = com::call(regexp_.get(), L"Execute", com::Variant(subject)).to_dispatch();
    return static_cast<bool>(matches_);
  }

  std::int32_t count() const override { return com::get(matches_.get(), L"Count").to_int(); }

  WideText value(std::int32_t match) const override {
    return text(com::get(item(match).get(), L"Value"));
  }

  std::int32_t first_index(std::int32_t match) const override {
    return com::get(item(match).get(), L"FirstIndex").to_int();
  }

  std::int32_t submatch_count() const override {
    return com::get(submatches(0).get(), L"Count").to_int();
  }

  std::optional<WideText> submatch(std::int32_t match, std::int32_t group) const override {
    return com::call(submatches(match).get(), L"Item", com::Variant(group)).to_text();
  }

  // The component tells no position for a group: take the first place its text has
  // inside the match.
  std::int32_t submatch_index(std::int32_t match, std::int32_t group) const override {
    const WideText whole = value(match);
    const auto at = whole.find(submatch(match, group).value_or(WideText()));
    return first_index(match) + (at == WideText::npos ? 0 : static_cast<std::int32_t>(at));
  }

  WideText replace(std::u16string_view subject, std::u16string_view replacement) const override {
    return text(
        com::call(regexp_.get(), L"Replace", com::Variant(subject), com::Variant(replacement)));
  }

 private:
  static WideText text(const com::Variant& value) { return value.to_text().value_or(WideText()); }

  com::Dispatch item(std::int32_t match) const {
    return com::call(matches_.get(), L"Item", com::Variant(match)).to_dispatch();
  }

  com::Dispatch submatches(std::int32_t match) const {
    return com::get(item(match).get(), L"SubMatches").to_dispatch();
  }

  com::Dispatch regexp_;
  com::Dispatch matches_;  // the collection the last Execute returned
};

// Tests set TRAKVEL_REGEX_ENGINE=builtin to run the built-in engine where VBScript exists.
bool builtin_forced() {
  const char* engine = std::getenv("TRAKVEL_REGEX_ENGINE");
  return engine != nullptr && std::string_view(engine) == "builtin";
}

}  // namespace

std::unique_ptr<RegexEngine> create_regex_engine() {
  if (!builtin_forced()) {
    com::Dispatch regexp = com::create_object(L"VBScript.RegExp");
    if (regexp) return std::make_unique<VbscriptRegexEngine>(std::move(regexp));
  }
  // Microsoft is switching VBScript off; the program must go on without it.
  return create_builtin_regex_engine();
}

}  // namespace trakvel
