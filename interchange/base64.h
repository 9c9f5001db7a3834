#pragma once
// Base64 (RFC 4648, with padding) for pictures carried in data: URLs.
#include <optional>
#include <string>
#include <string_view>

namespace gw {

std::string encodeBase64(std::string_view bytes);
// The decoded bytes, or nothing when the text is not base64. Whitespace is skipped.
std::optional<std::string> decodeBase64(std::string_view text);

}  // namespace gw
