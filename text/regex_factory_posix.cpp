// Without the VBScript component the built-in engine is the only one.
#include "text/regex_engine.h"

namespace trakvel {

std::unique_ptr<RegexEngine> create_regex_engine() { return create_builtin_regex_engine(); }

}  // namespace trakvel
