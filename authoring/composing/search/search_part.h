#pragma once
// One of N disjoint parts of the exhaustive search: the first slot's candidates cut into N
// consecutive ranges, so that the parts' fills together are exactly the whole search's fills,
// and each part writes its own in the whole search's order.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gw {

struct SearchPart {
  int index = 0;  // K of "K/N", from 1
  int count = 0;  // N; 0: the whole search, under the layout's own names
  bool whole() const { return count == 0; }
  // The tag of the part's file names ("-3of8-").
  std::string tag() const;
};

// Candidate index range [begin, end) of part `part`: the ranges of the parts follow each other
// and hold about equal shares of `weights` (per candidate, its estimated work).
struct CandidateRange {
  int begin = 0;
  int end = 0;
};
// The name a search of `patternFile` derives its state, lock and result names from: the
// pattern file's own, or with the part's tag after its stem ("spring-3of8-.C_WM").
std::filesystem::path searchFileName(const std::filesystem::path& patternFile, const std::string& tag);

CandidateRange partRange(const std::vector<std::uint64_t>& weights, SearchPart part);

}  // namespace gw
