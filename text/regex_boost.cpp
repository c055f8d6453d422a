// The built-in regular-expression engine: Boost.Regex, made to follow the dialect of
// VBScript's RegExp (the ECMAScript regular expressions of its day) by rewriting the
// pattern where Boost's Perl syntax means something else.
#include <boost/regex.hpp>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/regex_engine.h"

namespace trakvel {
namespace {

// Reads UTF-16 code units as wchar_t, whatever wchar_t's width, so that every offset
// the matcher reports is in code units as the component's are. It is bidirectional
// on purpose: over such iterators Boost gives up a search after a fixed number of
// steps, where over random-access ones the bound grows with the subject's length
// times the square of the pattern's, which lets a lazy group that never closes run
// for half an hour over a page of a few megabytes.
class UnitIterator {
 public:
  using iterator_category = std::bidirectional_iterator_tag;
  using value_type = wchar_t;
  using difference_type = std::ptrdiff_t;
  using pointer = const wchar_t*;
  using reference = wchar_t;

  UnitIterator() = default;
  explicit UnitIterator(const char16_t* unit) : unit_(unit) {}

  wchar_t operator*() const { return static_cast<wchar_t>(*unit_); }
  UnitIterator& operator++() {
    ++unit_;
    return *this;
  }
  UnitIterator& operator--() {
    --unit_;
    return *this;
  }
  UnitIterator operator++(int) { return UnitIterator(unit_++); }
  UnitIterator operator--(int) { return UnitIterator(unit_--); }
  bool operator==(const UnitIterator&) const = default;

  const char16_t* unit() const { return unit_; }

