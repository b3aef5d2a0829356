#pragma once
// Text read from files written by another hand: UTF-8 when it is valid
// UTF-8, else the Windows-1252 code page of older files.
#include <string>
#include <string_view>

namespace korvel {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

// The UTF-8 text of Windows-1252 `bytes`; the five bytes that code page
// leaves undefined keep their C1 code points.
std::string windows1252_to_utf8(std::string_view bytes);

// `bytes` as UTF-8: unchanged when valid, else decoded as Windows-1252.
std::string text_as_utf8(std::string_view bytes);

}  // namespace korvel
