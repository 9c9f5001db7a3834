#include "authoring/composing/search/search_part.h"

#include <gtest/gtest.h>

#include <numeric>

namespace gw {
namespace {

std::uint64_t sum(const std::vector<std::uint64_t>& w, int begin, int end) {
  return std::accumulate(w.begin() + begin, w.begin() + end, std::uint64_t{0});
}

TEST(SearchPart, PartsTileTheCandidatesAndShareTheWeightEvenly) {
  struct Case {
    const char* name;
    std::vector<std::uint64_t> weights;
  };
  std::vector<std::uint64_t> skewed(100, 0);  // a fixed letter leaves the first candidates dead
  for (int i = 80; i < 100; ++i) skewed[static_cast<std::size_t>(i)] = 10;
  std::vector<std::uint64_t> heavyFirst(50, 1);
  heavyFirst[0] = 49;
  const std::vector<Case> cases = {
      {"even", std::vector<std::uint64_t>(64, 3)},
      {"skewed", skewed},
      {"heavy first", heavyFirst},
      {"fewer candidates than parts", {5, 0, 7}},
      {"none alive", std::vector<std::uint64_t>(10, 0)},
      {"empty", {}},
  };
  for (const Case& c : cases)
    for (int n : {1, 2, 3, 4, 8}) {
      SCOPED_TRACE(std::string(c.name) + " in " + std::to_string(n));
      const std::uint64_t total = sum(c.weights, 0, static_cast<int>(c.weights.size()));
      const std::uint64_t largest =
          c.weights.empty() ? 0 : *std::max_element(c.weights.begin(), c.weights.end());
      int next = 0;
      for (int k = 1; k <= n; ++k) {
        const CandidateRange r = partRange(c.weights, SearchPart{k, n});
        EXPECT_EQ(r.begin, next) << "part " << k;
        EXPECT_LE(r.begin, r.end);
        // Each part holds its share give or take one candidate.
        EXPECT_LE(sum(c.weights, r.begin, r.end), total / static_cast<unsigned>(n) + largest) << "part " << k;
        next = r.end;
      }
      EXPECT_EQ(next, static_cast<int>(c.weights.size()));
    }
}

TEST(SearchPart, SkewedCandidatesAreSplitByWeightNotByCount) {
  std::vector<std::uint64_t> w(100, 0);
  for (int i = 80; i < 100; ++i) w[static_cast<std::size_t>(i)] = 10;
  EXPECT_EQ(partRange(w, {1, 2}).end, 90);
  EXPECT_EQ(partRange(w, {2, 4}).begin, 85);
}

TEST(SearchPart, NamesOfAPartsFilesCarryItsTag) {
  EXPECT_EQ(SearchPart({3, 8}).tag(), "-3of8-");
  EXPECT_EQ(searchFileName("dir/spring.C_WM", "-3of8-"), std::filesystem::path("dir/spring-3of8-.C_WM"));
  EXPECT_EQ(searchFileName("dir/spring.C_WM", ""), std::filesystem::path("dir/spring.C_WM"));
}

}  // namespace
}  // namespace gw