 private:
  const char16_t* unit_ = nullptr;
};

// A match or group as offset and length in code units; start -1 when it did not take part.
struct Span {
  std::int32_t start = -1;
  std::int32_t length = 0;
};

// spans[0] is the whole match, then one span per capture group.
struct Match {
  std::vector<Span> spans;
};

// VBScript's \w, \d and \s are ASCII-only; Boost's follow Unicode and would take
// Chinese characters for word characters.
constexpr std::wstring_view kWordChars = L"A-Za-z0-9_";
constexpr std::wstring_view kDigits = L"0-9";
constexpr std::wstring_view kSpaces = L" \\f\\n\\r\\t\\x{B}";
constexpr std::wstring_view kBoundary =
    L"(?:(?<=[A-Za-z0-9_])(?![A-Za-z0-9_])|(?<![A-Za-z0-9_])(?=[A-Za-z0-9_]))";
constexpr std::wstring_view kNotBoundary =
    L"(?:(?<=[A-Za-z0-9_])(?=[A-Za-z0-9_])|(?<![A-Za-z0-9_])(?![A-Za-z0-9_]))";
// Line breaks for ^ and $ in multiline mode are LF and CR; Boost knows more of them
// and will not stop between CR and LF.
constexpr std::wstring_view kLineStart = L"(?<![^\\n\\r])";
constexpr std::wstring_view kLineEnd = L"(?![^\\n\\r])";

bool is_hex(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool all_hex(std::u16string_view digits, std::size_t count) {
  if (digits.size() < count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    if (!is_hex(digits[i])) return false;
  }
  return true;
}

// The exact character, whatever Boost would make of it after a backslash.
void append_literal(std::wstring& out, std::u16string_view hex) {
  out += L"\\x{";
  out.append(hex.begin(), hex.end());
  out += L'}';
}

void append_literal(std::wstring& out, char16_t c) {
  constexpr char16_t kHex[] = u"0123456789ABCDEF";
  const char16_t digits[] = {kHex[c >> 12], kHex[(c >> 8) & 15], kHex[(c >> 4) & 15], kHex[c & 15]};
  append_literal(out, std::u16string_view(digits, 4));
}

// \d \w \s and their negations. Inside a class the negations stay Boost's own.
bool append_class_escape(std::wstring& out, char16_t letter, bool in_class) {
  std::wstring_view members;
  switch (letter) {
    case u'd':
    case u'D':
      members = kDigits;
      break;
    case u'w':
    case u'W':
      members = kWordChars;
      break;
    case u's':
    case u'S':
      members = kSpaces;
      break;
    default:
      return false;
  }
  const bool negated = letter == u'D' || letter == u'W' || letter == u'S';
  if (!in_class) {
    out += negated ? L"[^" : L"[";
    out += members;
    out += L']';
  } else if (!negated) {
    out += members;
  } else {
    out += L'\\';
    out += wchar_t(letter);
  }
  return true;
}

// The escape whose letter starts rest; returns how many characters of rest it took.
std::size_t append_escape(std::wstring& out, std::u16string_view rest, bool in_class) {
  const char16_t c = rest[0];
  const char16_t next = rest.size() > 1 ? rest[1] : u'\0';
  if (append_class_escape(out, c, in_class)) return 1;
  if (c == u'b' && !in_class) {
    out += kBoundary;
  } else if (c == u'B' && !in_class) {
    out += kNotBoundary;
  } else if (c == u'b') {
    append_literal(out, u'\b');  // backspace inside a class
  } else if (c == u'f' || c == u'n' || c == u'r' || c == u't') {
    out += L'\\';
    out += wchar_t(c);
  } else if (c == u'v') {
    append_literal(out, u'\v');  // Boost's \v is a class of vertical spaces
  } else if (c == u'0') {
    append_literal(out, u'\0');
  } else if (c == u'u' && all_hex(rest.substr(1), 4)) {
    append_literal(out, rest.substr(1, 4));
    return 5;
  } else if (c == u'x' && all_hex(rest.substr(1), 2)) {
    append_literal(out, rest.substr(1, 2));
    return 3;
  } else if (c == u'c' && ((next >= u'a' && next <= u'z') || (next >= u'A' && next <= u'Z'))) {
    out += L"\\c";
    out += wchar_t(next);
    return 2;
  } else if (c >= u'1' && c <= u'9' && !in_class) {
    // A group that has not taken part matches the empty text here; in Boost it fails.
    out += L"(?(";
    out += wchar_t(c);
    out += L")\\";
    out += wchar_t(c);
    out += L')';
  } else {
    append_literal(out, c);  // any other escaped character stands for itself
  }
  return 1;
}

// The pattern in Boost's syntax with the meaning it has for the component.
std::wstring translate_pattern(std::u16string_view pattern, bool multiline) {
  std::wstring out;
  bool in_class = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const std::u16string_view rest = pattern.substr(i);
    if (c == u'\\' && rest.size() > 1) {
      i += append_escape(out, rest.substr(1), in_class);
    } else if (in_class) {
      if (c == u'[') out += L'\\';  // "[:" would open a POSIX class in Boost
      out += wchar_t(c);
      in_class = c != u']';
    } else if (rest.starts_with(u"[]")) {
      out += L"(?!)";  // the empty class matches nothing
      i += 1;
    } else if (rest.starts_with(u"[^]")) {
      out += L"[\\s\\S]";  // and its negation anything
      i += 2;
    } else if (c == u'[') {
      out += L'[';
      in_class = true;
    } else if (c == u'.') {
      out += L"[^\\n]";  // everything but LF, CR included, unlike Boost's dot
    } else if (c == u'^') {
      out += multiline ? kLineStart : L"\\A";
    } else if (c == u'$') {
      out += multiline ? kLineEnd : L"\\z";  // Boost's $ also stops before a final LF
    } else {
      out += wchar_t(c);
    }
  }
  return out;
}

std::optional<boost::wregex> compile(std::u16string_view pattern, const RegexOptions& options) {
  boost::regex_constants::syntax_option_type flags = boost::regex_constants::ECMAScript;
  if (options.ignore_case) flags |= boost::regex_constants::icase;
  try {
    return boost::wregex(translate_pattern(pattern, options.multiline), flags);
  } catch (...) {
    return std::nullopt;  // refused, as the component refuses it
  }
}

Match to_match(const boost::match_results<UnitIterator>& found, const char16_t* base) {
  Match match;
  for (std::size_t i = 0; i < found.size(); ++i) {
    const auto& group = found[i];
    if (!group.matched) {
      match.spans.push_back({});
      continue;
    }
    const auto start = group.first.unit() - base;
    match.spans.push_back({static_cast<std::int32_t>(start),
                           static_cast<std::int32_t>(group.second.unit() - group.first.unit())});
  }
  return match;
}

// All matches in subject order, or only the first unless global.
std::vector<Match> find_matches(const boost::wregex& regex, std::u16string_view subject,
                                bool global) {
  std::vector<Match> matches;
  const UnitIterator begin(subject.data()), end(subject.data() + subject.size());
  try {
    for (boost::regex_iterator<UnitIterator> it(begin, end, regex), last; it != last; ++it) {
      matches.push_back(to_match(*it, subject.data()));
      if (!global) break;
    }
  } catch (...) {
    // Too complex a search or no memory left: the matches found so far stand.
  }
  return matches;
}

std::u16string_view text_of(const Span& span, std::u16string_view subject) {
  if (span.start < 0) return {};
  return subject.substr(span.start, span.length);
}

// The group that "$n" or "$nn" at the start of digits names: two digits when they
// name a group, else one; 0 when they name none. used receives the digits taken.
std::int32_t group_reference(std::u16string_view digits, std::int32_t groups, std::size_t& used) {
  std::int32_t value = 0, group = 0;
  used = 0;
  for (std::size_t i = 0; i < 2 && i < digits.size(); ++i) {
    if (digits[i] < u'0' || digits[i] > u'9') break;
    value = value * 10 + (digits[i] - u'0');
    if (value >= 1 && value <= groups) {
      group = value;
      used = i + 1;
    }
  }
  return group;
}

// The replacement for one match: $$, $&, $`, $' and $n expanded, any other $ kept.
void append_expansion(WideText& out, std::u16string_view replacement, const Match& match,
                      std::u16string_view subject) {
  const Span& whole = match.spans[0];
  const auto groups = static_cast<std::int32_t>(match.spans.size()) - 1;
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    if (replacement[i] != u'$') {
      out += replacement[i];
      continue;
    }
    const char16_t next = i + 1 < replacement.size() ? replacement[i + 1] : u'\0';
    std::size_t used = 1;  // characters after the $
    if (next == u'$') {
      out += u'$';
    } else if (next == u'&') {
      out += text_of(whole, subject);
    } else if (next == u'`') {
      out += subject.substr(0, whole.start);
    } else if (next == u'\'') {
      out += subject.substr(whole.start + whole.length);
    } else if (const auto group = group_reference(replacement.substr(i + 1), groups, used)) {
      out += text_of(match.spans[group], subject);
    } else {
      out += u'$';
    }
    i += used;
  }
}

class BoostRegexEngine final : public RegexEngine {
 public:
  const char* name() const override { return "built-in, Boost.Regex"; }

