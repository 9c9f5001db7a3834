#pragma once
// Text from a file on its way to a terminal: control characters would reach it as escape
// sequences, so they are shown escaped instead.
#include <string>
#include <string_view>

namespace gw {

// How an escaped control character is spelled: every one as \u00XX, or as in JSON (\n, \r and
// \t by name, the others as \u00XX).
enum class ControlEscapes { Unicode, Json };

// UTF-8 text with its control characters escaped, C1 controls (U+0080 to U+009F, two bytes in
// UTF-8) included.
std::string terminalSafe(std::string_view utf8, ControlEscapes escapes = ControlEscapes::Unicode);

}  // namespace gw
