#pragma once
#include <cstdint>

namespace gw {

// The way a word runs on a board. Files give it their own byte values; convert explicitly.
enum class Direction : std::uint8_t { Across = 0, Down = 1 };

}  // namespace gw
