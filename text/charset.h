// Re-encoding of byte strings between named character sets, and the COM
// initialisation that the COM-based text services bracket their work with.
#pragma once

#include <string_view>

#include "text/text.h"

namespace trakvel {

// data decoded completely from source, passed through the ANSI code page (so it
// ends at its first zero character and unrepresentable characters become "?"), and
// encoded in target. An empty name means "UTF-8" (source) or "GBK" (target).
// Names are matched without letter case. An unknown name or any failure gives empty bytes.
Bytes convert_charset(const Bytes& data, std::string_view source = {},
                      std::string_view target = {});

// The code page behind a character-set name, or 0 when the name is unknown.
unsigned charset_code_page(std::string_view name);

void com_initialize();
void com_uninitialize();

}  // namespace trakvel