  void set_options(const RegexOptions& options) override {
    options_ = options;
    regex_ = compile(pattern_, options_);
  }

  void set_pattern(std::u16string_view pattern) override {
    pattern_ = pattern;
    regex_ = compile(pattern_, options_);
  }

  WideText pattern() const override { return pattern_; }

  bool execute(std::u16string_view subject) override {
    subject_ = subject;
    matches_.clear();
    if (!regex_) return false;
    matches_ = find_matches(*regex_, subject_, options_.global);
    return true;
  }

  std::int32_t count() const override { return static_cast<std::int32_t>(matches_.size()); }

  WideText value(std::int32_t match) const override {
    return WideText(text_of(span(match, 0), subject_));
  }

  std::int32_t first_index(std::int32_t match) const override {
    return std::max(span(match, 0).start, 0);
  }

  std::int32_t submatch_count() const override {
    return matches_.empty() ? 0 : static_cast<std::int32_t>(matches_[0].spans.size()) - 1;
  }

  std::optional<WideText> submatch(std::int32_t match, std::int32_t group) const override {
    if (group < 0) return std::nullopt;
    const Span found = span(match, group + 1);
    if (found.start < 0) return std::nullopt;
    return WideText(text_of(found, subject_));
  }

  std::int32_t submatch_index(std::int32_t match, std::int32_t group) const override {
    const Span found = group < 0 ? Span() : span(match, group + 1);
    return found.start < 0 ? first_index(match) : found.start;
  }

  WideText replace(std::u16string_view subject, std::u16string_view replacement) const override {
    if (!regex_) return {};
    WideText out;
    std::size_t done = 0;
    for (const Match& match : find_matches(*regex_, subject, options_.global)) {
      const Span& whole = match.spans[0];
      out += subject.substr(done, whole.start - done);
      append_expansion(out, replacement, match, subject);
      done = whole.start + whole.length;
    }
    out += subject.substr(done);
    return out;
  }

 private:
  // Span index of match, or an empty span when either is out of range.
  Span span(std::int32_t match, std::int32_t index) const {
    if (match < 0 || match >= count() || index < 0) return {};
    const auto& spans = matches_[match].spans;
    return index < static_cast<std::int32_t>(spans.size()) ? spans[index] : Span();
  }

  RegexOptions options_;
  WideText pattern_;
  std::optional<boost::wregex> regex_;  // empty when the pattern is refused
  WideText subject_;
  std::vector<Match> matches_;
};

}  // namespace

std::unique_ptr<RegexEngine> create_builtin_regex_engine() {
  return std::make_unique<BoostRegexEngine>();
}

}  // namespace trakvel
