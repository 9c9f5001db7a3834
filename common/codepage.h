#pragma once
// The one conversion between the single-byte code-page text of boards, clues and
// files (Windows-1252, -1251, -1250) and Unicode (UTF-8) at the edge of a window or
// terminal. Code pages are named as ICU names them: "windows-1252", ...
#include <string>
#include <string_view>

namespace gw {

// Code-page bytes to UTF-8. Every byte maps to something (undefined bytes become U+FFFD).
std::string toUtf8(std::string_view bytes, const char* codePage);

// UTF-8 to code-page bytes. Throws FormatError naming the first character that the
// code page cannot hold, or for malformed UTF-8.
std::string fromUtf8(std::string_view utf8, const char* codePage);

}  // namespace gw
