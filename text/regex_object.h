// Regular expressions over GBK text, through the VBScript RegExp component (or the
// built-in engine that speaks its dialect where the component is missing).
//
// The object keeps the component of the last search with its matches, and the
// subject of that search. Indexes given by callers are 1-based. Nothing reports an
// error: a failing step gives empty text, 0 or false and the rest goes on.
#pragma once

#include <cstdint>
#include <memory>

#include "text/codepage.h"
#include "text/text.h"

namespace trakvel {

class RegexEngine;

class RegexObject {
 public:
  // Initialises COM on this thread; the destructor, on the same thread, ends it.
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&) = delete;
  RegexObject& operator=(const RegexObject&) = delete;

  // Runs pattern over subject with a new component. quote_macro turns every "#引号"
  // in pattern into a double quote first. True when a match collection came back,
  // even an empty one; false for a refused pattern or a missing component.
  bool search(const Text& pattern, const Text& subject, bool case_sensitive = false,
              bool multiline = true, bool global = true, bool quote_macro = false);

  Text pattern_text() const;
  // The subject of the last search with its matches replaced; empty before a search.
  Text replace_matches(const Text& replacement);

  std::int32_t match_count() const;
  // Match n; position receives its byte offset in the subject.
  Text match_text(std::int32_t n, std::int32_t* position = nullptr) const;
  // Group k of match n; empty when the group did not take part. position receives
  // the byte offset of the group's text in the subject (with the system component,
  // where the group's text first occurs inside the match).
  Text submatch_text(std::int32_t n, std::int32_t k, std::int32_t* position = nullptr) const;
  // The number of capture groups; 0 when there is no match.
  std::int32_t submatch_count() const;

 private:
  // Byte length of the first units code units of the subject in code page 936.
  std::int32_t ansi_offset(std::int32_t units) const;

  std::unique_ptr<RegexEngine> engine_;  // the component (regexp) and its matches
  WideText subject_;                     // code units and one zero unit
};

}  // namespace trakvel
