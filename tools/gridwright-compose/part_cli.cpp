#include "part_cli.h"

#include <charconv>
#include <stdexcept>

namespace gw {

namespace {
constexpr int kMostParts = 4096;
}

SearchPart parsePartOption(const std::string& value) {
  SearchPart part;
  const std::size_t slash = value.find('/');
  auto whole = [](const std::string& text, int& out) {
    const char* end = text.data() + text.size();
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
           std::from_chars(text.data(), end, out).ptr == end;
  };
  if (slash == std::string::npos || !whole(value.substr(0, slash), part.index) ||
      !whole(value.substr(slash + 1), part.count) || part.count < 1 || part.count > kMostParts ||
      part.index < 1 || part.index > part.count)
    throw std::invalid_argument("--part needs K/N with 1 <= K <= N <= " + std::to_string(kMostParts) +
                                ", not \"" + value + "\"");
  return part;
}

}  // namespace gw
