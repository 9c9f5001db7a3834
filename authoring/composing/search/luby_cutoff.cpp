#include "authoring/composing/search/luby_cutoff.h"

#include <bit>

namespace gw {

std::uint64_t LubyCutoff::luby(std::uint64_t i) {
  for (;;) {
    const int k = std::bit_width(i);  // 2^(k-1) <= i < 2^k
    if (i == (std::uint64_t{1} << k) - 1) return std::uint64_t{1} << (k - 1);
    i -= (std::uint64_t{1} << (k - 1)) - 1;
  }
}

}  // namespace gw
