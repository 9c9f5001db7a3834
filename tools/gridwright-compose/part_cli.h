#pragma once
// --part K/N of gridwright-compose: one of N disjoint parts of the exhaustive search.
#include <string>

#include "authoring/composing/search/search_part.h"

namespace gw {

// "K/N" with 1 ≤ K ≤ N ≤ 4096; throws std::invalid_argument with a message for the user.
SearchPart parsePartOption(const std::string& value);

}  // namespace gw
