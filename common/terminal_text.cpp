#include "common/terminal_text.h"

#include <cstdio>

namespace gw {

std::string terminalSafe(std::string_view utf8, ControlEscapes escapes) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    unsigned code = c;
    if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
      code = static_cast<unsigned char>(utf8[++i]);
    else if (c >= 0x20 && c != 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    const char* named = code == '\n' ? "\\n" : code == '\r' ? "\\r" : code == '\t' ? "\\t" : nullptr;
    if (escapes == ControlEscapes::Json && named) {
      out += named;
      continue;
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", code);
    out += buf;
  }
  return out;
}

}  // namespace gw
